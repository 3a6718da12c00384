// SPDX-License-Identifier: GPL-3.0-or-later
// QFile, QSaveFile and QLockFile would be the natural tools, but each falls short here:
// they take the path as a QString and cannot name a directory that is not valid UTF-8;
// QSaveFile's temporary name (the file name plus seven characters) does not fit beside a
// name of 250 characters, and it offers no way to recognise its leftovers; and QLockFile
// waits for lock files it cannot judge (garbage, a directory, another live process's id).
#include "settings/file_io.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QThread>
#include <chrono>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/native_path.h"

namespace vantoro::settings_io {

namespace {

// How long a save waits for another copy of the program that is saving the same file: a save
// takes milliseconds.
constexpr auto LockWait = std::chrono::milliseconds(250);
// A temporary file older than this belongs to no running save.
constexpr int LeftoverAgeSeconds = 60;
constexpr int SuffixLength = 6;

// The directory part (at least "/" or ".") and the last component of a path.
struct Split {
    QByteArray dir, name;
};
Split split(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), path};
    return {slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

// The directory, open for the *at calls; -1 on failure.
int openDirectory(const QByteArray &dir)
{
    return ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

long nameMax(int dirFd)
{
    const long n = ::fpathconf(dirFd, _PC_NAME_MAX);
    return n > 0 ? n : 255;
}

// The stem of the temporary and lock names: the file name itself where the longer of the two
// still fits the file system's name limit, else a short name made from it, the same for every
// copy of the program.
QByteArray stemFor(const QByteArray &name, int dirFd)
{
    if (name.size() + 1 + SuffixLength <= nameMax(dirFd))
        return name;
    return ".vantoro-" + QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16);
}

bool isTemporaryName(const QByteArray &entry, const QByteArray &stem)
{
    if (entry.size() != stem.size() + 1 + SuffixLength || !entry.startsWith(stem) || entry.at(stem.size()) != '.')
        return false;
    for (qsizetype i = stem.size() + 1; i < entry.size(); ++i) {
        const char c = entry.at(i);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A symbolic link is replaced by its target, as an editor saving through it would do.
QByteArray resolved(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char *real = ::realpath(path.constData(), nullptr);
    if (!real)
        return path;
    const QByteArray target(real);
    std::free(real);
    return target;
}

// Overwrites the file itself: the fallback for a directory that takes no new file.
WriteResult overwrite(int dirFd, const QByteArray &name, const QByteArray &bytes)
{
    WriteResult r;
    Fd fd(::openat(dirFd, name.constData(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0 || !writeAll(fd.get(), bytes) || ::ftruncate(fd.get(), off_t(bytes.size())) != 0
        || ::fsync(fd.get()) != 0) {
        r.error = lastError();
        return r;
    }
    r.ok = true;
    r.inPlace = true;
    return r;
}

} // namespace

ReadResult readFile(const QString &file, QByteArray &bytes)
{
    const QByteArray path = nativePath(file);
    struct stat st;
    if (path.isEmpty() || ::lstat(path.constData(), &st) != 0)
        return errno == ENOENT || path.isEmpty() ? ReadResult::Absent : ReadResult::Unreadable;
    Fd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxFileSize)
        return ReadResult::Unreadable;
    bytes.clear();
    bytes.reserve(qsizetype(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadResult::Unreadable;
        if (n == 0)
            break;
        bytes.append(buf, n);
        if (bytes.size() > MaxFileSize) // grown since it was measured
            return ReadResult::Unreadable;
    }
    return ReadResult::Read;
}

SaveLock::SaveLock(const QString &file)
{
    const Split where = split(resolved(nativePath(file)));
    m_dir = openDirectory(where.dir);
    if (m_dir < 0)
        return;
    m_name = stemFor(where.name, m_dir) + ".lock";
    const auto until = std::chrono::steady_clock::now() + LockWait;
    for (;;) {
        // O_NOFOLLOW: a symbolic link in place of the lock is not followed to some other file.
        Fd fd(::openat(m_dir, m_name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644));
        if (fd.get() < 0)
            return; // not a file we can lock: go on without
        struct stat held, now;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            // The holder before us may have removed the file as we opened it: lock the one in place.
            if (::fstat(fd.get(), &held) == 0 && ::fstatat(m_dir, m_name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0
                && held.st_dev == now.st_dev && held.st_ino == now.st_ino) {
                m_fd = fd.release();
                return;
            }
            continue;
        }
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= until)
            return;
        QThread::msleep(5);
    }
}

SaveLock::~SaveLock()
{
    if (m_fd >= 0) {
        // Removed while still held, so that a waiting copy finds a fresh file.
        ::unlinkat(m_dir, m_name.constData(), 0);
        ::close(m_fd);
    }
    if (m_dir >= 0)
        ::close(m_dir);
}

WriteResult replaceFile(const QString &file, const QByteArray &bytes)
{
    WriteResult r;
    const Split where = split(resolved(nativePath(file)));
    Fd dir(openDirectory(where.dir));
    if (dir.get() < 0) {
        r.error = lastError();
        return r;
    }
    struct stat old;
    const bool hadFile = ::fstatat(dir.get(), where.name.constData(), &old, 0) == 0;
    if (hadFile && ::faccessat(dir.get(), where.name.constData(), W_OK, AT_EACCESS) != 0) {
        r.error = lastError();
        return r;
    }

    const QByteArray stem = stemFor(where.name, dir.get());
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray temp;
    Fd out;
    for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
        temp = stem + '.';
        for (int i = 0; i < SuffixLength; ++i)
            temp += alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet - 1))];
        out.reset(::openat(dir.get(), temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (out.get() < 0 && errno != EEXIST)
            break;
    }
    if (out.get() < 0) {
        if (hadFile && (errno == EACCES || errno == EPERM))
            return overwrite(dir.get(), where.name, bytes);
        r.error = lastError();
        return r;
    }

    mode_t mode;
    if (hadFile) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool written = ::fchmod(out.get(), mode) == 0 && writeAll(out.get(), bytes) && ::fsync(out.get()) == 0;
    const int closed = ::close(out.release());
    if (!written || closed != 0 || ::renameat(dir.get(), temp.constData(), dir.get(), where.name.constData()) != 0) {
        r.error = lastError();
        ::unlinkat(dir.get(), temp.constData(), 0);
        return r;
    }
    r.ok = true;
    return r;
}

bool makeDirectoryFor(const QString &file)
{
    const QByteArray dir = split(nativePath(file)).dir;
    for (qsizetype pos = 1; pos <= dir.size(); ++pos) {
        if (pos < dir.size() && dir.at(pos) != '/')
            continue;
        const QByteArray part = dir.left(pos);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st;
    return ::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

void removeLeftoverTemporaries(const QString &file)
{
    const Split where = split(resolved(nativePath(file)));
    Fd dirFd(openDirectory(where.dir));
    if (dirFd.get() < 0)
        return;
    const QByteArray stems[] = {where.name, stemFor(where.name, dirFd.get())};
    DIR *dir = ::fdopendir(::dup(dirFd.get()));
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray entry(e->d_name);
        if (!isTemporaryName(entry, stems[0]) && !isTemporaryName(entry, stems[1]))
            continue;
        struct stat st;
        if (::fstatat(dirFd.get(), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && now - st.st_mtime > LeftoverAgeSeconds)
            ::unlinkat(dirFd.get(), e->d_name, 0);
    }
    ::closedir(dir);
}

bool exists(const QString &path)
{
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

bool isWritableDirectory(const QString &path)
{
    const QByteArray p = nativePath(path);
    struct stat st;
    return ::stat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(p.constData(), W_OK | X_OK) == 0;
}

} // namespace vantoro::settings_io
