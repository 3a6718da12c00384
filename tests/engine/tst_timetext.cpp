// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "engine/basic.h"
#include "engine/engine.h"
#include "support/calc_fixture.h"

using namespace vantoro;
using vantoro::test::CalcFixture;

namespace {
QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}
} // namespace

class TstTimeText : public QObject
{
    Q_OBJECT
private slots:
    void hmsToSec_data();
    void hmsToSec();
    void secToHms_data();
    void secToHms();
    void secToHmsOverflow();
    void secondsResult_data();
    void secondsResult();
};

void TstTimeText::hmsToSec_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("seconds");
    QTest::newRow("1 h 23 min 45 s") << sp(4) + "12345.00"
                                     << " 5025";
    QTest::newRow("5 s") << sp(8) + "5.00"
                         << " 5";
    QTest::newRow("point keyed first") << "0.  "
                                       << " 0";
    QTest::newRow("hundredths") << sp(6) + "123.45"
                                << " 83.45";
    QTest::newRow("longest") << "999995959.00"
                             << " 359999999";
    QTest::newRow("longer text read by its last 12") << sp(14) + "1.00"
                                                     << " 1";
    QTest::newRow("keyed minutes above 59") << sp(6) + "9900.00"
                                            << " 5940";
    QTest::newRow("empty") << ""
                           << " 0";
}

void TstTimeText::hmsToSec()
{
    QFETCH(QString, text);
    QFETCH(QString, seconds);
    QCOMPARE(Hms_To_Sec(text), seconds);
}

void TstTimeText::secToHms_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << 5.0 << sp(9) + "5.00";
    QTest::newRow("0.5") << 0.5 << sp(9) + "0.50";
    QTest::newRow("0") << 0.0 << sp(9) + "0.00";
    QTest::newRow("65") << 65.0 << sp(7) + " 105.00";
    QTest::newRow("3725.5") << 3725.5 << "10205.50";
    QTest::newRow("3600") << 3600.0 << "10000.00";
    QTest::newRow("limit") << 359999999.0 << "999995959.00";
    QTest::newRow("minutes blank-padded without hours") << 300.0 << sp(7) + " 500.00";
    QTest::newRow("seconds zero-padded with minutes") << 61.25 << sp(7) + " 101.25";
    QTest::newRow("thousandths half up") << 1.0051 << sp(9) + "1.01";
    QTest::newRow("thousandths truncated first") << 2.0049 << sp(9) + "2.00";
    QTest::newRow("below one second with minutes") << 60.5 << sp(7) + " 100.50";
    QTest::newRow("ten seconds") << 10.0 << sp(9) + "10.00";
    QTest::newRow("rounding up to 60 stays in the field") << 59.9951 << sp(9) + "60.00";
    QTest::newRow("8100") << 8100.0 << "21500.00";
}

void TstTimeText::secToHms()
{
    QFETCH(double, v);
    QFETCH(QString, text);
    QCOMPARE(Sec_To_Hms(Str(v)), std::optional<QString>(text));
}

void TstTimeText::secToHmsOverflow()
{
    QCOMPARE(Sec_To_Hms(Str(360000000.0)), std::nullopt);
    // A key action that converts reports the overflow and releases the faces.
    CalcFixture f;
    f.c.ui.Tenkey[3].picture = Picture::Key_On;
    QCOMPARE(hmsOrOverflow(f.c, Str(360000000.0)), QString());
    QCOMPARE(f.sv.messages, QStringList{QStringLiteral("桁あふれです")});
    QCOMPARE(f.c.ui.Tenkey[3].picture, Picture::Key_Off);
}

void TstTimeText::secondsResult_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sign");
    QTest::newRow("half") << 0.5 << " .5" << 1;
    QTest::newRow("third") << 1.0 / 3 << " ." + QString(13, QLatin1Char('3')) << 1;
    QTest::newRow("cut without rounding") << 12345678.123456 << " 12345678.12345" << 1;
    QTest::newRow("fourteen digits") << 12345678901234.5 << " 12345678901234" << 1;
    QTest::newRow("negative") << -42.0 << " 42" << -1;
    QTest::newRow("k = -5 keeps eight decimals") << 1.234567890123e-5 << " 1.23456789E-05" << 1;
    QTest::newRow("short mantissa") << 0.00005 << " 5E-05" << 1;
    QTest::newRow("k = -13 keeps none") << 1.5e-13 << " 1E-13" << 1;
    QTest::newRow("k = -15 is zero") << 2.5e-15 << " 0" << 1;
    QTest::newRow("tiny negative shown as zero is positive") << -2.5e-16 << " 0" << 1;
    QTest::newRow("k = -17 is zero") << 3e-17 << " 0" << 1;
    QTest::newRow("largest") << 99999999999999.0 << " 99999999999999" << 1;
}

void TstTimeText::secondsResult()
{
    QFETCH(double, r);
    QFETCH(QString, text);
    QFETCH(int, sign);
    const auto result = secondsResultText(r);
    QVERIFY(result);
    QCOMPARE(result->text, text);
    QCOMPARE(result->sign, sign);
}

QTEST_APPLESS_MAIN(TstTimeText)
#include "tst_timetext.moc"
