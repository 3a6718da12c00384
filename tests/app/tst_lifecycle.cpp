// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and exit of the main window with its settings file.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/app.h"
#include "engine/calculator.h"
#include "settings/settings.h"
#include "support/files.h"
#include "support/recording_services.h"

using namespace vantoro;
using vantoro::test::readAll;
using vantoro::test::writeAll;

namespace {

// A calculator whose settings file lives in a temporary directory.
struct Run {
    explicit Run(const QString &iniFile) : c(sv)
    {
        sv.screen = QSize(19200, 14400);
        c.st.IniFile = iniFile;
    }
    test::RecordingServices sv;
    Calculator c;
};

} // namespace

class TstLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startMode_data();
    void startMode();
    void startHistory_data();
    void startHistory();
    void startPosition_data();
    void startPosition();
    void startPositionBroughtOntoScreen_data();
    void startPositionBroughtOntoScreen();
    void repairOfMinus255WrittenAtOnce();
    void startWithoutFileWritesNothing();
    void startTitlesAndDisplay();
    void exitValues_data();
    void exitValues();
    void exitKeepsOtherLinesOfTheFile();
    void exitKeepsPositionTheWindowSystemDoesNotTell();
    void nextStartRestoresTheExit();
    void exitClosesHistoryAndAboutAfterSaving();
    void quitAnsweredNoSavesNothing();
    void quitAnsweredYesSavesAndEnds();

