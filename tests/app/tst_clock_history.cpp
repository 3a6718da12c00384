// SPDX-License-Identifier: GPL-3.0-or-later
// The clock display, the clipboard copy, the history window and the About window, as the
// calculator logic drives them (the windows themselves are records here).
#include <QtTest>

#include "app/app.h"
#include "engine/basic.h"
#include "entry/entry.h"
#include "support/calc_fixture.h"

using namespace vantoro;
using vantoro::test::CalcFixture;

namespace {

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}

struct HistoryFixture : CalcFixture {
    using CalcFixture::CalcFixture;
    QList<WindowId> activated;
    void dblClick(int line)
    {
        c.history.ListIndex = line;
        His_List_DblClick(c);
    }
};

} // namespace

class TstClockHistory : public QObject
{
    Q_OBJECT
private slots:
    void timeKeyTogglesTheClock();
    void clockComesUpOnTheSixthIdleTick();
    void anyRefreshEndsTheClock();
    void clipboard_data();
    void clipboard();
    void clipboardLeavesTheClockShown();
    void recall_data();
    void recall();
    void recallOfNothingChangesNothing();
    void recallAfterResultStartsANewCalculation();
    void recallInAFullHistory();
    void historyWindowFollowsTheCalculator();
    void historySurvivesItsCloseCommand();
    void aboutWindow();
};

void TstClockHistory::timeKeyTogglesTheClock()
{
    CalcFixture f(1);
    f.keys("-12");
    const QString before = f.display() + f.c.ui.MODE.caption;
    Form_keydown(f.c, Vk::T);
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("12-08-2026 22:30:15 "));
    QCOMPARE(f.c.ui.MODE.caption, QStringLiteral("NOW"));
    QCOMPARE(f.c.ui.ENZANSI.caption, QString());
    QCOMPARE(f.c.ui.Hugou.caption, QString());
    QCOMPARE(f.c.ui.Timer1.interval, 250);
    QVERIFY(f.c.ui.Timer1.enabled);
    f.sv.clock = f.sv.clock.addSecs(1);
    timer1_timer(f.c);
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("12-08-2026 22:30:16 "));
    Form_keydown(f.c, Vk::T);
    QCOMPARE(f.display() + f.c.ui.MODE.caption, before);
    QCOMPARE(f.c.ui.Timer1.interval, 65535);
}

void TstClockHistory::clockComesUpOnTheSixthIdleTick()
{
    CalcFixture f(0);
    const QString shown = f.display();
    for (int tick = 1; tick <= 5; ++tick) {
        timer1_timer(f.c);
        QCOMPARE(f.c.st.IdleTicks, tick);
        QCOMPARE(f.display(), shown);
    }
    timer1_timer(f.c);
    QCOMPARE(f.c.ui.MODE.caption, QStringLiteral("NOW"));
    Nowtime_click(f.c); // Time while the idle clock is shown returns to the value
    QCOMPARE(f.display(), shown);
    QCOMPARE(f.c.st.IdleTicks, 0);
}

void TstClockHistory::anyRefreshEndsTheClock()
{
    CalcFixture f(1);
    Nowtime_click(f.c);
    f.keys("7");
    QCOMPARE(f.c.ui.Disp.caption, sp(13) + "7 ");
    QCOMPARE(f.c.ui.Timer1.interval, 65535);
    QCOMPARE(f.c.st.IdleTicks, 0);
}

void TstClockHistory::clipboard_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("copied");
    QTest::newRow("seconds") << 1 << "3600"
                             << "3600";
    QTest::newRow("below one second") << 1 << ".5"
                                      << ".5";
    QTest::newRow("negative keeps its minus") << 1 << "-5"
                                              << "-5";
    QTest::newRow("negative result") << 1 << "5-8="
                                     << "-3";
    QTest::newRow("zero after a leading minus") << 1 << "-"
                                                << "0";
    QTest::newRow("nothing keyed") << 1 << ""
                                   << "0";
    QTest::newRow("second operand when not zero") << 1 << "5+3"
                                                  << "3";
    QTest::newRow("first operand while the second is zero") << 1 << "5+"
                                                            << "5";
    QTest::newRow("H:M:S as one number") << 0 << "10230.45"
                                         << "10230.45";
    QTest::newRow("negative H:M:S") << 2 << "-1h"
                                    << "-10000";
}

void TstClockHistory::clipboard()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(QString, copied);
    CalcFixture f(mode);
    f.keys(keys);
    const QString shown = f.display();
    Form_keydown(f.c, Vk::C);
    QCOMPARE(f.sv.clipboard, copied);
    QCOMPARE(f.display(), shown);
}

void TstClockHistory::clipboardLeavesTheClockShown()
{
    CalcFixture f(1);
    f.keys("42");
    Nowtime_click(f.c);
    CLIP_COPY_Click(f.c);
    QCOMPARE(f.sv.clipboard, QStringLiteral("42"));
    QCOMPARE(f.c.ui.MODE.caption, QStringLiteral("NOW"));
}

