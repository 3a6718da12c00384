// SPDX-License-Identifier: GPL-3.0-or-later
// Whole calculations keyed as a user keys them: results, signs, marks and messages.
#include <QtTest>

#include "support/calc_fixture.h"

using namespace vantoro;
using vantoro::test::CalcFixture;

namespace {

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}
// The seconds display: the number right-aligned in 14 places and a blank.
QString secs(const QString &number)
{
    return sp(14 - int(number.size())) + number + QLatin1Char(' ');
}
// The H:M:S display of a 12-character packed text.
QString hms(const QString &packed)
{
    return packed.left(5) + QChar(0x00B0) + packed.mid(5, 2) + QChar(0x2019) + packed.right(5) + QChar(0x201D);
}

const QString Overflow = QStringLiteral("桁あふれです");

} // namespace

class TstCalculation : public QObject
{
    Q_OBJECT
private slots:
    void keyed_data();
    void keyed();
    void repeatedEqualsChangesNothing();
    void overflowResetsTheCalculation();
    void firstOperationOverflowKeepsSignsValid();
    void historyLinesOfACalculation();
    void historyLinesInHmsModes();
    void historyKeepsTheLast41Lines();
    void allClearSeparators();
    void clearEntry();
};

void TstCalculation::keyed_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("disp");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    const QString eq = QStringLiteral("＝");

    // seconds mode
    QTest::newRow("1 + 2 =") << 1 << "1+2="
                             << " " << secs("3") << eq << none;
    QTest::newRow("1 / 3 =") << 1 << "1/3="
                             << " " << secs("." + QString(13, QLatin1Char('3'))) << eq << none;
    QTest::newRow("5 / 0 =") << 1 << "5/0="
                             << " " << secs("0") << eq
                             << QStringList{QStringLiteral("ゼロによる割り算が実行されました")};
    QTest::newRow("left to right") << 1 << "5+3*2="
                                   << " " << secs("16") << eq << none;
    QTest::newRow("chained result shown with the new operator") << 1 << "5+3*"
                                                                << " " << secs("8") << "×" << none;
    QTest::newRow("minus after plus replaces it") << 1 << "5+-3="
                                                  << " " << secs("2") << eq << none;
    QTest::newRow("leading minus") << 1 << "-5+3="
                                   << "-" << secs("2") << eq << none;
    QTest::newRow("minus twice is positive") << 1 << "--5"
                                             << " " << secs("5") << "　" << none;
    QTest::newRow("plus alone does nothing") << 1 << "+"
                                             << " " << secs("0") << "　" << none;
    QTest::newRow("minus alone sets the sign") << 1 << "-"
                                               << "-" << secs("0") << "　" << none;
    QTest::newRow("negative result") << 1 << "5-8="
                                     << "-" << secs("3") << eq << none;
    QTest::newRow("operator after a zero result") << 1 << "5-5=+2="
                                                  << " " << secs("2") << eq << none;
    QTest::newRow("percent drops the pending addition") << 1 << "50+20%"
                                                        << " " << secs("2000") << "％" << none;
    QTest::newRow("percent of a fraction") << 1 << ".25%"
                                           << " " << secs("25") << "％" << none;
    QTest::newRow("percent never takes the first operand's sign") << 1 << "-5+20%"
                                                                  << " " << secs("2000") << "％" << none;
    QTest::newRow("percent of a negative number") << 1 << "-5%"
                                                  << "-" << secs("500") << "％" << none;
    QTest::newRow("percent overflow") << 1 << "99999999999999%"
                                      << " " << secs("0") << "％" << QStringList{QStringLiteral("桁あふれです.")};
    QTest::newRow("percent to 1E+15 overflows")
        << 1 << "10000000000000%"
        << " " << secs("0") << "％" << QStringList{QStringLiteral("桁あふれです.")};
    QTest::newRow("root") << 1 << "16r"
                          << " " << secs("4") << "√" << none;
    QTest::newRow("long root cut to 14 characters") << 1 << "2r"
                                                    << " " << secs("1.414213562373") << "√" << none;
    QTest::newRow("tiny root keeps its exponent") << 1 << ".0000000000001r"
                                                  << " " << secs("3.162277E-07") << "√" << none;
    QTest::newRow("root of a negative number is refused")
        << 1 << "-4r"
        << "-" << secs("4") << "　" << QStringList{QStringLiteral("負の数の平方根は求められません")};
    QTest::newRow("seconds overflow") << 1 << "99999999999999+1="
                                      << " " << sp(15) << eq << QStringList{Overflow};
    QTest::newRow("1E+15 overflows though its text is short") << 1 << "10000000000000*100="
                                                              << " " << sp(15) << eq << QStringList{Overflow};
    QTest::newRow("largest seconds result") << 1 << "99999999999998+1="
                                            << " " << secs("99999999999999") << eq << none;
    QTest::newRow("equals without an operator keeps the sign") << 1 << "3-5=5+3%7="
                                                               << " " << secs("7") << eq << none;
    QTest::newRow("point first") << 1 << ".5"
                                 << " " << secs(".5") << "　" << none;
    QTest::newRow("second point ignored") << 1 << "1.2.3"
                                          << " " << secs("1.23") << "　" << none;
    QTest::newRow("fifteenth character ignored") << 1 << "123456789012345"
                                                 << " " << secs("12345678901234") << "　" << none;
    QTest::newRow("point refused after 13 characters") << 1 << "1234567890123.4"
                                                       << " " << secs("12345678901234") << "　" << none;
    QTest::newRow("digit after a result starts positive") << 1 << "1-3=4"
                                                          << " " << secs("4") << "　" << none;

    // H:M:S-Auto
    QTest::newRow("1:30:00 + 45:00 =") << 0 << "13000+4500="
                                       << " " << hms("    21500.00") << eq << none;
    QTest::newRow("1:00:00 - 2:00:00 =") << 0 << "10000-20000="
                                         << "-" << hms("    10000.00") << eq << none;
    QTest::newRow("1 hour times 2") << 0 << "10000*2="
                                    << " " << hms("    20000.00") << eq << none;
    QTest::newRow("1 hour divided by 4") << 0 << "10000/4="
                                         << " " << hms("     1500.00") << eq << none;
    QTest::newRow("H:M:S overflow") << 0 << "999995959+1="
                                    << " " << hms(sp(12)) << eq << QStringList{Overflow};
    QTest::newRow("negative H:M:S overflow resets") << 0 << "-999995959-1="
                                                    << " " << hms(sp(12)) << eq << QStringList{Overflow};
    QTest::newRow("digits fill from the right") << 0 << "12345"
                                                << " " << hms("    12345.00") << "　" << none;
    QTest::newRow("point and decimal") << 0 << "123.4"
                                       << " " << hms("      123.4 ") << "　" << none;
    QTest::newRow("point first") << 0 << ".5"
                                 << " " << hms("        0.5 ") << "　" << none;
    QTest::newRow("tenth integer digit ignored") << 0 << "1234567890"
                                                 << " " << hms("123456789.00") << "　" << none;
    QTest::newRow("decimals after nine digits") << 0 << "123456789.12"
                                                << " " << hms("123456789.12") << "　" << none;
    QTest::newRow("third decimal ignored") << 0 << "1.234"
                                           << " " << hms("        1.23") << "　" << none;
    QTest::newRow("zero after the point") << 0 << ".05"
                                          << " " << hms("        0.05") << "　" << none;
    QTest::newRow("start-up display") << 0 << ""
                                      << " " << hms(sp(11) + "0") << "　" << none;
    QTest::newRow("all-clear display") << 0 << "a"
                                       << " " << hms("        0.00") << "　" << none;
    QTest::newRow("point after a negative result keeps the sign") << 0 << "1-2=.5"
                                                                  << "-" << hms("        0.5 ") << "　" << none;

    // H:M:S-Unit
    QTest::newRow("1 h 30 m + 45 m =") << 2 << "1h30m+45m="
                                       << " " << hms("    21500.00") << eq << none;
    QTest::newRow("90 minutes") << 2 << "90m"
                                << " " << hms("    13000.00") << "　" << none;
    QTest::newRow("4000 seconds") << 2 << "4000s"
                                  << " " << hms("    10640.00") << "　" << none;
    QTest::newRow("minutes then seconds") << 2 << "30m15s"
                                          << " " << hms("     3015.00") << "　" << none;
    QTest::newRow("hours, minutes, seconds") << 2 << "1h30m15s"
                                             << " " << hms("    13015.00") << "　" << none;
    QTest::newRow("pending unit number") << 2 << "25"
                                         << " " << secs("25") << "　" << none;
    QTest::newRow("leading minus and units") << 2 << "-1h30m"
                                             << "-" << hms("    13000.00") << "　" << none;
    QTest::newRow("more than 99999 hours refused") << 2 << "400000h"
                                                   << " " << hms("        0.00") << "　" << QStringList{Overflow};
    QTest::newRow("unit number after a result starts positive") << 2 << "1h-2h=2h"
                                                                << " " << hms("    20000.00") << "　" << none;
    QTest::newRow("zero after a unit key ignored") << 2 << "1h0"
                                                   << " " << hms("    10000.00") << "　" << none;
    QTest::newRow("sum above the limit resets") << 2 << "99999h59m59s1s"
                                                << " " << hms(sp(12)) << "　" << QStringList{Overflow};
    QTest::newRow("unit key without a number") << 2 << "h"
                                               << " " << hms(sp(11) + "0") << "　" << none;

    // conversion
    QTest::newRow("H:M:S to seconds") << 0 << "13000:"
                                      << " " << secs("5400") << "　" << none;
    QTest::newRow("and back") << 0 << "13000::"
                              << " " << hms("    13000.00") << "　" << none;
    QTest::newRow("result converted stays the result") << 1 << "5400=:"
                                                       << " " << hms("    13000.00") << eq << none;
    QTest::newRow("pending operation goes on in the new mode") << 0 << "10000+:1800="
                                                               << " " << secs("5400") << eq << none;
}

