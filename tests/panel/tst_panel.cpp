// SPDX-License-Identifier: GPL-3.0-or-later
// Key faces, the availability of keys per mode, and the keyboard and mouse tables.
#include <QtTest>

#include "panel/layout.h"
#include "support/calc_fixture.h"

using namespace vantoro;
using vantoro::test::CalcFixture;

namespace {

QList<const Element *> allFaces(const MainWindowElements &ui)
{
    QList<const Element *> faces;
    for (const auto &f : ui.Tenkey)
        faces << &f;
    for (int i = 1; i <= 4; ++i)
        faces << &ui.Enzan_key[i];
    for (const auto &f : ui.H_key)
        faces << &f;
    faces << &ui.Ac_Key << &ui.Ce_Key << &ui.Per_Key << &ui.Root_key << &ui.Kanma_Key << &ui.Eq_key << &ui.Mode_key[0]
          << &ui.Mode_key[1];
    return faces;
}

bool allReleased(const MainWindowElements &ui)
{
    for (const Element *f : allFaces(ui))
        if (f->picture != Picture::Key_Off && f->picture != Picture::L_Key_Off)
            return false;
    return ui.Mode_key[0].picture == Picture::L_Key_Off && ui.Mode_key[1].picture == Picture::L_Key_Off;
}

} // namespace

class TstPanel : public QObject
{
    Q_OBJECT
private slots:
    void availabilityByMode_data();
    void availabilityByMode();
    void facesReleasedAfterStartUpAndAllClear();
    void releaseByCode_data();
    void releaseByCode();
    void keyboardIgnoresUnavailableKeys_data();
    void keyboardIgnoresUnavailableKeys();
    void unmappedKeyClearsPushKeyOnly();
    void keyUpReleasesWithoutAvailabilityTest();
    void functionKeysClearPushKey();
    void mouseDigitRecordsItsFace();
    void mouseReleaseOfWideKeys();
    void clearingKeysActWhateverIsAvailable();
    void keyTableNamesEachKeyOnce();
};

void TstPanel::availabilityByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("units");
    QTest::addColumn<bool>("point");
    QTest::addColumn<bool>("percentRoot");
    QTest::addColumn<bool>("autoUnit");
    QTest::newRow("H:M:S-Auto") << 0 << false << true << false << true;
    QTest::newRow("seconds") << 1 << false << true << true << false;
    QTest::newRow("H:M:S-Unit") << 2 << true << false << false << true;
}

void TstPanel::availabilityByMode()
{
    QFETCH(int, mode);
    QFETCH(bool, units);
    QFETCH(bool, point);
    QFETCH(bool, percentRoot);
    QFETCH(bool, autoUnit);
    // after start-up, and the same after all clear
    for (const char *keys : {"", "a"}) {
        CalcFixture f(mode);
        f.keys(keys);
        const auto &ui = f.c.ui;
        auto colour = [](bool on) { return on ? OnColor : OffColor; };
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ui.H[i].enabled, units);
            QCOMPARE(ui.Enzan_Label[8 + i].foreColor, colour(units));
        }
        QCOMPARE(ui.kanma.enabled, point);
        QCOMPARE(ui.Kanma_label.foreColor, colour(point));
        QCOMPARE(ui.PER.enabled, percentRoot);
        QCOMPARE(ui.ROOT.enabled, percentRoot);
        QCOMPARE(ui.Enzan_Label[5].foreColor, colour(percentRoot));
        QCOMPARE(ui.Enzan_Label[4].foreColor, colour(percentRoot));
        QCOMPARE(ui.Unit_input.enabled, autoUnit);
        QCOMPARE(ui.Mode_Key_Label[0].foreColor, colour(autoUnit));
        QVERIFY(ui.hms.enabled);
        QCOMPARE(ui.Mode_Key_Label[1].foreColor, OnColor);
        QVERIFY(ui.Eq.enabled && ui.Enzan[1].enabled && ui.Ac.enabled && ui.Ce.enabled);
        QCOMPARE(f.c.st.Mode, mode);
        QCOMPARE(ui.MODE.caption, ModeCaption[mode]);
        if (QByteArray(keys).isEmpty())
            QCOMPARE(ui.Mode_Key_Label[0].caption,
                     mode == 2 ? QStringLiteral("Unit>Auto") : QStringLiteral("Auto>Unit"));
    }
}

