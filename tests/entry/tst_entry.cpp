// SPDX-License-Identifier: GPL-3.0-or-later
// Keying, the display refresh and the mode keys: what the keys make available and when.
#include <QtTest>

#include "app/app.h"
#include "entry/entry.h"
#include "support/calc_fixture.h"

using namespace vantoro;
using vantoro::test::CalcFixture;

class TstEntry : public QObject
{
    Q_OBJECT
private slots:
    void autoUnitKeyBlockedOnceADigitIsKeyed_data();
    void autoUnitKeyBlockedOnceADigitIsKeyed();
    void pendingUnitNumberGreysTheKeysThatCannotTakeIt();
    void unitNumberTakesTheSignOfItsEntry();
    void displayCutsAKeyedEntryTo12Characters();
    void refreshTwiceChangesNothing();
    void refreshDuringStartUpKeepsTheFocus();
    void conversionRoundTrip_data();
    void conversionRoundTrip();
    void conversionLeavesTheAutoUnitLegend();
    void conversionWorksWhileANumberIsHalfKeyed();
    void allClearInSecondsModeReturnsToAuto();
    void leadingZeroIsIgnored();
    void digitAfterResultReplacesIt();
    void keyAfterRecalledExponentFormStartsANewNumber_data();
    void keyAfterRecalledExponentFormStartsANewNumber();
};

void TstEntry::autoUnitKeyBlockedOnceADigitIsKeyed_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("available");
    QTest::newRow("auto, fresh") << 0 << "" << true;
    QTest::newRow("auto, digit keyed") << 0 << "5" << false;
    QTest::newRow("auto, operator after the digit") << 0 << "5+" << true;
    QTest::newRow("auto, second operand keyed") << 0 << "5+3" << false;
    QTest::newRow("auto, after equals") << 0 << "5+3=" << true;
    QTest::newRow("unit, unit number pending") << 2 << "5" << false;
    QTest::newRow("unit, unit key taken") << 2 << "5h" << false;
    QTest::newRow("unit, operator") << 2 << "5h+" << true;
    QTest::newRow("seconds") << 1 << "" << false;
}

void TstEntry::autoUnitKeyBlockedOnceADigitIsKeyed()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(bool, available);
    CalcFixture f(mode);
    f.keys(keys);
    QCOMPARE(f.c.ui.Unit_input.enabled, available);
    QCOMPARE(f.c.ui.Mode_Key_Label[0].foreColor, available ? OnColor : OffColor);
}

void TstEntry::pendingUnitNumberGreysTheKeysThatCannotTakeIt()
{
    CalcFixture f(2);
    f.keys("12");
    auto &ui = f.c.ui;
    QVERIFY(!ui.hms.enabled);
    QVERIFY(!ui.Eq.enabled);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(!ui.Enzan[i].enabled);
    for (int i = 0; i <= 3; ++i)
        QCOMPARE(ui.Enzan_Label[i].foreColor, OffColor);
    QCOMPARE(ui.Eq_label.foreColor, OffColor);
    QCOMPARE(ui.Mode_Key_Label[1].foreColor, OffColor);
    // an operator is ignored while the number is pending
    f.keys("+");
    QCOMPARE(f.c.st.EnzanNo, 0);
    QVERIFY(f.lines().isEmpty());

    f.keys("m");
    QVERIFY(ui.hms.enabled && ui.Eq.enabled && ui.Enzan[1].enabled);
    QCOMPARE(ui.Eq_label.foreColor, OnColor);
    QCOMPARE(ui.Enzan_Label[3].foreColor, OnColor);
    QCOMPARE(f.c.st.Entry[2], QString(14, QLatin1Char(' ')));
    QCOMPARE(f.c.st.Sign[2], 1);
}

void TstEntry::unitNumberTakesTheSignOfItsEntry()
{
    CalcFixture f(2);
    f.keys("-1");
    QCOMPARE(f.c.st.EntryIdx, 2);
    QCOMPARE(f.c.st.SaveIdx, 0);
    QCOMPARE(f.c.st.Sign[2], -1);
    QCOMPARE(f.c.ui.Hugou.caption, QStringLiteral("-"));
}

void TstEntry::displayCutsAKeyedEntryTo12Characters()
{
    CalcFixture f(0);
    f.keys("1");
    QCOMPARE(f.c.st.Entry[0], QStringLiteral("        1.00"));
}

void TstEntry::refreshTwiceChangesNothing()
{
    CalcFixture f(0);
    f.keys("12.3");
    const auto st = f.c.st.Entry;
    const QString shown = f.display();
    DispTm(f.c);
    DispTm(f.c);
    QCOMPARE(f.c.st.Entry, st);
    QCOMPARE(f.display(), shown);
    QCOMPARE(f.c.ui.Timer1.interval, 65535);
    QVERIFY(f.c.ui.Timer1.enabled);
}

void TstEntry::refreshDuringStartUpKeepsTheFocus()
{
    CalcFixture f(0);
    QCOMPARE(f.sv.focusCount, 0); // start-up refreshes while loading
    f.keys("1");
    QCOMPARE(f.sv.focusCount, 1);
}

void TstEntry::conversionRoundTrip_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("modeBack");
    QTest::addColumn<bool>("unitKeys");
    QTest::newRow("from auto") << 0 << 0 << false;
    QTest::newRow("from unit") << 2 << 2 << true;
    QTest::newRow("starting in seconds") << 1 << 0 << false;
}

