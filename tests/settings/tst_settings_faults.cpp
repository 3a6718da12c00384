// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file under faults: no write access, a directory in its place, a writer
// killed while writing, and two copies of the program exiting at the same moment.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/app.h"
#include "engine/calculator.h"
#include "settings/file_io.h"
#include "settings/ini_text.h"
#include "settings/native_path.h"
#include "settings/settings.h"

using namespace vantoro;

namespace {

const QString Xy = QStringLiteral("INIT_XY");
const QString ModeSection = QStringLiteral("INIT_MODE");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The exit's four values.
std::vector<IniEntry> exitEntries(const QString &x, const QString &y, const QString &hms, const QString &his)
{
    return {{Xy, QStringLiteral("X"), x},
            {Xy, QStringLiteral("Y"), y},
            {ModeSection, QStringLiteral("HMS"), hms},
            {ModeSection, QStringLiteral("HIS"), his}};
}

QByteArray afterWriting(const QByteArray &before, const std::vector<IniEntry> &entries)
{
    IniText text(before);
    for (const IniEntry &e : entries)
        text.setValue(e.section.toUtf8(), e.key.toUtf8(), e.value.toUtf8());
    return text.bytes();
}

// A file large enough that replacing it takes a while: lines of the user's own around ours.
QByteArray paddedFile()
{
    QByteArray bytes = "; kept by hand\n[NOTES]\n";
    for (int i = 0; i < 8000; ++i)
        bytes += "LINE" + QByteArray::number(i) + "=the settings file must never be torn apart\n";
    bytes += "[INIT_XY]\nX=0\nY=0\n[INIT_MODE]\nHMS=0\nHIS=0\n";
    return bytes;
}

int waitExit(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

enum class As { Self, Unprivileged };

// Runs `check` in a child process and returns its exit code. An unprivileged child is bound
// by file permissions: as root it becomes the user "nobody", since a read-only directory
// means nothing to root.
int runInChild(const std::function<int()> &check, As as)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (as == As::Unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        _exit(check());
    }
    return pid < 0 ? -1 : waitExit(pid);
}

int g_writeFailureReports = 0;
void countWriteFailures(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtWarningMsg && msg.contains(QStringLiteral("cannot be written")))
        ++g_writeFailureReports;
}

} // namespace

class TstSettingsFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readOnlyDirectoryKeepsOldFileAndReportsFailure();
    void readOnlyProgramDirectoryMovesSettingsToUserConfig();
    void directoryInPlaceOfFileGivesDefaultsAndReportsFailure();
    void writerKilledInTheMiddleOfWritingLeavesOldFile();
    void fullDiskLeavesOldFileAndReportsFailure();
    void killedWriterLeavesOldOrNewFileComplete();
    void twoCopiesExitingAtOnceLeaveOneCompleteVersion();
    void writableFileInReadOnlyDirectoryIsOverwrittenInPlace();
    void refusedWriteLeavesTheFile_data();
    void refusedWriteLeavesTheFile();
    void directoryNameThatIsNotUtf8();
    void programInDirectoryThatIsNotUtf8();
    void longNamesSaveEveryTime_data();
    void longNamesSaveEveryTime();
    void oddLockFileDoesNotHoldUpTheSave_data();
    void oddLockFileDoesNotHoldUpTheSave();
    void leftoversOfAKilledSaveRemovedAtStart();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_readOnly;
};

void TstSettingsFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The unprivileged child must reach the directory.
    QVERIFY(chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    m_readOnly.clear();
}

void TstSettingsFaults::cleanup()
{
    if (!m_readOnly.isEmpty())
        chmod(QFile::encodeName(m_readOnly).constData(), 0755);
    m_dir.reset();
}

void TstSettingsFaults::readOnlyDirectoryKeepsOldFileAndReportsFailure()
{
    m_readOnly = m_dir->filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(m_readOnly));
    const QString path = m_readOnly + QStringLiteral("/VANTORO.INI");
    const QByteArray old = "[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=2\nHIS=1\n";
    QVERIFY(writeAll(path, old));
    QVERIFY(chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0555) == 0);

    const int code = runInChild(
        [&] {
        qInstallMessageHandler(countWriteFailures);
        if (Ini_Read(Xy, QStringLiteral("X"), path) != QLatin1String("1530"))
            return 1;
        if (Ini_Write(exitEntries(QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("0")),
                      path))
            return 2;
        Ini_Write(Xy, QStringLiteral("X"), QStringLiteral("8"), path);
        return g_writeFailureReports == 1 ? 0 : 3;
        },
        As::Unprivileged);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(m_readOnly).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("VANTORO.INI")});
}

