#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
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
    const auto value = IniText(bytes).value(section.toUtf8(), key.toUtf8());
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
    IniText text(old);
    for (const IniEntry &e : entries)
        text.setValue(e.section.toUtf8(), e.key.toUtf8(), e.value.toUtf8());
    if (read == ReadResult::Read && text.bytes() == old)
        return true;

    // QSaveFile writes a complete new file and only then puts it in place of the old one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.bytes()) != text.bytes().size() || !out.commit()) {
        reportWriteFailure(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace vantoro
