// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its settings, run from a build tree and installed: a copy of a
// small program on the settings module is put in each layout and run there.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include "support/files.h"

using vantoro::test::readAll;
using vantoro::test::writeAll;

class TstSettingsLocation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void settingsPlace_data();
    void settingsPlace();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstSettingsLocation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstSettingsLocation::settingsPlace_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("asRoot");
    QTest::addColumn<QString>("xdgConfigHome"); // relative to the temporary directory; "-" unset
    QTest::addColumn<QByteArray>("besideFile"); // a file beside the program before the run
    QTest::addColumn<QString>("expected");      // the file written, relative to the temporary directory
    QTest::addColumn<QString>("readsHms");

    QTest::newRow("build tree") << false << false << "config" << QByteArray() << "tree/vantoro.INI"
                                << "-";
    QTest::newRow("build tree, file there")
        << false << false << "config" << QByteArray("[INIT_MODE]\nHMS=1\n") << "tree/vantoro.INI"
        << "1";
    QTest::newRow("installed, a user") << true << false << "config" << QByteArray() << "config/vantoro/vantoro.INI"
                                       << "-";
    QTest::newRow("installed, no XDG_CONFIG_HOME")
        << true << false << "-" << QByteArray() << "home/.config/vantoro/vantoro.INI"
        << "-";
    QTest::newRow("installed, relative XDG_CONFIG_HOME ignored")
        << true << false << "relative/config" << QByteArray() << "home/.config/vantoro/vantoro.INI"
        << "-";
    QTest::newRow("installed, file beside it read, not written")
        << true << false << "config" << QByteArray("; an administrator's\n[INIT_MODE]\nHMS=1\n")
        << "config/vantoro/vantoro.INI"
        << "1";
    QTest::newRow("installed, a directory beside it")
        << true << false << "config" << QByteArray("directory") << "config/vantoro/vantoro.INI"
        << "-";
    QTest::newRow("installed, run as root") << true << true << "-" << QByteArray() << "home/.config/vantoro/vantoro.INI"
                                            << "-";
}

void TstSettingsLocation::settingsPlace()
{
    QFETCH(bool, installed);
    QFETCH(bool, asRoot);
    QFETCH(QString, xdgConfigHome);
    QFETCH(QByteArray, besideFile);
    QFETCH(QString, expected);
    QFETCH(QString, readsHms);
    if (asRoot && geteuid() != 0)
        QSKIP("needs root (CI runs the tests as root)");

    // The layouts the program meets: its build tree, or PREFIX/bin with PREFIX/share beside.
    const QDir tmp(m_dir->path());
    const QString binDir = installed ? tmp.filePath(QStringLiteral("prefix/" BIN_DIR))
                                     : tmp.filePath(QStringLiteral("tree"));
    QVERIFY(QDir().mkpath(binDir));
    if (installed) {
        const QString apps = tmp.filePath(QStringLiteral("prefix/" DATA_DIR "/applications"));
        QVERIFY(QDir().mkpath(apps));
        writeAll(apps + QStringLiteral("/" VANTORO_APP_ID ".desktop"), "[Desktop Entry]\n");
    }
    const QString program = binDir + QStringLiteral("/vantoro");
    QVERIFY(QFile::copy(QStringLiteral(SETTINGS_PROBE), program));
    const bool besideDirectory = besideFile == "directory";
    if (besideDirectory)
        QVERIFY(QDir().mkpath(program + QStringLiteral(".INI")));
    else if (!besideFile.isEmpty())
        writeAll(program + QStringLiteral(".INI"), besideFile);
    QVERIFY(QDir().mkpath(tmp.filePath(QStringLiteral("home"))));

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), tmp.filePath(QStringLiteral("home")));
    if (xdgConfigHome == QLatin1String("-"))
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    else if (xdgConfigHome.startsWith(QLatin1String("relative/")))
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), xdgConfigHome);
    else
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(xdgConfigHome));
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(tmp.path());
    run.start(program, {QStringLiteral("write")});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    const QStringList out = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(out.value(0), tmp.filePath(expected));
    QCOMPARE(out.value(1), readsHms);

    QVERIFY(readAll(tmp.filePath(expected)).contains("HMS=2"));
    if (installed) {
        // Nothing beside the installed program but the program (and a file that was there).
        QStringList left = QDir(binDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QStringList wanted{QStringLiteral("vantoro")};
        if (!besideFile.isEmpty())
            wanted << QStringLiteral("vantoro.INI");
        left.sort();
        QCOMPARE(left, wanted);
        if (!besideFile.isEmpty() && !besideDirectory) {
            QCOMPARE(readAll(program + QStringLiteral(".INI")), besideFile);
            // Its other lines carried over to the user's own file.
            QVERIFY(readAll(tmp.filePath(expected)).startsWith("; an administrator's\n"));
        }
        QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("relative"))));
    }
}

QTEST_GUILESS_MAIN(TstSettingsLocation)
#include "tst_settings_location.moc"