void TstCalculation::keyed()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(QString, sign);
    QFETCH(QString, disp);
    QFETCH(QString, mark);
    QFETCH(QStringList, messages);
    CalcFixture f(mode);
    f.keys(keys);
    QCOMPARE(f.c.ui.Disp.caption, disp);
    QCOMPARE(f.c.ui.Hugou.caption, sign);
    QCOMPARE(f.c.ui.ENZANSI.caption, mark);
    QCOMPARE(f.sv.messages, messages);
}

void TstCalculation::repeatedEqualsChangesNothing()
{
    CalcFixture f(1);
    f.keys("7*6=");
    const QString shown = f.display();
    const auto lines = f.lines();
    f.keys("==");
    QCOMPARE(f.display(), shown);
    QCOMPARE(f.lines(), lines);
}

void TstCalculation::overflowResetsTheCalculation()
{
    CalcFixture f(0);
    f.keys("999995959+1=");
    QCOMPARE(f.c.st.Entry[0], QString(12, QLatin1Char(' ')));
    QCOMPARE(f.c.st.EnzanNo, 5);
    // the calculation goes on from zero
    f.keys("5+3=");
    QCOMPARE(f.disp(), hms("        8.00"));
}

void TstCalculation::firstOperationOverflowKeepsSignsValid()
{
    CalcFixture f(1);
    f.keys("99999999999999*99+");
    QCOMPARE(f.sv.messages, QStringList{Overflow});
    QCOMPARE(f.c.st.Sign[0], 1);
    f.keys("5-9=");
    QCOMPARE(f.c.ui.Hugou.caption, QStringLiteral("-"));
    QCOMPARE(f.disp(), secs("4"));
}