private:
    QString iniPath() const { return m_dir->filePath(QStringLiteral("VANTORO.INI")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstLifecycle::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstLifecycle::startMode_data()
{
    QTest::addColumn<QByteArray>("hms");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("modeText");
    QTest::addColumn<QString>("unitLegend");

    QTest::newRow("absent") << QByteArray() << 0 << "H:M:S-Auto"
                            << "Auto>Unit";
    QTest::newRow("0") << QByteArray("0") << 0 << "H:M:S-Auto"
                       << "Auto>Unit";
    QTest::newRow("1 seconds") << QByteArray("1") << 1 << ""
                               << "Auto>Unit";
    QTest::newRow("2 unit") << QByteArray("2") << 2 << "H:M:S-Unit"
                            << "Unit>Auto";
    QTest::newRow("7 outside the modes") << QByteArray("7") << 0 << "H:M:S-Auto"
                                         << "Auto>Unit";
    QTest::newRow("-1") << QByteArray("-1") << 0 << "H:M:S-Auto"
                        << "Auto>Unit";
    QTest::newRow("no 16-bit integer") << QByteArray("99999999") << 0 << "H:M:S-Auto"
                                       << "Auto>Unit";
    QTest::newRow("65537 does not wrap to 1") << QByteArray("65537") << 0 << "H:M:S-Auto"
                                              << "Auto>Unit";
    QTest::newRow("1.5 rounds to even 2") << QByteArray("1.5") << 2 << "H:M:S-Unit"
                                          << "Unit>Auto";
    QTest::newRow("0.5 rounds to even 0") << QByteArray("0.5") << 0 << "H:M:S-Auto"
                                          << "Auto>Unit";
    QTest::newRow("beyond any number") << QByteArray("1E999") << 0 << "H:M:S-Auto"
                                       << "Auto>Unit";
    QTest::newRow("text") << QByteArray("seconds") << 0 << "H:M:S-Auto"
                          << "Auto>Unit";
}

void TstLifecycle::startMode()
{
    QFETCH(QByteArray, hms);
    QFETCH(int, mode);
    QFETCH(QString, modeText);
    QFETCH(QString, unitLegend);

    if (!hms.isEmpty())
        writeAll(iniPath(), "[INIT_MODE]\nHMS=" + hms + "\n");
    Run r(iniPath());
    Form_Load(r.c);
    QCOMPARE(r.c.st.Mode, mode);
    QCOMPARE(r.c.ui.MODE.caption, modeText);
    QCOMPARE(r.c.ui.Mode_Key_Label[0].caption, unitLegend);
}

void TstLifecycle::startHistory_data()
{
    QTest::addColumn<QByteArray>("his");
    QTest::addColumn<bool>("open");

    QTest::newRow("absent") << QByteArray() << false;
    QTest::newRow("1 open") << QByteArray("1") << true;
    QTest::newRow("0 closed") << QByteArray("0") << false;
    QTest::newRow("2 closed") << QByteArray("2") << false;
    QTest::newRow("-1 closed") << QByteArray("-1") << false;
    QTest::newRow("65537 closed") << QByteArray("65537") << false;
    QTest::newRow("1.4 rounds to 1") << QByteArray("1.4") << true;
}

void TstLifecycle::startHistory()
{
    QFETCH(QByteArray, his);
    QFETCH(bool, open);

    if (!his.isEmpty())
        writeAll(iniPath(), "[INIT_MODE]\nHIS=" + his + "\n");
    Run r(iniPath());
    Form_Load(r.c);
    // Any flag but 1 leaves HisShown 0, so a restore never shows a window that was never opened.
    QCOMPARE(r.c.st.HisShown, open ? 1 : 0);
    QCOMPARE(r.c.history.visible, open);
    if (open) {
        QCOMPARE(r.c.history.left, r.c.ui.left + 3500);
        QCOMPARE(r.sv.activated.value(r.sv.activated.size() - 1), WindowId::Main);
    }
}

void TstLifecycle::startPosition_data()
{
    QTest::addColumn<QByteArray>("x");
    QTest::addColumn<QByteArray>("y");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");

    QTest::newRow("saved") << QByteArray("1530") << QByteArray("2595") << 1530.0 << 2595.0;
    QTest::newRow("negative") << QByteArray("-120") << QByteArray("-45") << -120.0 << -45.0;
    QTest::newRow("-254 used as it is") << QByteArray("-254") << QByteArray("-254") << -254.0 << -254.0;
    QTest::newRow("-255 repaired") << QByteArray("-255") << QByteArray("-255") << 0.0 << 0.0;
    QTest::newRow("letters after the number") << QByteArray("1530abc") << QByteArray("  2") << 1530.0 << 2.0;
    QTest::newRow("no number") << QByteArray("left") << QByteArray("") << 0.0 << 0.0;
    QTest::newRow("fraction as single precision")
        << QByteArray("0.1") << QByteArray("1530.5") << double(0.1f) << 1530.5;
    QTest::newRow("not finite") << QByteArray("1E999") << QByteArray("-1E999") << 0.0 << 0.0;
    QTest::newRow("beyond any screen") << QByteArray("1E30") << QByteArray("12345678901234567890") << 0.0 << 0.0;
}

void TstLifecycle::startPosition()
{
    QFETCH(QByteArray, x);
    QFETCH(QByteArray, y);
    QFETCH(double, left);
    QFETCH(double, top);

    writeAll(iniPath(), "[INIT_XY]\nX=" + x + "\nY=" + y + "\n");
    Run r(iniPath());
    Form_Load(r.c);
    QCOMPARE(r.c.ui.left, left);
    QCOMPARE(r.c.ui.top, top);
}

void TstLifecycle::startPositionBroughtOntoScreen_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QByteArray>("x");
    QTest::addColumn<QByteArray>("y");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");

    // 1280 x 960 pixels; the window is 3330 x 6015 twips.
    const QList<QRect> one{QRect(0, 0, 19200, 14400)};
    const QList<QRect> two{QRect(0, 0, 19200, 14400), QRect(19200, -3000, 19200, 14400)};
    QTest::newRow("on the screen") << one << QByteArray("1530") << QByteArray("2595") << 1530.0 << 2595.0;
    QTest::newRow("partly off the left, title strip in reach")
        << one << QByteArray("-2000") << QByteArray("-200") << -2000.0 << -200.0;
    QTest::newRow("past the X11 range to the left")
        << one << QByteArray("-600000") << QByteArray("2595") << 0.0 << 2595.0;
    QTest::newRow("past the X11 range to the right")
        << one << QByteArray("600000") << QByteArray("600000") << 15870.0 << 8385.0;
    QTest::newRow("all but a sliver off the left") << one << QByteArray("-3000") << QByteArray("100") << 0.0 << 100.0;
    // Brought back, the whole window comes onto the screen.
    QTest::newRow("title strip above the screen") << one << QByteArray("-45") << QByteArray("-450") << 0.0 << 0.0;
    QTest::newRow("below the screen") << one << QByteArray("1530") << QByteArray("20000") << 1530.0 << 8385.0;
    QTest::newRow("right of the screen") << one << QByteArray("19000") << QByteArray("0") << 15870.0 << 0.0;
    QTest::newRow("on the second screen") << two << QByteArray("25000") << QByteArray("-2000") << 25000.0 << -2000.0;
    QTest::newRow("off both screens: onto the primary")
        << two << QByteArray("45000") << QByteArray("-2000") << 15870.0 << 0.0;
    QTest::newRow("screens unknown: only the X11 range")
        << QList<QRect>() << QByteArray("-600000") << QByteArray("90000") << 0.0 << 90000.0;
}

void TstLifecycle::startPositionBroughtOntoScreen()
{
    QFETCH(QList<QRect>, screens);
    QFETCH(QByteArray, x);
    QFETCH(QByteArray, y);
    QFETCH(double, left);
    QFETCH(double, top);

    writeAll(iniPath(), "[INIT_XY]\nX=" + x + "\nY=" + y + "\n");
    Run r(iniPath());
    r.sv.screens = screens;
    if (screens.isEmpty())
        r.sv.screen = QSize();
    Form_Load(r.c);
    QCOMPARE(r.c.ui.left, left);
    QCOMPARE(r.c.ui.top, top);
}

void TstLifecycle::repairOfMinus255WrittenAtOnce()
{
    writeAll(iniPath(), "[INIT_XY]\r\nX=-255\r\nY=-255\r\n[INIT_MODE]\r\nHMS=1\r\n");
    Run r(iniPath());
    Form_Load(r.c);
    QCOMPARE(readAll(iniPath()), QByteArray("[INIT_XY]\r\nX= 0\r\nY= 0\r\n[INIT_MODE]\r\nHMS=1\r\n"));

    // -254 is no marker: the file stays untouched.
    const QByteArray kept = "[INIT_XY]\nX=-254\nY=-255.5\n";
    writeAll(iniPath(), kept);
    Run r2(iniPath());
    Form_Load(r2.c);
    QCOMPARE(readAll(iniPath()), kept);
}

void TstLifecycle::startWithoutFileWritesNothing()
{
    Run r(iniPath());
    Form_Load(r.c);
    QCOMPARE(r.c.ui.left, 0.0);
    QCOMPARE(r.c.ui.top, 0.0);
    QCOMPARE(r.c.st.Mode, 0);
    QCOMPARE(r.c.st.HisShown, 0);
    QVERIFY(!r.c.history.visible);
    QVERIFY(!QFile::exists(iniPath()));
}

void TstLifecycle::startTitlesAndDisplay()
{
    Run r(iniPath());
    r.c.ui.caption = QStringLiteral("Form1");
    r.c.ui.Title.caption = QStringLiteral("Label1");
    Form_Load(r.c);
    QCOMPARE(r.c.st.Loading, 0);
    QCOMPARE(r.c.ui.caption, QStringLiteral("Vantoro"));
    QCOMPARE(r.c.ui.Title.caption, QStringLiteral("Vantoro"));
    QCOMPARE(r.c.ui.DispBack.backColor, Colour(0x000000));
    QCOMPARE(r.c.ui.Disp.foreColor, Colour(0xFFFF00));
    QVERIFY(!r.c.ui.Disp.caption.isEmpty());
}

void TstLifecycle::exitValues_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");

    const QSize wide(19200, 14400);
    QTest::newRow("inside the screen") << 1530.0 << 2595.0 << wide << "1530"
                                       << "2595";
    QTest::newRow("origin") << 0.0 << 0.0 << wide << "0"
                            << "0";
    QTest::newRow("left of the screen keeps its sign") << -120.0 << -45.0 << wide << "-120"
                                                       << "-45";
    QTest::newRow("right edge limited") << 9000.0 << 100.0 << QSize(12000, 9000) << "8670"
                                        << "100";
    QTest::newRow("bottom edge limited") << 100.0 << 5000.0 << QSize(12000, 9000) << "100"
                                         << "2985";
    QTest::newRow("exactly at the limit") << 8670.0 << 2985.0 << QSize(12000, 9000) << "8670"
                                          << "2985";
    QTest::newRow("7 significant digits") << 1530.25 << 12345678.0 << QSize() << "1530.25"
                                          << "1.234568E+07";
    QTest::newRow("unknown screen sets no limit") << 9000.0 << 9000.0 << QSize(0, 0) << "9000"
                                                  << "9000";
}