void TstSettingsFaults::readOnlyProgramDirectoryMovesSettingsToUserConfig()
{
    m_readOnly = m_dir->filePath(QStringLiteral("usr/bin"));
    QVERIFY(QDir().mkpath(m_readOnly));
    const QString config = m_dir->filePath(QStringLiteral("home/.config"));
    QVERIFY(QDir().mkpath(config));
    QVERIFY(chmod(QFile::encodeName(config).constData(), 0777) == 0);
    QVERIFY(chmod(QFile::encodeName(m_dir->filePath(QStringLiteral("home"))).constData(), 0755) == 0);
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0555) == 0);
    const QString app = m_readOnly + QStringLiteral("/vantoro");

    const int code = runInChild(
        [&] {
        const QString path = settingsFilePathFor(app, config);
        if (path != config + QStringLiteral("/vantoro/vantoro.INI"))
            return 1;
        return Ini_Write(ModeSection, QStringLiteral("HMS"), QStringLiteral("1"), path) ? 0 : 2;
        },
        As::Unprivileged);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(config + QStringLiteral("/vantoro/vantoro.INI")), QByteArray("[INIT_MODE]\nHMS=1\n"));

    // A file beside the program, even a read-only one, is still the settings file.
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0755) == 0);
    QVERIFY(writeAll(app + QStringLiteral(".INI"), "[INIT_MODE]\nHMS=2\n"));
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0555) == 0);
    const int besideCode = runInChild([&] { return settingsFilePathFor(app, config) == app + ".INI" ? 0 : 1; },
                                      As::Unprivileged);
    QCOMPARE(besideCode, 0);
}

void TstSettingsFaults::directoryInPlaceOfFileGivesDefaultsAndReportsFailure()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/HMS=1")));

    Services services;
    Calculator c(services);
    c.st.IniFile = path;
    Form_Load(c);
    QCOMPARE(c.st.Mode, 0);
    QCOMPARE(c.ui.left, 0.0);

    c.ui.left = 1530;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("VANTORO\\.INI cannot be written")));
    Unload_Vantoro(c);
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(QFileInfo(path + QStringLiteral("/HMS=1")).isDir());
}

// The writer is stopped by the file size limit after half the new file: SIGXFSZ kills it
// in the middle of its write, as a crash would.
void TstSettingsFaults::writerKilledInTheMiddleOfWritingLeavesOldFile()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QByteArray old = paddedFile();
    QVERIFY(writeAll(path, old));

    const pid_t writer = fork();
    QVERIFY(writer >= 0);
    if (writer == 0) {
        const rlimit half{rlim_t(old.size() / 2), rlim_t(old.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &half);
        Ini_Write(exitEntries(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")),
                  path);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(writer, &status, 0), writer);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGXFSZ);
    QCOMPARE(readAll(path), old);
}

// The same limit with the signal ignored: the write fails as on a full disk.
void TstSettingsFaults::fullDiskLeavesOldFileAndReportsFailure()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QByteArray old = paddedFile();
    QVERIFY(writeAll(path, old));

    const int code = runInChild(
        [&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit half{rlim_t(old.size() / 2), rlim_t(old.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &half);
        qInstallMessageHandler(countWriteFailures);
        if (Ini_Write(exitEntries(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")),
                      path))
            return 1;
        return g_writeFailureReports == 1 ? 0 : 2;
        },
        As::Self);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(path), old);
}