void TstCalculation::historyLinesOfACalculation()
{
    CalcFixture f(1);
    f.keys("1+2=");
    const QStringList expected{
        QStringLiteral("　") + sp(19) + "1",
        QStringLiteral("＋") + sp(19) + "2",
        QStringLiteral("＝") + sp(19) + "3",
        QString(20, QChar(0x2500)) + QChar(0x3000),
    };
    QCOMPARE(f.lines(), expected);
    QCOMPARE(f.c.st.HisData[0], QStringLiteral("S 1"));
    QCOMPARE(f.c.st.HisData[2], QStringLiteral("S  3"));
    QCOMPARE(f.c.st.HisData[3], QStringLiteral("S ") + QString(21, QChar(0xFFE3)));

    CalcFixture g(1);
    g.keys("5+-3=5-8=");
    QCOMPARE(g.lines().at(1), QStringLiteral("－") + sp(19) + "3"); // the replaced operator's mark
    QCOMPARE(g.lines().at(6), QStringLiteral("＝ -") + sp(17) + "3");
    QCOMPARE(g.c.st.HisData[6], QStringLiteral("S- 3"));
}

void TstCalculation::historyLinesInHmsModes()
{
    CalcFixture f(0);
    f.keys("12345+12345=");
    QCOMPARE(f.lines().at(1), QStringLiteral("＋") + sp(7) + QStringLiteral("1°23’45.00”"));
    QCOMPARE(f.c.st.HisData[1], QStringLiteral("H     12345.00"));
    QCOMPARE(f.lines().at(2), QStringLiteral("＝") + sp(7) + QStringLiteral("2°47’30.00”"));

    CalcFixture p(1);
    p.keys("50+20%");
    QCOMPARE(p.lines().last(), QStringLiteral("＋") + sp(16) + "2000");
    p.keys("+1=");
    QCOMPARE(p.lines().at(2), QStringLiteral("％") + sp(16) + "2000");
}

