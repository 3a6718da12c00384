// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file. Reading never fails; writing the program's four keys
// changes only those values (in place, or as added lines) and keeps every other line byte
// for byte; other keys read the same before and after. Checked on the text in memory and
// through the file functions the program uses.
//
// Input: the first byte shapes the file and chooses what is checked, the rest is the file.
// Files of megabytes are too slow to mutate; a few are made and checked once at start.
//   bit 2:       LF turned into CRLF behind a byte-order mark;
//   bit 3:       LF turned into CR (old Macintosh line endings), after bit 2;
//   bits 4-5:    which set of values is written (modulo 3);
//   bits 4-7:    all set: also through the files (Ini_Read, Ini_Write), which are slower.
#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "settings/ini_text.h"
#include "settings/settings.h"

using namespace vantoro;

namespace {

[[noreturn]] void fail(const char *rule, const QByteArray &detail = {})
{
    std::fprintf(stderr, "settings invariant broken: %s\n", rule);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  at: %s\n", detail.left(200).toPercentEncoding(" =[]").constData());
    std::abort();
}

struct Key {
    const char *section, *key;
};
constexpr std::array<Key, 4> OwnKeys{{{"INIT_XY", "X"}, {"INIT_XY", "Y"}, {"INIT_MODE", "HMS"}, {"INIT_MODE", "HIS"}}};

// Values as the program writes them at exit (" 0" is the repaired coordinate of start-up).
using Values = std::array<QByteArray, 4>;
const std::array<Values, 3> ValueSets{
    {{"1530", "2595", "0", "1"}, {"-120", " 0", "2", "0"}, {"8670", "1E+07", "1", "0"}}};

constexpr qsizetype Megabyte = 1024 * 1024;

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isOwnKey(QByteArrayView section, QByteArrayView key)
{
    for (const Key &k : OwnKeys)
        if (sameName(section, k.section) && sameName(key, k.key))
            return true;
    return false;
}

QByteArray blanksTrimmed(QByteArrayView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t'))
        ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t'))
        --e;
    return t.sliced(b, e - b).toByteArray();
}

// Lines with their endings; a line ends after "\n", or after "\r" in a text without any "\n".
QByteArrayList splitLines(QByteArrayView text)
{
    QByteArrayList lines;
    const char eol = !text.contains('\n') && text.contains('\r') ? '\r' : '\n';
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype nl = text.indexOf(eol, pos);
        const qsizetype end = nl < 0 ? text.size() : nl + 1;
        lines << text.sliced(pos, end - pos).toByteArray();
        pos = end;
    }
    return lines;
}

QByteArray withoutEnding(const QByteArray &line)
{
    QByteArray t = line;
    if (t.endsWith('\n'))
        t.chop(1);
    if (t.endsWith('\r'))
        t.chop(1);
    return t;
}

QByteArray ending(const QByteArray &line)
{
    return line.mid(withoutEnding(line).size());
}

// A line the writer may add: one of the two section headers, or an own key with its value.
bool isAddedLine(const QByteArray &line, const Values &values)
{
    const QByteArray eol = ending(line);
    if (eol != "\n" && eol != "\r\n" && eol != "\r")
        return false;
    const QByteArray t = withoutEnding(line);
    if (t == "[INIT_XY]" || t == "[INIT_MODE]")
        return true;
    for (size_t i = 0; i < OwnKeys.size(); ++i)
        if (t == QByteArray(OwnKeys[i].key) + '=' + values[i])
            return true;
    return false;
}

// The line of an own key with only its value replaced: name, "=", the blanks around the
// value and the line ending as they were.
bool isValueReplaced(const QByteArray &before, const QByteArray &after, const Values &values)
{
    const qsizetype eq = before.indexOf('=');
    if (eq < 0 || after.left(eq + 1) != before.left(eq + 1) || ending(before) != ending(after))
        return false;
    const QByteArray name = blanksTrimmed(QByteArrayView(before).first(eq));
    bool own = false;
    for (const Key &k : OwnKeys)
        own = own || sameName(name, k.key);
    if (!own)
        return false;
    const QByteArray oldValue = withoutEnding(before).mid(eq + 1);
    const QByteArray newValue = withoutEnding(after).mid(eq + 1);
    qsizetype lead = 0;
    while (lead < oldValue.size() && (oldValue[lead] == ' ' || oldValue[lead] == '\t'))
        ++lead;
    qsizetype trail = 0;
    while (trail < oldValue.size() - lead
           && (oldValue[oldValue.size() - 1 - trail] == ' ' || oldValue[oldValue.size() - 1 - trail] == '\t'))
        ++trail;
    for (const QByteArray &v : values)
        if (newValue == oldValue.left(lead) + v + oldValue.right(trail))
            return true;
    return false;
}

