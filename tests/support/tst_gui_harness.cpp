// SPDX-License-Identifier: GPL-3.0-or-later
// The GUI harness: run without a platform set, a GUI test that opens modal dialogs by mistake
// reports each as a failure and goes on headless to its end, instead of waiting for a click.
#include <QProcess>
#include <QtTest>

class TstGuiHarness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outcome_data();
    void outcome();
    void failuresCountedInTheExitCode();

private:
    QString m_output;
    int m_exitCode = -1;
};

void TstGuiHarness::initTestCase()
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QStringLiteral(VANTORO_WATCHDOG_PROBE), {});
    // Far longer than the probe needs; it only ends before this when nothing hangs.
    if (!probe.waitForFinished(60000)) {
        probe.kill();
        probe.waitForFinished();
        QFAIL("the probe hung in a modal dialog");
    }
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    m_exitCode = probe.exitCode();
    m_output = QString::fromLocal8Bit(probe.readAll());
}

void TstGuiHarness::outcome_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("message box") << "FAIL!  : TstUnexpectedModal::messageBoxOpened() Unexpected modal dialog "
                                    "\"Probe\": \"a stray message box\" (QMessageBox), closed by the watchdog";
    QTest::newRow("question of the real services")
        << "FAIL!  : TstUnexpectedModal::questionOfTheRealServices() Unexpected modal dialog "
           "\"Probe\": \"a stray question\" (QMessageBox), closed by the watchdog";
    QTest::newRow("later function, no dialog left, offscreen") << "PASS   : TstUnexpectedModal::runGoesOnHeadless()";
}

void TstGuiHarness::outcome()
{
    QFETCH(QString, line);
    QVERIFY2(m_output.contains(line), qPrintable(m_output));
}

void TstGuiHarness::failuresCountedInTheExitCode()
{
    QCOMPARE(m_exitCode, 2);
}

QTEST_GUILESS_MAIN(TstGuiHarness)
#include "tst_gui_harness.moc"