void TstPanel::facesReleasedAfterStartUpAndAllClear()
{
    CalcFixture f(2);
    QVERIFY(allReleased(f.c.ui));
    Form_keydown(f.c, Vk::Numpad0 + 5);
    Form_keydown(f.c, Vk::Home); // all clear while a digit is held
    QVERIFY(allReleased(f.c.ui));
}

void TstPanel::releaseByCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("keys"); // key pressed and held (no release)
    QTest::newRow("digit") << Vk::Numpad0 + 7 << "7";
    QTest::newRow("operator group") << Vk::Multiply << "*";
    QTest::newRow("unit group") << Vk::M << "m";
    QTest::newRow("conversion") << Vk::Space << ":";
    QTest::newRow("equals") << Vk::Enter << "=";
}

void TstPanel::releaseByCode()
{
    QFETCH(int, code);
    CalcFixture f(2);
    f.keys("5");
    if (code == Vk::Numpad0 + 7) {
        // the keyboard digit leaves PushKey alone; a mouse press records it
        keyMouseDown(f.c, digitKey(7));
    } else {
        f.keys("h");
        Form_keydown(f.c, code);
    }
    QVERIFY(!allReleased(f.c.ui));
    QVERIFY(f.c.st.PushKey > 0);
    Release_Keys(f.c);
    QVERIFY(allReleased(f.c.ui));
    QCOMPARE(f.c.st.PushKey, 0);
}

void TstPanel::keyboardIgnoresUnavailableKeys_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("code");
    QTest::newRow("H in auto") << 0 << Vk::H;
    QTest::newRow("S in seconds") << 1 << Vk::S;
    QTest::newRow("P in auto") << 0 << Vk::P;
    QTest::newRow("R in unit") << 2 << Vk::R;
    QTest::newRow("point in unit") << 2 << Vk::Decimal;
    QTest::newRow("U in seconds") << 1 << Vk::U;
}

void TstPanel::keyboardIgnoresUnavailableKeys()
{
    QFETCH(int, mode);
    QFETCH(int, code);
    CalcFixture f(mode);
    f.keys("12");
    f.c.st.PushKey = 77;
    const auto before = f.c.st.Entry;
    const QString shown = f.display();
    Form_keydown(f.c, code);
    QCOMPARE(f.c.st.PushKey, 77);
    QCOMPARE(f.c.st.Entry, before);
    QCOMPARE(f.display(), shown);
    QVERIFY(allReleased(f.c.ui) || mode == 2); // a held unit digit stays pressed in unit mode
}

void TstPanel::unmappedKeyClearsPushKeyOnly()
{
    CalcFixture f(1);
    keyMouseDown(f.c, digitKey(4));
    for (int code : {48, 49, 57, 187, 189, 190, 191, 16}) // main-row digits and characters, Shift
        Form_keydown(f.c, code);
    QCOMPARE(f.c.st.PushKey, 0);
    QCOMPARE(f.c.st.Entry[0], QStringLiteral("4"));
    keyMouseUp(f.c, digitKey(4));
    QCOMPARE(f.c.ui.Tenkey[4].picture, Picture::Key_On); // stays pressed until something else releases it
    Form_MouseMove(f.c);
    QCOMPARE(f.c.ui.Tenkey[4].picture, Picture::Key_On);
}

void TstPanel::keyUpReleasesWithoutAvailabilityTest()
{
    CalcFixture f(0);
    f.c.ui.H_key[1].picture = Picture::Key_On;
    f.c.st.PushKey = 25;
    Form_KeyUp(f.c, Vk::M);
    QCOMPARE(f.c.ui.H_key[1].picture, Picture::Key_Off);
    QCOMPARE(f.c.st.PushKey, 0);

    f.c.st.PushKey = 25;
    Form_KeyUp(f.c, Vk::T);
    QCOMPARE(f.c.st.PushKey, 25);
    Form_KeyUp(f.c, 48);
    QCOMPARE(f.c.st.PushKey, 25);
    Form_KeyUp(f.c, Vk::U);
    QCOMPARE(f.c.ui.Mode_key[0].picture, Picture::L_Key_Off);
}

