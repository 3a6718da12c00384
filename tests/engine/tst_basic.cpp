// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <bit>
#include <cmath>

#include "engine/basic.h"

using namespace vantoro;

class TstBasic : public QObject
{
    Q_OBJECT
private slots:
    void val_data();
    void val();
    void str_data();
    void str();
    void valOfStr_data();
    void valOfStr();
    void textOperations();
};

void TstBasic::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks then digits") << "    12" << 12.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent form") << "1.5E-05" << 0.000015;
    QTest::newRow("two blanks") << "  " << 0.0;
    QTest::newRow("zero point blanks") << "0.  " << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("stops at letter") << "1530abc" << 1530.0;
    QTest::newRow("blanks inside") << "1 2 3" << 123.0;
    QTest::newRow("minus") << "-.25" << -0.25;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("D exponent") << "2D3" << 2000.0;
    QTest::newRow("exponent without digits") << "7E" << 7.0;
    QTest::newRow("packed H:M:S text") << "    12345.00" << 12345.0;
    QTest::newRow("full-width digits are not digits") << "１２" << 0.0;
    QTest::newRow("separator marks") << QString(21, QChar(0xFFE3)) << 0.0;
}

void TstBasic::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TstBasic::str_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 5.0 << " 5";
    QTest::newRow("decimal") << 12.5 << " 12.5";
    QTest::newRow("below one") << 0.5 << " .5";
    QTest::newRow("thousandth") << 0.001 << " .001";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("negative below one") << -0.25 << "-.25";
    QTest::newRow("negative half") << -0.5 << "-.5";
    QTest::newRow("1E+15") << 1e15 << " 1E+15";
    QTest::newRow("largest plain") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("rounds up to exponent form") << 999999999999999.9 << " 1E+15";
    QTest::newRow("1.5E-05") << 0.000015 << " 1.5E-05";
    QTest::newRow("negative exponent") << -0.000000225 << "-2.25E-07";
    QTest::newRow("1E-04 stays plain") << 0.0001 << " .0001";
    QTest::newRow("15 significant digits") << 1.0 / 3 << " .333333333333333";
    QTest::newRow("root of two") << std::sqrt(2.0) << " 1.4142135623731";
    QTest::newRow("three exponent digits") << 1e100 << " 1E+100";
    QTest::newRow("fourteen nines") << 99999999999999.0 << " 99999999999999";
}

void TstBasic::str()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QCOMPARE(Str(x), text);
}

void TstBasic::valOfStr_data()
{
    str_data();
    QTest::newRow("three decimals") << -12.345 << "-12.345";
    QTest::newRow("four decimals") << 1.0005 << " 1.0005";
    QTest::newRow("sum off its decimal text") << 0.1 + 0.2 << " .3";
    QTest::newRow("beyond 1E+12 with decimals") << 1234567890123.5 << " 1234567890123.5";
}

// The number as its number text gives it back, to the last bit.
void TstBasic::valOfStr()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QCOMPARE(Str(x), text);
    QCOMPARE(std::bit_cast<quint64>(ValOfStr(x)), std::bit_cast<quint64>(Val(text)));
}

void TstBasic::textOperations()
{
    QCOMPARE(Left(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    QCOMPARE(Left(QStringLiteral("abc"), -1), QString());
    QCOMPARE(Right(QStringLiteral("abc"), 2), QStringLiteral("bc"));
    QCOMPARE(Right(QStringLiteral("abc"), 0), QString());
    QCOMPARE(Mid(QStringLiteral("abcdef"), 5, 4), QStringLiteral("ef"));
    QCOMPARE(InStr(QStringLiteral(" 1.5"), QStringLiteral(".")), 3);
    QCOMPARE(InStr(QStringLiteral(" 15"), QStringLiteral(".")), 0);
    QCOMPARE(Int(-0.5), -1.0);
    QCOMPARE(Str(12345678.0f, 7), QStringLiteral(" 1.234568E+07"));
    QCOMPARE(Str(-120.0, 7), QStringLiteral("-120"));
}

QTEST_APPLESS_MAIN(TstBasic)
#include "tst_basic.moc"
