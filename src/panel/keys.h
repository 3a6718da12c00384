// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the calculator: one row per key holds everything that names it, so that the
// mouse, the keyboard, the faces, the command-line tool, the window layer and the tests all
// read the same identity. A new key is one row here (plus its place in the element table).
#include <QtGlobal>
#include <array>
#include <optional>
#include <span>

#include "engine/calculator.h"

namespace vantoro {

// Keyboard: platform key codes (Windows virtual-key numbering) of the key table.
namespace Vk {
constexpr int Enter = 13, Space = 32, End = 35, Home = 36, Delete = 46;
constexpr int Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int A = 65, C = 67, F = 70, H = 72, L = 76, M = 77, P = 80, R = 82, S = 83, T = 84, U = 85;
} // namespace Vk

// Every key, in the order of the table. The function row's keys (clock, clipboard, history,
// About, quit) have a button and a keyboard key but no face.
enum class KeyId : quint8 {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Add,
    Subtract,
    Multiply,
    Divide,
    Point,
    Equals,
    ClearEntry,
    AllClear,
    Clock,
    Hours,
    Minutes,
    Seconds,
    Convert,
    Percent,
    Root,
    AutoUnit,
    Copy,
    History,
    About,
    Quit
};

constexpr KeyId digitKey(int digit)
{
    return KeyId(int(KeyId::Digit0) + digit);
}
constexpr KeyId operatorKey(int enzan)
{
    return KeyId(int(KeyId::Add) + enzan - 1);
} // 1..4 for + - x /
constexpr KeyId unitKey(int unit)
{
    return KeyId(int(KeyId::Hours) + unit);
} // 0..2 for h min s

// The record of an element, for arrays by index.
using RecordAccess = Element &(*)(MainWindowElements &, int);

// An element of a key: its name as the logic knows it, its array index (-1 for a single
// element) and how to reach its record.
struct ElementRef {
    const char *name = nullptr;
    int index = -1;
    RecordAccess record = nullptr;

    explicit operator bool() const { return record != nullptr; }
    Element &of(MainWindowElements &ui) const { return record(ui, index < 0 ? 0 : index); }
};

struct KeyRow {
    KeyId id;
    int pushCode;                // PushKey while its face is drawn pressed (KeyCode::None: no face)
    std::array<int, 2> keyboard; // keyboard codes (Vk), 0 for none
    char script;                 // the key in a vantoro-calc script, 0 for none
    bool keyboardNeedsEnabled;   // the keyboard acts only while the button region is enabled
    bool keyboardForgetsPush;    // after the keyboard's action PushKey is cleared again
    Picture released;            // the face's released picture; Picture::None without a face
    const char *spokenName;      // what the key does, for assistive technology
    const char *keyboardName;    // the keyboard key that does the same, as a user reads it
    int qtKey;                   // how Qt reports that keyboard key (simulated input)
    bool qtKeypad;               // ... with the keypad modifier
    ElementRef region, face, legend;
    void (*action)(Calculator &);

    bool hasFace() const { return bool(face); }
    bool wide() const { return released == Picture::L_Key_Off; }
    Picture pressed() const { return wide() ? Picture::L_Key_On : Picture::Key_On; }
};

std::span<const KeyRow> keyTable();
const KeyRow &keyRow(KeyId id);
const KeyRow *keyForKeyboard(int keyCode);              // nullptr for a code no key has
const KeyRow *keyForScript(QChar ch);                   // letters in either case; nullptr for none
const KeyRow *keyForElement(const QString &regionName); // a function-row button by name

// How Qt reports the key a person types for a character of a typed sequence: digits and
// + - * / . = on the numeric keypad, as the key table has them; letters and space on the
// main keyboard. Used to simulate typing; nullopt for a character with no such key.
struct TypedKey {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
};
std::optional<TypedKey> typedKey(QChar ch);

// The steps every key action begins with.
void drawPressed(Calculator &c, KeyId id); // the face drawn pressed
void pressKey(Calculator &c, KeyId id);    // the face drawn pressed and PushKey recorded

} // namespace vantoro