void TstLifecycle::exitValues()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(QSize, screen);
    QFETCH(QString, x);
    QFETCH(QString, y);

    Run r(iniPath());
    Form_Load(r.c);
    r.sv.screen = screen;
    r.c.ui.left = left;
    r.c.ui.top = top;
    Unload_Vantoro(r.c);
    QCOMPARE(readAll(iniPath()), ("[INIT_XY]\nX=" + x + "\nY=" + y + "\n[INIT_MODE]\nHMS=0\nHIS=0\n").toUtf8());
}

void TstLifecycle::exitKeepsOtherLinesOfTheFile()
{
    writeAll(iniPath(), "; written by hand\r\n[init_mode]\r\nhis=1\r\nNOTE=keep\r\n[PRINTER]\r\nX=3\r\n");
    Run r(iniPath());
    Form_Load(r.c);
    r.c.ui.left = 1530;
    r.c.ui.top = 2595;
    Form_Unload(r.c);
    QCOMPARE(readAll(iniPath()), QByteArray("; written by hand\r\n[init_mode]\r\nhis=1\r\nNOTE=keep\r\nHMS=0\r\n"
                                            "[PRINTER]\r\nX=3\r\n[INIT_XY]\r\nX=1530\r\nY=2595\r\n"));
}

void TstLifecycle::exitKeepsPositionTheWindowSystemDoesNotTell()
{
    writeAll(iniPath(), "[INIT_XY]\r\nX=1530abc\r\nY=2595\r\n[INIT_MODE]\r\nHMS=0\r\n");
    Run r(iniPath());
    r.sv.positionKnown = false;
    Form_Load(r.c);
    initMode(r.c, 1);
    // What a Wayland client is told: its window content inside a frame at the origin.
    r.c.ui.left = -45;
    r.c.ui.top = -450;
    Form_Unload(r.c);
    QCOMPARE(readAll(iniPath()), QByteArray("[INIT_XY]\r\nX=1530abc\r\nY=2595\r\n[INIT_MODE]\r\nHMS=1\r\nHIS=0\r\n"));
}