void TstSettingsFaults::killedWriterLeavesOldOrNewFileComplete()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QByteArray start = paddedFile();
    QVERIFY(writeAll(path, start));
    const auto one = exitEntries(QStringLiteral("1111"), QStringLiteral("1111"), QStringLiteral("1"),
                                 QStringLiteral("1"));
    const auto two = exitEntries(QStringLiteral("2222"), QStringLiteral("2222"), QStringLiteral("2"),
                                 QStringLiteral("0"));
    const QByteArray versionOne = afterWriting(start, one);
    const QByteArray versionTwo = afterWriting(start, two);

    for (int round = 0; round < 12; ++round) {
        int progress[2];
        QVERIFY(pipe(progress) == 0);
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            close(progress[0]);
            for (int i = 0;; ++i) {
                Ini_Write(i % 2 ? two : one, path);
                if (write(progress[1], "w", 1) != 1)
                    _exit(1);
            }
        }
        close(progress[1]);
        // Let it complete a few writes, then kill it in the middle of the next one.
        char buf[4];
        const ssize_t want = 1 + round % 3;
        ssize_t got = 0;
        while (got < want) {
            const ssize_t n = read(progress[0], buf, size_t(want - got));
            QVERIFY(n > 0);
            got += n;
        }
        kill(writer, SIGKILL);
        waitExit(writer);
        close(progress[0]);
        // Killed while creating its lock, a writer leaves a lock file without its process
        // id, which the next writer only takes over once it has aged; that delay is not
        // what this test is about.
        QFile::remove(path + QStringLiteral(".lock"));

        const QByteArray now = readAll(path);
        QVERIFY2(now == versionOne || now == versionTwo, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void TstSettingsFaults::twoCopiesExitingAtOnceLeaveOneCompleteVersion()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QByteArray start = paddedFile();
    QVERIFY(writeAll(path, start));
    const auto first = exitEntries(QStringLiteral("1530"), QStringLiteral("2595"), QStringLiteral("1"),
                                   QStringLiteral("1"));
    const auto second = exitEntries(QStringLiteral("-120"), QStringLiteral("45"), QStringLiteral("2"),
                                    QStringLiteral("0"));
    const QByteArray versions[2] = {afterWriting(start, first), afterWriting(start, second)};

    for (int round = 0; round < 6; ++round) {
        int go[2];
        QVERIFY(pipe(go) == 0);
        pid_t copies[2];
        for (int k = 0; k < 2; ++k) {
            copies[k] = fork();
            QVERIFY(copies[k] >= 0);
            if (copies[k] == 0) {
                close(go[1]);
                char b;
                if (read(go[0], &b, 1) != 1)
                    _exit(1);
                for (int i = 0; i < 3; ++i) {
                    if (!Ini_Write(k == 0 ? first : second, path))
                        _exit(2);
                }
                _exit(0);
            }
        }
        close(go[0]);
        QCOMPARE(write(go[1], "gg", 2), ssize_t(2));
        close(go[1]);
        QCOMPARE(waitExit(copies[0]), 0);
        QCOMPARE(waitExit(copies[1]), 0);

        const QByteArray now = readAll(path);
        QVERIFY2(now == versions[0] || now == versions[1], qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

// The directory takes no new file, but the file itself may be written: it is overwritten in
// place, every other line kept, and the user told so.
void TstSettingsFaults::writableFileInReadOnlyDirectoryIsOverwrittenInPlace()
{
    m_readOnly = m_dir->filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(m_readOnly));
    const QString path = m_readOnly + QStringLiteral("/VANTORO.INI");
    const QByteArray old = "; the user's notes\n[INIT_XY]\nX=1530\nY=2595\n[OTHER]\nK=v\n";
    QVERIFY(writeAll(path, old));
    QVERIFY(chmod(QFile::encodeName(path).constData(), 0666) == 0);
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0555) == 0);

    const int code = runInChild(
        [&] {
        int inPlaceReports = 0;
        static int *counter = nullptr;
        counter = &inPlaceReports;
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) {
            if (msg.contains(QStringLiteral("overwritten in place")))
                ++*counter;
        });
        if (!Ini_Write(exitEntries(QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("2"), QStringLiteral("1")),
                       path))
            return 1;
        return inPlaceReports == 1 ? 0 : 2;
        },
        As::Unprivileged);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(path),
             QByteArray("; the user's notes\n[INIT_XY]\nX=9\nY=8\n[OTHER]\nK=v\n[INIT_MODE]\nHMS=2\nHIS=1\n"));
    QCOMPARE(QDir(m_readOnly).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("VANTORO.INI")});
}

void TstSettingsFaults::refusedWriteLeavesTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QByteArray lone = QByteArray("\xFF\xFE") + QByteArray("[\0X\0]\0\n\0", 8) + QByteArray("\x00\xDC", 2);
    QTest::newRow("UTF-16 with an odd last byte") << QByteArray("\xFF\xFE[\0A\0]\0\n\0!", 11) << "UTF-16";
    QTest::newRow("UTF-16 with a lone surrogate") << lone << "UTF-16";
    // Four short keys more would take it over the limit, and the next start would read nothing.
    QByteArray large = "[INIT_XY]\nX=1\n[NOTES]\n";
    large += QByteArray(settings_io::MaxFileSize - large.size() - 12, 'n') + '\n';
    QTest::newRow("just under the reader's size limit") << large << "would grow beyond";
}

