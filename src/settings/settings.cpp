// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

#include <climits>
#include <unistd.h>

#include "settings/file_io.h"
#include "settings/ini_text.h"
#include "settings/native_path.h"

namespace vantoro {

using namespace settings_io;

namespace {

constexpr qsizetype ValueLength = 15;

// The file's text as the line editor sees it (UTF-8 or ASCII, perhaps behind a UTF-8 byte-order
// mark), and how to turn an edited text back into the file's own bytes. A file written by a
// Windows editor as "Unicode" is UTF-16 behind its byte-order mark: it is read as such, and
// written back whole in UTF-16 with the same mark, so no file mixes two encodings.
struct FileText {
    QByteArray text;
    std::optional<QStringConverter::Encoding> utf16; // the file's encoding when it is UTF-16
    bool rewritable = true;                          // false when the bytes would not come back as they were

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

void reportWrittenInPlace(const QString &file)
{
    static QSet<QString> reported;
    if (reported.contains(file))
        return;
    reported.insert(file);
    qWarning("vantoro: the folder of the settings file %s does not let a new file be made; the file was "
             "overwritten in place instead of being replaced whole.",
             qUtf8Printable(QDir::toNativeSeparators(file)));
}

// The file read in place of a per-user settings file that does not exist yet: the one beside
// an installed program, which is read but never written.
QHash<QString, QString> &readInstead()
{
    static QHash<QString, QString> files;
    return files;
}

ReadResult readSettings(const QString &file, QByteArray &bytes)
{
    const ReadResult r = readFile(file, bytes);
    if (r != ReadResult::Absent)
        return r;
    const auto other = readInstead().constFind(file);
    if (other == readInstead().cend())
        return r;
    // Something beside the program that cannot be read does not keep the user's file from
    // being written.
    if (readFile(*other, bytes) == ReadResult::Read)
        return ReadResult::Read;
    bytes.clear();
    return ReadResult::Absent;
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString directoryOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// The running executable as the file system names it. /proc/self/exe gives its bytes, also
// for a directory name that is not UTF-8, where Qt's own answer is empty.
QString executablePath()
{
    QByteArray buf(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), size_t(buf.size()));
    if (n > 0 && n < buf.size())
        return pathFromNative(QByteArrayView(buf.constData(), n));
    return QCoreApplication::applicationFilePath();
}

} // namespace

QString App_Path()
{
    const QString exe = executablePath();
    const QString name = fileNameOf(exe);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return directoryOf(exe) + QLatin1Char('/') + (dot < 0 ? name : name.left(dot));
}

QString settingsFilePathFor(const QString &appPath, const QString &userConfigDir, bool installed)
{
    const QString beside = appPath + QStringLiteral(".INI");
    const QString perUser = userConfigDir.isEmpty() ? QString()
                                                    : userConfigDir + QStringLiteral("/vantoro/") + fileNameOf(beside);
    if (installed) {
        // A file beside an installed program (left by an older version, or put there by an
        // administrator) is still read until the user's own exists; the program directory
        // belongs to the system and is never written.
        if (!perUser.isEmpty() && exists(beside))
            readInstead().insert(perUser, beside);
        return perUser;
    }
    if (exists(beside) || perUser.isEmpty() || isWritableDirectory(directoryOf(beside)))
        return beside;
    return perUser;
}

bool isInstalledProgram(const QString &appPath)
{
#ifdef VANTORO_INSTALLED_MARKER
    // A file that only the installation puts there, relative to the executable's directory.
    return exists(directoryOf(appPath) + QStringLiteral("/" VANTORO_INSTALLED_MARKER));
#else
    Q_UNUSED(appPath);
    return false;
#endif
}

QString userConfigDirectory()
{
    if (QStandardPaths::isTestModeEnabled())
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // The XDG rule: a relative XDG_CONFIG_HOME is invalid and ignored. Taken as bytes, so a
    // home directory that is not UTF-8 is found too.
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (xdg.startsWith('/'))
        return pathFromNative(xdg);
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return pathFromNative(home) + QStringLiteral("/.config");
    const QString fallback = QDir::homePath();
    return fallback.startsWith(QLatin1Char('/')) ? fallback + QStringLiteral("/.config") : QString();
}

QString settingsFilePath()
{
    const QString app = App_Path();
    const QString file = settingsFilePathFor(app, userConfigDirectory(), isInstalledProgram(app));
    if (!file.isEmpty())
        removeLeftoverTemporaries(file);
    return file;
}

QString Ini_Read(const QString &section, const QString &key, const QString &file)
{
    const QString absent = QStringLiteral("-");
    QByteArray bytes;
    if (readSettings(file, bytes) != ReadResult::Read)
        return absent;
    const auto value = IniText(decodeFile(bytes).text).value(section.toUtf8(), key.toUtf8());
    if (!value)
        return absent;
    return QString::fromUtf8(*value).left(ValueLength);
}

bool Ini_Write(const std::vector<IniEntry> &entries, const QString &file)
{
    if (file.isEmpty()) {
        reportWriteFailure(file, QStringLiteral("there is no place for it"));
        return false;
    }
    makeDirectoryFor(file);
    const SaveLock lock(file);

    QByteArray old;
    const ReadResult read = readSettings(file, old);
    if (read == ReadResult::Unreadable) {
        // Rewriting it would lose whatever else it holds.
        reportWriteFailure(file, QStringLiteral("it cannot be read"));
        return false;
    }
    const FileText decoded = decodeFile(old);
    IniText text(decoded.text);
    for (const IniEntry &e : entries)
        text.setValue(e.section.toUtf8(), e.key.toUtf8(), e.value.toUtf8());
    if (read == ReadResult::Read && text.bytes() == decoded.text && exists(file))
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
    const WriteResult written = replaceFile(file, bytes);
    if (!written.ok) {
        reportWriteFailure(file, written.error);
        return false;
    }
    if (written.inPlace)
        reportWrittenInPlace(file);
    return true;
}

} // namespace vantoro