void TstCalculation::historyKeepsTheLast41Lines()
{
    CalcFixture f(1);
    for (int i = 1; i <= 21; ++i)
        f.keys(QString::number(i) + "+"); // one line each
    f.keys("1=");                         // 3 more: 24 lines
    for (int i = 0; i < 6; ++i)
        f.keys("1+1="); // 4 each: 48 lines
    QCOMPARE(f.lines().size(), 41);
    QCOMPARE(f.c.st.HisCount, 41);
    // The first seven lines went; line k and its recall data still belong together.
    QCOMPARE(f.lines().at(0), QStringLiteral("＋") + sp(19) + "8");
    QCOMPARE(f.c.st.HisData[0], QStringLiteral("S 8"));
    for (int k = 0; k < 41; ++k) {
        const QString data = f.c.st.HisData[k];
        if (!data.endsWith(QChar(0xFFE3)))
            QVERIFY2(f.lines().at(k).endsWith(data.mid(2).trimmed()), qPrintable(QString::number(k)));
    }
    QCOMPARE(f.c.history.ListIndex, 40);
}

void TstCalculation::allClearSeparators()
{
    CalcFixture f(1);
    f.keys("a");
    QVERIFY(f.lines().isEmpty());
    f.keys("1+a");
    QCOMPARE(f.lines().size(), 2);
    QCOMPARE(f.lines().last(), QString(20, QChar(0x2500)) + QChar(0x3000));
    f.keys("1+2=a");
    QCOMPARE(f.lines().size(), 7);
    QCOMPARE(f.lines().at(5), f.lines().at(6));
}

void TstCalculation::clearEntry()
{
    CalcFixture f(1);
    f.keys("5+3c4=");
    QCOMPARE(f.disp(), secs("9"));

    CalcFixture g(1);
    g.keys("5+3c");
    QCOMPARE(g.c.ui.ENZANSI.caption, QStringLiteral("＋"));
    QCOMPARE(g.c.st.Entry[0], QStringLiteral("5"));
    QCOMPARE(g.disp(), secs("0"));

    CalcFixture h(1);
    h.keys("5-8=c");
    QCOMPARE(h.c.ui.Hugou.caption, QStringLiteral(" "));
    QCOMPARE(h.disp(), secs("0"));
}

QTEST_APPLESS_MAIN(TstCalculation)
#include "tst_calculation.moc"