void TstSettingsFaults::refusedWriteLeavesTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    QVERIFY(writeAll(path, file));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be written .*") + reason));
    QVERIFY(!Ini_Write(exitEntries(QStringLiteral("1530"), QStringLiteral("2595"), QStringLiteral("1"),
                                   QStringLiteral("1")),
                       path));
    QCOMPARE(readAll(path), file);
    if (file.startsWith('['))
        QCOMPARE(Ini_Read(Xy, QStringLiteral("X"), path), QStringLiteral("1"));
}

// A name as the file system has it, not valid UTF-8 (Latin-1 "é"): the file lands there.
void TstSettingsFaults::directoryNameThatIsNotUtf8()
{
    const QByteArray dir = QFile::encodeName(m_dir->path()) + "/caf\xE9";
    QVERIFY(mkdir(dir.constData(), 0755) == 0);
    const QString app = pathFromNative(dir + "/Calc");
    QCOMPARE(nativePath(app), dir + "/Calc");
    const QString path = settingsFilePathFor(app, m_dir->filePath(QStringLiteral("config")));
    QCOMPARE(nativePath(path), dir + "/Calc.INI");
    QVERIFY(
        Ini_Write(exitEntries(QStringLiteral("1530"), QStringLiteral("2595"), QStringLiteral("1"), QStringLiteral("0")),
                  path));
    struct stat st;
    QVERIFY(stat((dir + "/Calc.INI").constData(), &st) == 0);
    QCOMPARE(Ini_Read(Xy, QStringLiteral("Y"), path), QStringLiteral("2595"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("config"))));
}

// The running program's own path: a copy of the settings file tests, run from such a directory,
// finds itself and keeps its file beside itself.
void TstSettingsFaults::programInDirectoryThatIsNotUtf8()
{
    const QString original = QCoreApplication::applicationDirPath() + QStringLiteral("/tst_settings_file");
    if (!QFileInfo::exists(original))
        QSKIP("tst_settings_file is not built beside this test");
    const QByteArray dir = QFile::encodeName(m_dir->path()) + "/\xC0\xFF-bin";
    QVERIFY(mkdir(dir.constData(), 0755) == 0);
    const QByteArray copy = dir + "/tst_settings_file";
    {
        // QFile cannot name the copy: its path is not UTF-8.
        const QByteArray program = readAll(original);
        const int fd = open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL, 0755);
        QVERIFY(fd >= 0);
        QCOMPARE(write(fd, program.constData(), size_t(program.size())), ssize_t(program.size()));
        close(fd);
    }
    const pid_t pid = fork();
    QVERIFY(pid >= 0);
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execl(copy.constData(), copy.constData(), "locationOfRunningProgram", static_cast<char *>(nullptr));
        _exit(127);
    }
    QCOMPARE(waitExit(pid), 0);
}

void TstSettingsFaults::longNamesSaveEveryTime_data()
{
    QTest::addColumn<int>("nameLength"); // of the executable, without ".INI"
    QTest::addColumn<int>("pathLength"); // of the directory, 0 for the temporary one
    for (int n : {246, 248, 250, 251})
        QTest::newRow(qPrintable(QStringLiteral("name of %1").arg(n))) << n << 0;
    QTest::newRow("path near PATH_MAX") << 7 << 4060;
}

void TstSettingsFaults::longNamesSaveEveryTime()
{
    QFETCH(int, nameLength);
    QFETCH(int, pathLength);
    QByteArray dir = QFile::encodeName(m_dir->path());
    while (dir.size() < pathLength) {
        dir += '/' + QByteArray(std::min<qsizetype>(200, pathLength - dir.size() - 1), 'd');
        QVERIFY2(mkdir(dir.constData(), 0755) == 0, dir.right(40).constData());
    }
    const QString path = pathFromNative(dir + '/' + QByteArray(nameLength, 'v') + ".INI");
    for (int round = 0; round < 3; ++round) {
        const QString x = QString::number(1000 + round);
        QVERIFY2(Ini_Write(exitEntries(x, x, QStringLiteral("1"), QStringLiteral("0")), path),
                 qPrintable(QStringLiteral("save %1").arg(round + 1)));
        QCOMPARE(Ini_Read(Xy, QStringLiteral("X"), path), x);
    }
    // Nothing but the file is left: no temporary, no lock.
    DIR *d = opendir(dir.constData());
    QVERIFY(d);
    QByteArrayList names;
    while (const dirent *e = readdir(d))
        if (qstrcmp(e->d_name, ".") && qstrcmp(e->d_name, ".."))
            names << e->d_name;
    closedir(d);
    QCOMPARE(names.size(), 1);
}

