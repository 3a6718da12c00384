// The settings file under faults: no write access, a directory in its place, a writer
// killed while writing, and two copies of the program exiting at the same moment.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/app.h"
#include "engine/calculator.h"
#include "settings/ini_text.h"
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
    return {{Xy, QStringLiteral("X"), x}, {Xy, QStringLiteral("Y"), y}, {ModeSection, QStringLiteral("HMS"), hms},
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

class TstSettingsFaults : public QObject {
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

    const int code = runInChild([&] {
        qInstallMessageHandler(countWriteFailures);
        if (Ini_Read(Xy, QStringLiteral("X"), path) != QLatin1String("1530"))
            return 1;
        if (Ini_Write(exitEntries(QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("0")),
                      path))
            return 2;
        Ini_Write(Xy, QStringLiteral("X"), QStringLiteral("8"), path);
        return g_writeFailureReports == 1 ? 0 : 3;
    }, As::Unprivileged);
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

    const int code = runInChild([&] {
        const QString path = settingsFilePathFor(app, config);
        if (path != config + QStringLiteral("/vantoro/vantoro.INI"))
            return 1;
        return Ini_Write(ModeSection, QStringLiteral("HMS"), QStringLiteral("1"), path) ? 0 : 2;
    }, As::Unprivileged);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(config + QStringLiteral("/vantoro/vantoro.INI")), QByteArray("[INIT_MODE]\nHMS=1\n"));

    // A file beside the program, even a read-only one, is still the settings file.
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0755) == 0);
    QVERIFY(writeAll(app + QStringLiteral(".INI"), "[INIT_MODE]\nHMS=2\n"));
    QVERIFY(chmod(QFile::encodeName(m_readOnly).constData(), 0555) == 0);
    const int besideCode = runInChild([&] { return settingsFilePathFor(app, config) == app + ".INI" ? 0 : 1; }, As::Unprivileged);
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
        Ini_Write(exitEntries(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")), path);
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

    const int code = runInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit half{rlim_t(old.size() / 2), rlim_t(old.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &half);
        qInstallMessageHandler(countWriteFailures);
        if (Ini_Write(exitEntries(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")),
                      path))
            return 1;
        return g_writeFailureReports == 1 ? 0 : 2;
    }, As::Self);
    QCOMPARE(code, 0);
    QCOMPARE(readAll(path), old);
}

void TstSettingsFaults::killedWriterLeavesOldOrNewFileComplete()
{
    const QString path = m_dir->filePath(QStringLiteral("VANTORO.INI"));
    const QByteArray start = paddedFile();
    QVERIFY(writeAll(path, start));
    const auto one = exitEntries(QStringLiteral("1111"), QStringLiteral("1111"), QStringLiteral("1"), QStringLiteral("1"));
    const auto two = exitEntries(QStringLiteral("2222"), QStringLiteral("2222"), QStringLiteral("2"), QStringLiteral("0"));
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
    const auto first = exitEntries(QStringLiteral("1530"), QStringLiteral("2595"), QStringLiteral("1"), QStringLiteral("1"));
    const auto second = exitEntries(QStringLiteral("-120"), QStringLiteral("45"), QStringLiteral("2"), QStringLiteral("0"));
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

QTEST_GUILESS_MAIN(TstSettingsFaults)
#include "tst_settings_faults.moc"
