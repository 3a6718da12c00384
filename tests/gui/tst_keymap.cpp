// Qt key events to the key codes of the keyboard tables.
#include <QtTest>

#include "panel/panel.h"
#include "qt/keymap.h"

using namespace vantoro;

class TstKeymap : public QObject
{
    Q_OBJECT

private slots:
    void codes_data();
    void codes();
};

void TstKeymap::codes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");

    const int keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 105;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << int(Vk::Add);
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << int(Vk::Subtract);
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << int(Vk::Multiply);
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << int(Vk::Divide);
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << int(Vk::Decimal);
    QTest::newRow("keypad decimal comma") << int(Qt::Key_Comma) << keypad << int(Vk::Decimal);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << int(Vk::Enter);
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << int(Vk::Enter);
    // NumLock off: the keypad reports the editing keys it is labelled with.
    QTest::newRow("keypad End") << int(Qt::Key_End) << keypad << int(Vk::End);
    QTest::newRow("keypad Home") << int(Qt::Key_Home) << keypad << int(Vk::Home);
    QTest::newRow("keypad Delete") << int(Qt::Key_Delete) << keypad << int(Vk::Delete);
    QTest::newRow("keypad Insert") << int(Qt::Key_Insert) << keypad << int(UnmappedKey);
    QTest::newRow("End") << int(Qt::Key_End) << 0 << int(Vk::End);
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << int(Vk::Space);
    QTest::newRow("H") << int(Qt::Key_H) << 0 << int(Vk::H);
    QTest::newRow("Shift+H") << int(Qt::Key_H) << int(Qt::ShiftModifier) << int(Vk::H);
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << int(Vk::F);
    // The main row shares none of the keypad's codes; its full stop must not become
    // Delete (both are 46 in some numbering) nor its plus the keypad plus.
    QTest::newRow("main-row 7") << int(Qt::Key_7) << 0 << 55;
    QTest::newRow("main-row full stop") << int(Qt::Key_Period) << 0 << int(UnmappedKey);
    QTest::newRow("main-row plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << int(UnmappedKey);
    QTest::newRow("main-row minus") << int(Qt::Key_Minus) << 0 << int(UnmappedKey);
    QTest::newRow("main-row asterisk") << int(Qt::Key_Asterisk) << int(Qt::ShiftModifier) << int(UnmappedKey);
    QTest::newRow("main-row slash") << int(Qt::Key_Slash) << 0 << int(UnmappedKey);
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << int(UnmappedKey);
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << int(UnmappedKey);
}

void TstKeymap::codes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QCOMPARE(windowsKeyCode(key, Qt::KeyboardModifiers(modifiers)), code);
}

QTEST_APPLESS_MAIN(TstKeymap)
#include "tst_keymap.moc"
