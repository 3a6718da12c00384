// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <Qt>

class QKeyEvent;

namespace vantoro {

// A code that no row of the key tables matches.
constexpr int UnmappedKey = 0;

// The Windows-style key code (panel/panel.h, Vk) of a Qt key event. Keypad digits,
// operators and point count only as keys of the numeric keypad (Qt::KeypadModifier, or a
// keypad keysym as the native virtual key), so the main row's digits and operator
// characters map to nothing the tables act on. A keypad key is the calculator's key
// whatever Num Lock says: with Num Lock off the keypad reports Home, End, the arrows and
// so on, and those still enter the digit or point printed on the key. Home, End and
// Delete of the editing block keep their own actions.
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey = 0);
int windowsKeyCode(const QKeyEvent &event);

} // namespace vantoro
