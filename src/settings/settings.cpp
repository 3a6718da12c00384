#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

#include "settings/ini_text.h"

namespace vantoro {

namespace {

constexpr qsizetype ValueLength = 15;
// A settings file holds four short lines; anything far larger is not ours to load into
// memory, and is neither read nor rewritten.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// How long an exit waits for another copy of the program that is writing the same file.
// A write takes milliseconds, so a lock older than LockStaleMs was left by a copy that died
// before it could write its process id into the lock file (one with a dead process id is
// taken over at once).
constexpr int LockWaitMs = 3000;
constexpr int LockStaleMs = 2000;

enum class ReadResult { Read, Absent, Unreadable };

// The whole file, or why not: Absent when there is no file, Unreadable when there is one
// that cannot be read or is not a plain file of a sensible size.
ReadResult readFile(const QString &file, QByteArray &bytes)
{
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return ReadResult::Absent;
    if (!info.isFile() || info.size() > MaxFileSize)
        return ReadResult::Unreadable;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    bytes = f.readAll(); // the size was checked above; a file that grew since is refused below
    if (f.error() != QFileDevice::NoError || bytes.size() > MaxFileSize)
        return ReadResult::Unreadable;
    return ReadResult::Read;
}

// The file's text as the line editor sees it (UTF-8 or ASCII, perhaps behind a UTF-8 byte-order
// mark), and how to turn an edited text back into the file's own bytes. A file written by a
// Windows editor as "Unicode" is UTF-16 behind its byte-order mark: it is read as such, and
// written back whole in UTF-16 with the same mark, so no file mixes two encodings.
struct FileText {
    QByteArray text;
    std::optional<QStringConverter::Encoding> utf16; // the file's encoding when it is UTF-16
    bool rewritable = true; // false when the bytes would not come back as they were

    QByteArray bytesOf(const QByteArray &edited) const
    {
        if (!utf16)
            return edited;
        QStringEncoder encode(*utf16);
        const QByteArray bom = *utf16 == QStringConverter::Utf16LE ? QByteArrayLiteral("\xFF\xFE")
                                                                     : QByteArrayLiteral("\xFE\xFF");
        return bom + QByteArray(encode(QString::fromUtf8(edited)));
    }
};

FileText decodeFile(const QByteArray &bytes)
{
    FileText t;
    if (bytes.startsWith("\xFF\xFE"))
        t.utf16 = QStringConverter::Utf16LE;
    else if (bytes.startsWith("\xFE\xFF"))
        t.utf16 = QStringConverter::Utf16BE;
    if (!t.utf16) {
        t.text = bytes;
        return t;
    }
    QStringDecoder decode(*t.utf16, QStringDecoder::Flag::Stateless);
    const QString text = decode(QByteArrayView(bytes).sliced(2));
    t.text = text.toUtf8();
    // An odd byte or a lone surrogate would come back changed: such a file is read, not written.
    t.rewritable = !decode.hasError() && t.bytesOf(t.text) == bytes;
    return t;
}

// Once per file and process: the user learns that the settings are not kept, and an exit
// is not held up by a dialog for it.
void reportWriteFailure(const QString &file, const QString &reason)
{
    static QSet<QString> reported;
    if (reported.contains(file))
        return;
    reported.insert(file);
    qWarning("vantoro: the settings file %s cannot be written (%s); the settings of this run are not kept.",
             qUtf8Printable(QDir::toNativeSeparators(file)), qUtf8Printable(reason));
}

} // namespace

QString App_Path()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName();
}

QString settingsFilePathFor(const QString &appPath, const QString &userConfigDir)
{
    const QString beside = appPath + QStringLiteral(".INI");
    const QFileInfo info(beside);
    if (info.exists() || info.isSymLink() || userConfigDir.isEmpty())
        return beside;
    const QFileInfo dir(info.absolutePath());
    if (dir.isDir() && dir.isWritable())
        return beside;
    return userConfigDir + QStringLiteral("/vantoro/") + info.fileName();
}

QString settingsFilePath()
{
    return settingsFilePathFor(App_Path(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString Ini_Read(const QString &section, const QString &key, const QString &file)
{
    const QString absent = QStringLiteral("-");
    QByteArray bytes;
    if (readFile(file, bytes) != ReadResult::Read)
        return absent;
    const auto value = IniText(decodeFile(bytes).text).value(section.toUtf8(), key.toUtf8());
    if (!value)
        return absent;
    return QString::fromUtf8(*value).left(ValueLength);
}

bool Ini_Write(const std::vector<IniEntry> &entries, const QString &file)
{
    const QFileInfo info(file);
    QDir().mkpath(info.absolutePath());

    // Two copies of the program exiting together must not mix their values: each reads,
    // changes and replaces the file while holding the lock. A copy that cannot get the lock
    // in time still replaces the file whole.
    QLockFile lock(file + QStringLiteral(".lock"));
    lock.setStaleLockTime(LockStaleMs);
    lock.tryLock(LockWaitMs);

    QByteArray old;
    const ReadResult read = readFile(file, old);
    if (read == ReadResult::Unreadable) {
        // Rewriting it would lose whatever else it holds.
        reportWriteFailure(file, QStringLiteral("it cannot be read"));
        return false;
    }
    const FileText decoded = decodeFile(old);
    IniText text(decoded.text);
    for (const IniEntry &e : entries)
        text.setValue(e.section.toUtf8(), e.key.toUtf8(), e.value.toUtf8());
    if (read == ReadResult::Read && text.bytes() == decoded.text)
        return true;
    if (!decoded.rewritable) {
        reportWriteFailure(file, QStringLiteral("its UTF-16 text is not well formed"));
        return false;
    }
    const QByteArray bytes = decoded.bytesOf(text.bytes());
    if (bytes.size() > MaxFileSize) {
        // The next start would refuse it and lose every value.
        reportWriteFailure(file, QStringLiteral("it would grow beyond %1 bytes").arg(MaxFileSize));
        return false;
    }

    // QSaveFile writes a complete new file and only then puts it in place of the old one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        reportWriteFailure(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace vantoro