void TstSettingsFaults::oddLockFileDoesNotHoldUpTheSave_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a directory") << "directory";
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("a dangling symbolic link") << "dangling";
    QTest::newRow("a symbolic link to another file") << "link";
    QTest::newRow("a live process's id") << "live";
    QTest::newRow("held by a copy that does not let go") << "held";
}

// Whatever stands where the lock goes, the save goes ahead within a fraction of a second (the
// time is printed; tests assert no times) and still replaces the file whole.
void TstSettingsFaults::oddLockFileDoesNotHoldUpTheSave()
{
    QFETCH(QString, kind);
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QString lock = path + QStringLiteral(".lock");
    const QString other = m_dir->filePath(QStringLiteral("other.txt"));
    QVERIFY(writeAll(path, paddedFile()));
    QVERIFY(writeAll(other, "not ours\n"));
    pid_t holder = -1;
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(lock + QStringLiteral("/sub")));
    } else if (kind == QLatin1String("garbage")) {
        QVERIFY(writeAll(lock, QByteArray("\x01\x02 garbage\n\n\n", 13)));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("nowhere")), lock));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(other, lock));
    } else if (kind == QLatin1String("live")) {
        QVERIFY(writeAll(lock, QByteArray::number(getpid()) + "\ntst_settings_faults\n"
                                   + QSysInfo::machineHostName().toUtf8() + "\n"));
    } else {
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        holder = fork();
        QVERIFY(holder >= 0);
        if (holder == 0) {
            const int fd = open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT, 0644);
            if (fd < 0 || flock(fd, LOCK_EX) != 0 || write(ready[1], "r", 1) != 1)
                _exit(1);
            pause();
            _exit(0);
        }
        char b;
        QCOMPARE(read(ready[0], &b, 1), ssize_t(1));
        close(ready[0]);
        close(ready[1]);
    }

    const auto entries = exitEntries(QStringLiteral("1530"), QStringLiteral("2595"), QStringLiteral("1"),
                                     QStringLiteral("1"));
    QElapsedTimer timer;
    timer.start();
    const bool written = Ini_Write(entries, path);
    qInfo("save with %s in place of the lock: %lld ms", qPrintable(kind), timer.elapsed());
    if (holder > 0) {
        kill(holder, SIGKILL);
        waitExit(holder);
    }
    QVERIFY(written);
    QCOMPARE(readAll(path), afterWriting(paddedFile(), entries));
    QCOMPARE(readAll(other), QByteArray("not ours\n"));
}

void TstSettingsFaults::leftoversOfAKilledSaveRemovedAtStart()
{
    // Beside this test program, whose start is the call of settingsFilePath().
    const QString file = settingsFilePath();
    QVERIFY(!file.isEmpty());
    const QString dir = QFileInfo(file).absolutePath();
    const QString name = QFileInfo(file).fileName();
    struct Entry {
        QString name;
        bool old, directory, removed;
    };
    const Entry entries[] = {
        {name + QStringLiteral(".Ab3dE9"), true, false, true},    // left by a killed save
        {name + QStringLiteral(".Zz9yX8"), false, false, false},  // a save running now
        {name + QStringLiteral(".notes"), true, false, false},    // not the pattern
        {name + QStringLiteral(".abcdefg"), true, false, false},  // one character more
        {name + QStringLiteral(".Qw8eR7"), true, true, false},    // a directory
        {QStringLiteral("Other.INI.Ab3dE9"), true, false, false}, // another program's
    };
    const auto cleanUp = [&] {
        for (const Entry &e : entries)
            e.directory ? QDir(dir + '/' + e.name).removeRecursively() : QFile::remove(dir + '/' + e.name);
    };
    cleanUp();
    for (const Entry &e : entries) {
        const QString p = dir + '/' + e.name;
        QVERIFY(e.directory ? QDir().mkpath(p) : writeAll(p, "[INIT_XY]\nX="));
        if (e.old) {
            const timespec times[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
            QVERIFY(utimensat(AT_FDCWD, QFile::encodeName(p).constData(), times, 0) == 0);
        }
    }
    QCOMPARE(settingsFilePath(), file);
    for (const Entry &e : entries)
        QVERIFY2(QFileInfo::exists(dir + '/' + e.name) != e.removed, qPrintable(e.name));
    cleanUp();
}

QTEST_GUILESS_MAIN(TstSettingsFaults)
#include "tst_settings_faults.moc"