// Every line of `before` is in `after`, in order, byte for byte, except that an own key's
// value may be replaced and the last line may gain a line ending; every other line of
// `after` is an added header or own key.
void checkLinesKept(const QByteArray &before, const QByteArray &after, const Values &values)
{
    const QByteArray bom("\xEF\xBB\xBF");
    if (before.startsWith(bom) != after.startsWith(bom) && !before.isEmpty())
        fail("byte-order mark changed");
    const qsizetype skip = before.startsWith(bom) ? 3 : 0;
    const QByteArrayList old = splitLines(QByteArrayView(before).sliced(skip));
    const QByteArrayList now = splitLines(QByteArrayView(after).sliced(std::min(skip, after.size())));
    qsizetype i = 0, j = 0;
    int replaced = 0, added = 0;
    while (i < old.size()) {
        if (j >= now.size())
            fail("a line was lost", old[i]);
        const QByteArray &o = old[i];
        const QByteArray &n = now[j];
        // The last line may have gained a line ending (LF, or CRLF as the file's first line has,
        // or CR in a file of CR endings).
        QByteArray gained = n;
        if (i == old.size() - 1 && !o.endsWith('\n') && gained.endsWith('\n')) {
            gained.chop(1);
            if (gained.endsWith('\r') && !o.endsWith('\r'))
                gained.chop(1);
        } else if (i == old.size() - 1 && !o.endsWith('\r') && gained.endsWith('\r') && !o.contains('\n')) {
            gained.chop(1);
        }
        if (n == o || gained == o) {
            ++i;
            ++j;
        } else if (isValueReplaced(o, n, values) || isValueReplaced(o, gained, values)) {
            ++replaced;
            ++i;
            ++j;
        } else if (isAddedLine(n, values)) {
            ++added;
            ++j;
        } else {
            fail("a line changed", o + " -> " + n);
        }
    }
    for (; j < now.size(); ++j) {
        if (!isAddedLine(now[j], values))
            fail("a foreign line was added", now[j]);
        ++added;
    }
    if (replaced > 4 || added > 6)
        fail("more lines changed than the four keys need");
}

// Names that stand in the file, to ask the text for their values.
void collectNames(const QByteArray &text, QByteArrayList &sections, QByteArrayList &keys)
{
    sections << "INIT_XY"
             << "INIT_MODE"
             << "";
    keys << "X"
         << "Y"
         << "HMS"
         << "HIS";
    // Each pair costs two reads of the whole text: a large one is asked for the own
    // sections' foreign keys only.
    if (text.size() > 64 * 1024)
        return;
    const qsizetype most = 8;
    const qsizetype sectionLimit = sections.size() + most, keyLimit = keys.size() + most;
    const auto add = [](QByteArrayList &names, qsizetype limit, const QByteArray &name) {
        if (names.size() < limit
            && std::none_of(names.begin(), names.end(), [&](const QByteArray &n) { return sameName(n, name); }))
            names << name;
    };
    qsizetype pos = 0;
    while (pos < text.size() && (sections.size() < sectionLimit || keys.size() < keyLimit)) {
        const qsizetype nl = text.indexOf('\n', pos);
        const qsizetype end = nl < 0 ? text.size() : nl + 1;
        const QByteArray line = text.sliced(pos, end - pos);
        pos = end;
        const QByteArray t = blanksTrimmed(withoutEnding(line));
        if (t.startsWith('[') && t.indexOf(']') > 0)
            add(sections, sectionLimit, blanksTrimmed(QByteArrayView(t).sliced(1, t.indexOf(']') - 1)));
        else if (line.indexOf('=') > 0)
            add(keys, keyLimit, blanksTrimmed(QByteArrayView(line).first(line.indexOf('='))));
    }
}

void checkWrite(const QByteArray &before, const QByteArray &after, const Values &values)
{
    const IniText was(before), now(after);
    for (size_t i = 0; i < OwnKeys.size(); ++i) {
        const auto v = now.value(OwnKeys[i].section, OwnKeys[i].key);
        if (!v || *v != blanksTrimmed(values[i]))
            fail("a written key does not read back", QByteArray(OwnKeys[i].key));
    }
    QByteArrayList sections, keys;
    collectNames(before, sections, keys);
    for (const QByteArray &s : sections)
        for (const QByteArray &k : keys)
            if (!isOwnKey(s, k) && was.value(s, k) != now.value(s, k))
                fail("another key changed its value", s + '/' + k);
    checkLinesKept(before, after, values);
}

QByteArray writeValues(const QByteArray &text, const Values &values)
{
    IniText t(text);
    for (size_t i = 0; i < OwnKeys.size(); ++i)
        t.setValue(OwnKeys[i].section, OwnKeys[i].key, values[i]);
    return t.bytes();
}

