// SPDX-License-Identifier: GPL-3.0-or-later
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
    QTest::addColumn<uint>("keysym"); // the native virtual key under X11 and Wayland; 0 none

    const int keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96 << 0u;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 105 << 0u;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << int(Vk::Add) << 0u;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << int(Vk::Subtract) << 0u;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << int(Vk::Multiply) << 0u;
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << int(Vk::Divide) << 0u;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << int(Vk::Decimal) << 0u;
    QTest::newRow("keypad decimal comma") << int(Qt::Key_Comma) << keypad << int(Vk::Decimal) << 0u;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << int(Vk::Enter) << 0u;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << int(Vk::Enter) << 0u;
    // Num Lock off: the keypad reports editing keys, and each still enters what is printed
    // on it. Qt marks them as keypad keys; under X11 and Wayland the keysym says so too.
    const int digit = Vk::Numpad0;
    QTest::newRow("keypad Insert is 0") << int(Qt::Key_Insert) << keypad << digit + 0 << 0u;
    QTest::newRow("keypad End is 1") << int(Qt::Key_End) << keypad << digit + 1 << 0u;
    QTest::newRow("keypad Down is 2") << int(Qt::Key_Down) << keypad << digit + 2 << 0u;
    QTest::newRow("keypad Page Down is 3") << int(Qt::Key_PageDown) << keypad << digit + 3 << 0u;
    QTest::newRow("keypad Left is 4") << int(Qt::Key_Left) << keypad << digit + 4 << 0u;
    QTest::newRow("keypad Clear is 5") << int(Qt::Key_Clear) << keypad << digit + 5 << 0u;
    QTest::newRow("keypad Right is 6") << int(Qt::Key_Right) << keypad << digit + 6 << 0u;
    QTest::newRow("keypad Home is 7") << int(Qt::Key_Home) << keypad << digit + 7 << 0u;
    QTest::newRow("keypad Up is 8") << int(Qt::Key_Up) << keypad << digit + 8 << 0u;
    QTest::newRow("keypad Page Up is 9") << int(Qt::Key_PageUp) << keypad << digit + 9 << 0u;
    QTest::newRow("keypad Delete is the point") << int(Qt::Key_Delete) << keypad << int(Vk::Decimal) << 0u;
    QTest::newRow("KP_Home keysym") << int(Qt::Key_Home) << 0 << digit + 7 << 0xff95u;
    QTest::newRow("KP_Insert keysym") << int(Qt::Key_Insert) << 0 << digit + 0 << 0xff9eu;
    QTest::newRow("KP_Begin keysym") << int(Qt::Key_Clear) << 0 << digit + 5 << 0xff9du;
    QTest::newRow("KP_Prior keysym") << int(Qt::Key_PageUp) << 0 << digit + 9 << 0xff9au;
    QTest::newRow("KP_Delete keysym") << int(Qt::Key_Delete) << 0 << int(Vk::Decimal) << 0xff9fu;
    QTest::newRow("KP_Decimal keysym") << int(Qt::Key_Period) << keypad << int(Vk::Decimal) << 0xffaeu;
    QTest::newRow("KP_3 keysym") << int(Qt::Key_3) << keypad << digit + 3 << 0xffb3u;
    // The editing block keeps its actions, also with its X keysyms.
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << int(Vk::Home) << 0u;
    QTest::newRow("Home keysym") << int(Qt::Key_Home) << 0 << int(Vk::Home) << 0xff50u;
    QTest::newRow("End keysym") << int(Qt::Key_End) << 0 << int(Vk::End) << 0xff57u;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << int(Vk::Delete) << 0u;
    QTest::newRow("Delete keysym") << int(Qt::Key_Delete) << 0 << int(Vk::Delete) << 0xffffu;
    QTest::newRow("arrow Left") << int(Qt::Key_Left) << 0 << int(UnmappedKey) << 0u;
    QTest::newRow("Insert") << int(Qt::Key_Insert) << 0 << int(UnmappedKey) << 0u;
    QTest::newRow("End") << int(Qt::Key_End) << 0 << int(Vk::End) << 0u;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << int(Vk::Space) << 0u;
    QTest::newRow("H") << int(Qt::Key_H) << 0 << int(Vk::H) << 0u;
    QTest::newRow("Shift+H") << int(Qt::Key_H) << int(Qt::ShiftModifier) << int(Vk::H) << 0u;
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << int(Vk::F) << 0u;
    // The main row shares none of the keypad's codes; its full stop must not become
    // Delete (both are 46 in some numbering) nor its plus the keypad plus.
    QTest::newRow("main-row 7") << int(Qt::Key_7) << 0 << 55 << 0u;
    QTest::newRow("main-row full stop") << int(Qt::Key_Period) << 0 << int(UnmappedKey) << 0u;
    QTest::newRow("main-row plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << int(UnmappedKey) << 0u;
    QTest::newRow("main-row minus") << int(Qt::Key_Minus) << 0 << int(UnmappedKey) << 0u;
    QTest::newRow("main-row asterisk") << int(Qt::Key_Asterisk) << int(Qt::ShiftModifier) << int(UnmappedKey) << 0u;
    QTest::newRow("main-row slash") << int(Qt::Key_Slash) << 0 << int(UnmappedKey) << 0u;
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << int(UnmappedKey) << 0u;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << int(UnmappedKey) << 0u;
}

void TstKeymap::codes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QFETCH(uint, keysym);
    QCOMPARE(windowsKeyCode(key, Qt::KeyboardModifiers(modifiers), keysym), code);
}

QTEST_APPLESS_MAIN(TstKeymap)
#include "tst_keymap.moc"