void TstClockHistory::recall_data()
{
    QTest::addColumn<int>("recordMode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("switchKeys"); // keys between recording and recall
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("sign");
    QTest::newRow("H:M:S line in seconds mode") << 0 << "12345+" << 0 << ":" << sp(9) + " 5025" << 1;
    QTest::newRow("H:M:S line in H:M:S-Auto") << 0 << "12345+" << 0 << ""
                                              << "    12345.00" << 1;
    QTest::newRow("seconds line in H:M:S-Auto") << 1 << "5400+" << 0 << ":"
                                                << "    13000.00" << 1;
    QTest::newRow("seconds line in seconds mode") << 1 << "5400+" << 0 << "" << sp(10) + "5400" << 1;
    QTest::newRow("negative result line") << 1 << "5-8=" << 2 << "" << sp(12) + " 3" << -1;
    QTest::newRow("into the second operand") << 1 << "7+" << 0 << "" << sp(13) + "7" << 1;
}

void TstClockHistory::recall()
{
    QFETCH(int, recordMode);
    QFETCH(QString, keys);
    QFETCH(int, line);
    QFETCH(QString, switchKeys);
    QFETCH(QString, entry);
    QFETCH(int, sign);
    HistoryFixture f(recordMode);
    f.keys(keys);
    f.keys(switchKeys);
    const int idx = f.c.st.EntryIdx;
    f.dblClick(line);
    QCOMPARE(f.c.st.Entry[idx], entry);
    QCOMPARE(f.c.st.Sign[idx], sign);
    QVERIFY(f.c.st.DigitCount > 0);
    QCOMPARE(f.c.st.HisNoSelect, 1);
    // the next recorded line is added without moving the selection
    f.keys("+");
    QCOMPARE(f.c.history.ListIndex, line);
    QCOMPARE(f.c.st.HisNoSelect, 0);
}

void TstClockHistory::recallOfNothingChangesNothing()
{
    HistoryFixture f(1);
    f.c.ui.Disp.caption = QStringLiteral("marker");
    f.dblClick(-1); // empty list, nothing selected
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("marker"));
    f.dblClick(0);
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("marker"));

    f.keys("5-5=9");
    const auto entries = f.c.st.Entry;
    for (int line : {2, 3}) { // the zero result and the separator
        f.c.ui.Disp.caption = QStringLiteral("marker");
        f.dblClick(line);
        QCOMPARE(f.c.st.Entry, entries);
        QCOMPARE(f.c.ui.Disp.caption, sp(13) + "9 "); // only refreshed
    }
}

void TstClockHistory::recallAfterResultStartsANewCalculation()
{
    HistoryFixture f(1);
    f.keys("2*3=");
    f.dblClick(0);
    QCOMPARE(f.c.st.EnzanNo, 0);
    QCOMPARE(f.c.ui.ENZANSI.caption, QStringLiteral("　"));
    f.keys("+1=");
    QCOMPARE(f.c.ui.Disp.caption, sp(13) + "3 ");
}

void TstClockHistory::recallInAFullHistory()
{
    HistoryFixture f(1);
    for (int i = 1; i <= 42; ++i)
        f.keys(QString::number(i) + "+");
    QCOMPARE(f.lines().size(), 41);
    QVERIFY(f.lines().first().endsWith(QStringLiteral(" 2")));
    for (int line : {0, 20, 40}) {
        f.keys("c");
        f.dblClick(line);
        QCOMPARE(Val(f.c.st.Entry[1]), double(line + 2));
    }
}

void TstClockHistory::historyWindowFollowsTheCalculator()
{
    CalcFixture f(1);
    QVERIFY(!f.c.history.loaded);
    f.keys("1+");
    QVERIFY(f.c.history.loaded); // created hidden with the first line
    QVERIFY(!f.c.history.visible);

    f.c.ui.left = 1500;
    f.c.ui.top = 900;
    Form_keydown(f.c, Vk::L);
    QVERIFY(f.c.history.visible);
    QCOMPARE(f.c.st.HisShown, 1);
    QCOMPARE(f.c.history.left, 5000.0);
    QCOMPARE(f.c.history.top, 900.0);

    Iconize_Click(f.c);
    QVERIFY(!f.c.history.visible);
    QCOMPARE(f.c.st.HisShown, 1);
    f.c.ui.minimised = false;
    Form_Resize(f.c);
    QVERIFY(f.c.history.visible);

    His_Click(f.c);
    QVERIFY(!f.c.history.visible);
    QCOMPARE(f.c.st.HisShown, 0);
}

void TstClockHistory::historySurvivesItsCloseCommand()
{
    HistoryFixture f(1);
    f.keys("1+2=");
    His_Click(f.c);
    History_Unload(f.c); // the window's own close command
    QCOMPARE(f.c.st.HisShown, 0);
    QVERIFY(!f.c.history.visible);
    f.keys("3*");
    His_Click(f.c);
    QVERIFY(f.c.history.visible);
    QCOMPARE(f.lines().size(), 5);
    QCOMPARE(f.c.st.HisCount, 5);
    f.keys("c");
    f.dblClick(1);
    QCOMPARE(Val(f.c.st.Entry[1]), 2.0);
}

void TstClockHistory::aboutWindow()
{
    CalcFixture f(0);
    f.c.ui.left = 300;
    f.c.ui.top = 600;
    Form_keydown(f.c, Vk::A);
    QVERIFY(f.c.about.loaded);
    QCOMPARE(f.c.about.ABOUTBOX_TITLE, QStringLiteral("Vantoro"));
    QCOMPARE(f.c.about.ABOUTBOX_VER, QStringLiteral("Ver. 4.2"));
    QCOMPARE(f.c.about.AboutBox_For, QStringLiteral("For Windows95/98,WindowsNT"));
    QCOMPARE(f.c.about.left, 3800.0);
    QCOMPARE(f.c.about.top, 1600.0);
    About_Click(f.c);
    QVERIFY(!f.c.about.loaded);

    f.c.ui.left = 1000;
    About_Click(f.c);
    QCOMPARE(f.c.about.left, 4500.0);
    OK_Click(f.c);
    QCOMPARE(f.c.st.AboutShown, 0);
    About_Click(f.c);
    About_Unload(f.c); // its close command
    About_Click(f.c);  // one press opens it again
    QVERIFY(f.c.about.loaded);
    Unload_Vantoro(f.c);
    QVERIFY(!f.c.about.loaded);
}

QTEST_APPLESS_MAIN(TstClockHistory)
#include "tst_clock_history.moc"
