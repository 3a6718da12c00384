// SPDX-License-Identifier: GPL-3.0-or-later
// Texts written in place and the ring of history lines.
#include <QtTest>

#include "window/elements.h"
#include "window/text.h"

using namespace vantoro;

class TstText : public QObject
{
    Q_OBJECT
private slots:
    void assignText_data();
    void assignText();
    void assignKeepsStorage();
    void rightAlign_data();
    void rightAlign();
    void longTextLeavesTheStack();
    void ringKeepsTheNewest();
    void ringsCompareByContent();
};

void TstText::assignText_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<qsizetype>("from"); // -1: an independent text, else a part of target
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("shorter") << QStringLiteral("abcdef") << qsizetype(-1) << qsizetype(0) << QStringLiteral("xy")
                             << QStringLiteral("xy");
    QTest::newRow("longer") << QStringLiteral("ab") << qsizetype(-1) << qsizetype(0) << QStringLiteral("wxyz")
                            << QStringLiteral("wxyz");
    QTest::newRow("empty") << QStringLiteral("ab") << qsizetype(-1) << qsizetype(0) << QString() << QString();
    QTest::newRow("own tail") << QStringLiteral("abcdef") << qsizetype(2) << qsizetype(4) << QString()
                              << QStringLiteral("cdef");
    QTest::newRow("own middle") << QStringLiteral("abcdef") << qsizetype(1) << qsizetype(3) << QString()
                                << QStringLiteral("bcd");
    QTest::newRow("own head") << QStringLiteral("abcdef") << qsizetype(0) << qsizetype(2) << QString()
                              << QStringLiteral("ab");
}

void TstText::assignText()
{
    QFETCH(QString, target);
    QFETCH(qsizetype, from);
    QFETCH(qsizetype, length);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    target.detach();
    vantoro::assignText(target, from < 0 ? QStringView(text) : QStringView(target).mid(from, length));
    QCOMPARE(target, expected);
}

void TstText::assignKeepsStorage()
{
    QString target(15, QLatin1Char('x'));
    const QChar *storage = target.constData();
    vantoro::assignText(target, u"    12345.00");
    QCOMPARE(target, QStringLiteral("    12345.00"));
    QCOMPARE(target.constData(), storage);

    // A text someone else holds is left to them.
    const QString held = target;
    vantoro::assignText(target, u"1");
    QCOMPARE(target, QStringLiteral("1"));
    QCOMPARE(held, QStringLiteral("    12345.00"));
}

void TstText::rightAlign_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << QStringLiteral("12") << 5 << QStringLiteral("   12");
    QTest::newRow("cut to its right") << QStringLiteral("123456") << 4 << QStringLiteral("3456");
    QTest::newRow("exact") << QStringLiteral("1234") << 4 << QStringLiteral("1234");
    QTest::newRow("nothing") << QStringLiteral("1234") << 0 << QString();
    QTest::newRow("empty padded") << QString() << 3 << QStringLiteral("   ");
}

void TstText::rightAlign()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    ShortText t;
    t << text;
    QCOMPARE(t.rightAlign(width).view().toString(), expected);
    ShortText room; // the same as a view, of the text itself where it is long enough
    QCOMPARE(rightAligned(text, width, room).toString(), expected);
}

void TstText::longTextLeavesTheStack()
{
    const QString piece = QStringLiteral("0123456789");
    ShortText t;
    QString expected;
    for (int i = 0; i < 20; ++i) {
        t << piece << QLatin1Char('|');
        expected += piece + QLatin1Char('|');
    }
    QCOMPARE(t.view().toString(), expected);
    QCOMPARE(t.rightAlign(300).view().toString(), QString(80, QLatin1Char(' ')) + expected);
}

void TstText::ringKeepsTheNewest()
{
    TextRing<3> ring;
    QStringList added;
    for (int i = 0; i < 8; ++i) { // more than two rounds of the ring
        ring.append(QString::number(i));
        added.append(QString::number(i));
        QCOMPARE(ring.toList(), added.mid(std::max<qsizetype>(0, added.size() - 3)));
    }
    QCOMPARE(ring.first(), QStringLiteral("5"));
    QCOMPARE(ring.last(), QStringLiteral("7"));
    ring.removeFirst();
    QCOMPARE(ring.toList(), (QStringList{QStringLiteral("6"), QStringLiteral("7")}));
    ring[0] = QStringLiteral("x");
    QCOMPARE(ring.at(0), QStringLiteral("x"));
}

void TstText::ringsCompareByContent()
{
    TextRing<3> a, b;
    for (const char *t : {"1", "2", "3", "4"}) // a wraps: its first text is not in its first slot
        a.append(QString::fromLatin1(t));
    for (const char *t : {"2", "3", "4"})
        b.append(QString::fromLatin1(t));
    QVERIFY(a == b);
    b[2] = QStringLiteral("5");
    QVERIFY(a != b);
    b.removeFirst();
    QVERIFY(a != b);
}

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
