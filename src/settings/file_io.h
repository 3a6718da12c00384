// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading, locking and replacing the settings file with the file system's own calls, on the
// path's real bytes (see native_path.h), relative to the file's directory so that a path
// near PATH_MAX still works. Internal to the settings module.
#include <QByteArray>
#include <QString>

namespace vantoro::settings_io {

// A settings file holds four short lines; anything far larger is not ours to load into
// memory, and is neither read nor written.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

enum class ReadResult { Read, Absent, Unreadable };

// The whole file, or why not: Absent when there is no file (nor a dangling link), Unreadable
// when there is one that cannot be read or is not a plain file of at most MaxFileSize bytes.
ReadResult readFile(const QString &file, QByteArray &bytes);

// Held while one copy of the program reads, changes and replaces the file, so that two copies
// exiting together do not mix their values. It is an advisory lock on "<file>.lock", which the
// system releases when its holder dies: no lock is ever stale. Waiting for it is bounded by a
// fraction of a second; a lock file that cannot be used (a directory, a symbolic link, a
// directory without write access) is not waited for at all. Without the lock the file is still
// replaced whole, so it is never torn.
class SaveLock
{
public:
    explicit SaveLock(const QString &file);
    ~SaveLock();
    SaveLock(const SaveLock &) = delete;
    SaveLock &operator=(const SaveLock &) = delete;

private:
    int m_fd = -1;
    int m_dir = -1;
    QByteArray m_name;
};

struct WriteResult {
    bool ok = false;
    bool inPlace = false; // the directory could not take a new file: the file was overwritten
    QString error;
};

// Writes `bytes` as the file: a new file in the same directory that then takes the old one's
// place (a crash leaves the old file or the new one). Where the directory cannot take a new
// file but the file itself can be written, it is overwritten in place. A symbolic link is
// followed, as an editor would.
WriteResult replaceFile(const QString &file, const QByteArray &bytes);

// Creates the file's directory and its parents where missing.
bool makeDirectoryFor(const QString &file);

// Removes what a save killed between writing its new file and putting it in place left
// behind: files of the temporary pattern of `file` in its directory, owned by this user and
// older than any save still running.
void removeLeftoverTemporaries(const QString &file);

// Whether something (a file, directory or link) exists at the path.
bool exists(const QString &path);
// Whether the path is a directory this process may create files in.
bool isWritableDirectory(const QString &path);

} // namespace vantoro::settings_io
