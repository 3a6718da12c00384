// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace vantoro {

namespace {

// Lets go of the process's mappings of font files' pages. FreeType maps every font file it
// opens whole, read-only and private, so no page of one ever differs from the file: a page
// let go of stays in the page cache and is mapped again when it is next read.
void releaseFontFilePages()
{
#ifdef MADV_DONTNEED
    // Read whole, in as few reads as it takes: the table is written afresh for each one, and
    // only the few lines of font files need taking apart.
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    QByteArray maps(64 * 1024, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == maps.size())
            maps.resize(2 * maps.size());
        const ssize_t n = ::read(fd, maps.data() + used, size_t(maps.size() - used));
        if (n <= 0)
            break;
        used += n;
    }
    ::close(fd);
    maps.truncate(used); // ends in a NUL
    // Each line: from-to perms offset device inode path
    for (qsizetype at = 0; at < used;) {
        const char *line = maps.constData() + at;
        const auto *newline = static_cast<const char *>(std::memchr(line, '\n', size_t(used - at)));
        const qsizetype length = newline ? newline - line : used - at;
        at += length + 1;
        const QByteArrayView tail = QByteArrayView(line, length).last(std::min<qsizetype>(length, 4));
        const bool fontFile = tail.compare(".ttf", Qt::CaseInsensitive) == 0
                              || tail.compare(".otf", Qt::CaseInsensitive) == 0
                              || tail.compare(".ttc", Qt::CaseInsensitive) == 0
                              || tail.compare(".otc", Qt::CaseInsensitive) == 0;
        if (!fontFile)
            continue;
        char *end = nullptr;
        const auto from = std::strtoul(line, &end, 16);
        if (*end != '-')
            continue;
        const auto to = std::strtoul(end + 1, &end, 16);
        if (std::strncmp(end, " r--p ", 6) == 0 && to > from)
            madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
    }
#endif
}

// FreeType's auto-hinter, the first time it hints a glyph of the CJK script in a font, measures
// that script's reference characters: some sixty ideographs spread over the whole of a Japanese
// font file. The kernel maps a file's pages in blocks of 64 kB, so that look leaves about 1.5 MB
// of the font file in the process's memory beside the few blocks of the glyphs the window draws.
// Taken here, once per family and before the window paints, while the process is still small,
// it is followed by letting those pages go; the window's own glyphs are mapped again as it
// draws them. The hinting is the same whenever the measurement is made.
void settleAutoHinter(const QFont &f)
{
    static QSet<QString> settled;
    if (settled.contains(f.family()))
        return;
    settled.insert(f.family());
    const QChar ideographicSpace(0x3000); // a CJK character with nothing to draw
    const QFontMetrics metrics(f);
    if (!metrics.inFont(ideographicSpace))
        return;
    metrics.horizontalAdvance(ideographicSpace);
    releaseFontFilePages();
}

} // namespace

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("IPAGothic"),
                               {QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans Mono CJK JP")});
}

QFont historyListFont()
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(HistoryFontPixels);
    f.setKerning(false);
    settleAutoHinter(f);
    return f;
}

namespace {

// The designed family or the first of its stand-ins that is installed, looked up once per
// family; empty when none is.
QString installedFamily(const QString &designed)
{
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(designed);
    if (known != resolved.cend())
        return *known;
    const QStringList installed = QFontDatabase::families();
    QString found;
    for (const QString &family : QStringList{designed} + QFont::substitutes(designed)) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            found = family;
            break;
        }
    }
    resolved.insert(designed, found);
    return found;
}

} // namespace

QFont fontFor(const FontDef &def)
{
    // Asked for by the family that is there, a font is found at once: asked for by a missing
    // one, each style first costs a fontconfig search of fallbacks, a tenth of the start-up.
    // Every caption is in the designed font's character set, which all the stand-ins cover,
    // so no glyph needs to come from another font either.
    const QString family = installedFamily(def.family);
    QFont f(family.isEmpty() ? def.family : family);
    f.setPixelSize(int(std::lround(def.points * 96.0 / 72.0)));
    f.setBold(def.bold);
    f.setItalic(def.italic);
    if (!family.isEmpty()) {
        f.setStyleStrategy(QFont::NoFontMerging);
        settleAutoHinter(f);
    }
    return f;
}

} // namespace vantoro