void TstLifecycle::nextStartRestoresTheExit()
{
    {
        Run r(iniPath());
        Form_Load(r.c);
        initMode(r.c, 2);
        His_Click(r.c);
        r.c.ui.left = -120;
        r.c.ui.top = 2595;
        Unload_Vantoro(r.c);
    }
    Run r(iniPath());
    Form_Load(r.c);
    QCOMPARE(r.c.ui.left, -120.0);
    QCOMPARE(r.c.ui.top, 2595.0);
    QCOMPARE(r.c.st.Mode, 2);
    QCOMPARE(r.c.st.HisShown, 1);
    QVERIFY(r.c.history.visible);
}

void TstLifecycle::exitClosesHistoryAndAboutAfterSaving()
{
    Run r(iniPath());
    Form_Load(r.c);
    His_Click(r.c);
    About_Click(r.c);
    Unload_Vantoro(r.c);
    QVERIFY(!r.c.history.loaded);
    QVERIFY(!r.c.about.loaded);
    QCOMPARE(r.c.st.HisShown, 0);
    QCOMPARE(Ini_Read(QStringLiteral("INIT_MODE"), QStringLiteral("HIS"), iniPath()), QStringLiteral("1"));
}

void TstLifecycle::quitAnsweredNoSavesNothing()
{
    Run r(iniPath());
    Form_Load(r.c);
    r.sv.answerYes = false;
    OFF_Click(r.c);
    QCOMPARE(r.sv.endCount, 0);
    QVERIFY(!QFile::exists(iniPath()));
}

void TstLifecycle::quitAnsweredYesSavesAndEnds()
{
    Run r(iniPath());
    Form_Load(r.c);
    r.sv.answerYes = true;
    OFF_Click(r.c);
    QCOMPARE(r.sv.endCount, 1);
    QCOMPARE(readAll(iniPath()), QByteArray("[INIT_XY]\nX=0\nY=0\n[INIT_MODE]\nHMS=0\nHIS=0\n"));
}

QTEST_GUILESS_MAIN(TstLifecycle)
#include "tst_lifecycle.moc"