void TstEntry::conversionRoundTrip()
{
    QFETCH(int, mode);
    QFETCH(int, modeBack);
    QFETCH(bool, unitKeys);
    CalcFixture f(mode);
    f.keys(":");
    QCOMPARE(f.c.st.Mode, mode == 1 ? 0 : 1);
    QCOMPARE(f.c.ui.hms.caption, mode == 1 ? QStringLiteral("HMS>S") : QStringLiteral("S>HMS"));
    QCOMPARE(f.c.ui.Mode_Key_Label[1].caption, f.c.ui.hms.caption);
    if (mode != 1) {
        QVERIFY(f.c.ui.PER.enabled && f.c.ui.ROOT.enabled && !f.c.ui.Unit_input.enabled);
        f.keys(":");
    }
    QCOMPARE(f.c.st.Mode, modeBack);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(f.c.ui.H[i].enabled, unitKeys);
    QCOMPARE(f.c.ui.kanma.enabled, !unitKeys);
    QVERIFY(!f.c.ui.PER.enabled && !f.c.ui.ROOT.enabled && f.c.ui.Unit_input.enabled);
}

void TstEntry::conversionLeavesTheAutoUnitLegend()
{
    CalcFixture f(2);
    f.keys(":");
    QCOMPARE(f.c.ui.Mode_Key_Label[0].caption, QStringLiteral("Unit>Auto"));
    QCOMPARE(f.c.ui.Mode_Key_Label[0].foreColor, OffColor);
    QCOMPARE(f.c.ui.MODE.caption, QString());
}

void TstEntry::conversionWorksWhileANumberIsHalfKeyed()
{
    CalcFixture f(0);
    f.keys("130");
    QVERIFY(f.c.ui.hms.enabled);
    f.keys(":");
    QCOMPARE(f.c.st.Entry[0], QStringLiteral(" 90"));
    QCOMPARE(f.c.st.DigitCount, 3);
}

void TstEntry::allClearInSecondsModeReturnsToAuto()
{
    CalcFixture f(2);
    f.keys(":a:");
    QCOMPARE(f.c.st.Mode, 0);
    QCOMPARE(f.c.ui.MODE.caption, QStringLiteral("H:M:S-Auto"));
}

void TstEntry::leadingZeroIsIgnored()
{
    CalcFixture f(1);
    f.c.ui.Disp.caption = QStringLiteral("marker");
    f.keys("0");
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("marker")); // not even refreshed
    QCOMPARE(f.c.st.Entry[0], QString(14, QLatin1Char(' ')) + QLatin1Char('0'));
    f.keys("00.0");
    QCOMPARE(f.c.st.Entry[0], QStringLiteral(".0"));

    // Zeros keyed after a point keyed first in H:M:S-Auto and a conversion count as no digit:
    // they stop growing the entry once the display is full of them.
    CalcFixture g(0);
    g.keys(".:" + QString(40, QLatin1Char('0')));
    QCOMPARE(g.disp(), QString(14, QLatin1Char('0')) + QLatin1Char(' '));
    QVERIFY(g.c.st.Entry[0].size() <= 2 * 14);
    g.keys("5");
    QCOMPARE(g.c.st.Entry[0], QStringLiteral("5"));
}

void TstEntry::digitAfterResultReplacesIt()
{
    CalcFixture f(2);
    f.keys("1h-2h=");
    QCOMPARE(f.c.st.Sign[0], -1);
    f.keys("2");
    QCOMPARE(f.c.st.Entry[0], QString());
    QCOMPARE(f.c.st.Sign[0], 1);
    QCOMPARE(f.c.st.Sign[2], 1);
    QCOMPARE(f.c.st.EnzanNo, 0);
}

void TstEntry::keyAfterRecalledExponentFormStartsANewNumber_data()
{
    QTest::addColumn<QString>("recalled"); // what the history line's value is made of
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("sign");
    QTest::newRow("digit") << "9+1/9100779="
                           << "7"
                           << "7" << 1;
    QTest::newRow("zero") << "9+1/9100779="
                          << "0"
                          << "0" << 1;
    QTest::newRow("point") << "9+1/9100779="
                           << ".5"
                           << ".5" << 1;
    QTest::newRow("point into an exponent without a point") << "1/100000="
                                                            << ".5"
                                                            << ".5" << 1;
    QTest::newRow("negative value") << "-1/100000="
                                    << "3"
                                    << "3" << 1;
    QTest::newRow("plain value is still extended") << "9+1/8="
                                                   << "7"
                                                   << "          1.257" << 1;
}

// A recalled small value is in exponent form (1.098807E-06); a digit appended to it would
// land in the exponent and make it 1.098807E-067.
void TstEntry::keyAfterRecalledExponentFormStartsANewNumber()
{
    QFETCH(QString, recalled);
    QFETCH(QString, keys);
    QFETCH(QString, entry);
    QFETCH(int, sign);
    CalcFixture f(1);
    f.keys(recalled);
    f.c.history.ListIndex = int(f.lines().size()) - 2; // the result line, above its separator
    His_List_DblClick(f.c);
    f.keys(keys);
    QCOMPARE(f.c.st.Entry[0], entry);
    QCOMPARE(f.c.st.Sign[0], sign);
    QCOMPARE(f.disp().trimmed(), entry.trimmed());
}

QTEST_APPLESS_MAIN(TstEntry)
#include "tst_entry.moc"