QByteArray shape(const uint8_t *data, size_t size)
{
    QByteArray content(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (data[0] & 0x04)
        content = "\xEF\xBB\xBF" + content.replace("\n", "\r\n");
    if (data[0] & 0x08)
        content.replace('\n', '\r');
    return content;
}

// Other values over the written ones and the first ones again. Values are replaced between
// the blanks around them, so a value that begins with a blank (the repaired " 0") leaves one
// more blank behind: byte for byte the same text comes back only for values without one.
void checkOverwrite(const QByteArray &after, const Values &values, const Values &other)
{
    const QByteArray overwritten = writeValues(after, other);
    checkWrite(after, overwritten, other);
    const QByteArray back = writeValues(overwritten, values);
    checkWrite(overwritten, back, values);
    const auto blankFree = [](const Values &vs) {
        return std::none_of(vs.begin(), vs.end(), [](const QByteArray &v) { return v.startsWith(' '); });
    };
    if (blankFree(values) && blankFree(other) && back != after)
        fail("other values and back did not restore the text");
}

// The text of a UTF-16 file behind its byte-order mark, as UTF-8.
QByteArray fromUtf16(const QByteArray &bytes)
{
    QStringDecoder decode(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                          QStringDecoder::Flag::Stateless);
    return QString(decode(QByteArrayView(bytes).sliced(2))).toUtf8();
}

// The file functions work on a real file; tmpfs keeps the writes cheap where there is one.
QString scratchFile()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/vantoro-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vantoro-fuzz-XXXXXX"));
    if (!dir.isValid())
        fail("no scratch directory");
    return dir.filePath(QStringLiteral("VANTORO.INI"));
}

void checkFile(const QByteArray &before, uint8_t control)
{
    const Values &values = ValueSets[(control >> 4) % ValueSets.size()];
    const Values &other = ValueSets[((control >> 4) + 1) % ValueSets.size()];

    const QByteArray after = writeValues(before, values);
    checkWrite(before, after, values);
    if (before.size() <= 64 * 1024) // a megabyte file is written once: slow enough
        checkOverwrite(after, values, other);

    if ((control & 0xF0) != 0xF0)
        return;

    // Through the file, as start-up and exit do it.
    const QString file = scratchFile();
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(before) != before.size())
            fail("cannot prepare the file");
    }
    for (const Key &k : OwnKeys) {
        const QString v = Ini_Read(QString::fromLatin1(k.section), QString::fromLatin1(k.key), file);
        if (v.size() > 15) // an empty value reads as the empty text, an absent one as "-"
            fail("a read gave more than 15 characters");
    }
    std::vector<IniEntry> entries;
    for (size_t i = 0; i < OwnKeys.size(); ++i)
        entries.push_back({QString::fromLatin1(OwnKeys[i].section), QString::fromLatin1(OwnKeys[i].key),
                           QString::fromLatin1(values[i])});
    const bool utf16 = before.startsWith("\xFF\xFE") || before.startsWith("\xFE\xFF");
    const bool wrote = Ini_Write(entries, file);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        fail("the written file cannot be read");
    const QByteArray written = f.readAll();
    if (!wrote) {
        // Only a UTF-16 file whose bytes would not come back as they were is refused, and stays.
        if (!utf16)
            fail("the file could not be written");
        if (written != before)
            fail("a refused write changed the file");
        return;
    }
    if (utf16) {
        if (written.left(2) != before.left(2))
            fail("the UTF-16 byte-order mark changed");
        checkWrite(fromUtf16(before), fromUtf16(written), values);
    } else {
        checkWrite(before, written, values);
    }
    for (size_t i = 0; i < OwnKeys.size(); ++i) {
        const QString v = Ini_Read(QString::fromLatin1(OwnKeys[i].section), QString::fromLatin1(OwnKeys[i].key), file);
        if (v != QString::fromLatin1(blanksTrimmed(values[i])))
            fail("a written key does not read back from the file", QByteArray(OwnKeys[i].key));
    }
}

} // namespace

// Files of a megabyte and more, each through memory and the files.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QByteArray program("[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=0\nHIS=1\n");
    const QByteArray foreign("; note\n[Other]\nX=7\n[init_xy]\n x = 12 \nZ=\x00\n");
    const QByteArray large[] = {
        program.repeated(Megabyte / program.size() + 1),                                    // sections repeated
        QByteArray(Megabyte, 'v') + '\n' + program,                                         // a megabyte line
        program + QByteArray(3 * Megabyte, '\0'),                                           // NULs, no line end
        "\xEF\xBB\xBF" + foreign.repeated(Megabyte / foreign.size()).replace("\n", "\r\n"), // BOM, CRLF
        QByteArray(Megabyte, '\n') + "[INIT_MODE]\nHMS=2",                                  // empty lines
    };
    for (const QByteArray &text : large)
        checkFile(text, 0xF0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 0)
        checkFile(shape(data, size), data[0]);
    return 0;
}
