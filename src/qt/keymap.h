#pragma once
#include <Qt>

namespace vantoro {

// A code that no row of the key tables matches.
constexpr int UnmappedKey = 0;

// The Windows-style key code (panel/panel.h, Vk) of a Qt key event. Keypad digits,
// operators and point count only with Qt::KeypadModifier, so the main row's digits and
// operator characters map to nothing the tables act on. With NumLock off the keypad
// reports Home, End, Delete and so on, which map like the editing keys they stand for.
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace vantoro