void TstPanel::functionKeysClearPushKey()
{
    CalcFixture f(0);
    for (int code : {Vk::T, Vk::C, Vk::L, Vk::A, Vk::U}) {
        f.c.st.PushKey = 26;
        Form_keydown(f.c, code);
        QCOMPARE(f.c.st.PushKey, 0);
    }
}

void TstPanel::mouseDigitRecordsItsFace()
{
    CalcFixture f(1);
    keyMouseDown(f.c, digitKey(0));
    QCOMPARE(f.c.st.PushKey, 10);
    QCOMPARE(f.c.ui.Tenkey[0].picture, Picture::Key_On);
    keyMouseUp(f.c, digitKey(0));
    QCOMPARE(f.c.ui.Tenkey[0].picture, Picture::Key_Off);
    QCOMPARE(f.c.st.PushKey, 0);
}

void TstPanel::mouseReleaseOfWideKeys()
{
    CalcFixture f(0);
    keyMouseDown(f.c, KeyId::Convert);
    QCOMPARE(f.c.ui.Mode_key[1].picture, Picture::L_Key_On);
    Form_keydown(f.c, 16); // a keyboard key in between clears PushKey
    keyMouseUp(f.c, KeyId::Convert);
    QCOMPARE(f.c.ui.Mode_key[1].picture, Picture::L_Key_Off);
    keyMouseDown(f.c, KeyId::AutoUnit);
    keyMouseUp(f.c, KeyId::AutoUnit);
    QCOMPARE(f.c.ui.Mode_key[0].picture, Picture::L_Key_Off);
    QCOMPARE(f.c.st.PushKey, 0);
}

void TstPanel::clearingKeysActWhateverIsAvailable()
{
    CalcFixture f(2);
    f.keys("123"); // operators, equals and conversion unavailable
    Form_keydown(f.c, Vk::Delete);
    QCOMPARE(f.c.st.Entry[2], QStringLiteral("           0"));
    Form_keydown(f.c, Vk::Home);
    QCOMPARE(f.c.st.EntryIdx, 0);
    QVERIFY(f.c.ui.Eq.enabled);
}

// A key added to the table must not take another key's keyboard code, script character or
// element, and must have its place in the window.
void TstPanel::keyTableNamesEachKeyOnce()
{
    QSet<int> codes;
    QSet<char> scripts;
    QSet<QString> elements;
    for (const KeyRow &k : keyTable()) {
        for (int code : k.keyboard) {
            if (code == 0)
                continue;
            QVERIFY2(!codes.contains(code), k.spokenName);
            codes << code;
        }
        if (k.script != 0) {
            QVERIFY2(!scripts.contains(k.script), k.spokenName);
            scripts << k.script;
        }
        for (const ElementRef &e : {k.region, k.face, k.legend}) {
            if (!e)
                continue;
            const QString name = QString::fromLatin1(e.name) + QLatin1Char('_') + QString::number(e.index);
            QVERIFY2(!elements.contains(name), qPrintable(name));
            elements << name;
        }
        const auto laidOut = std::count_if(mainKeys().begin(), mainKeys().end(),
                                           [&](const KeyDef &d) { return d.id == k.id; });
        if (k.hasFace()) {
            QCOMPARE(laidOut, 1);
        } else {
            QCOMPARE(laidOut, 0);
            const auto &els = mainElements();
            QVERIFY2(std::any_of(els.begin(), els.end(),
                                 [&](const ElementDef &d) { return d.name == QLatin1String(k.region.name); }),
                     k.region.name);
        }
    }
}

QTEST_APPLESS_MAIN(TstPanel)
#include "tst_panel.moc"
