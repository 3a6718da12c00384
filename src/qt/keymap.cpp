// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/keymap.h"

#include <QKeyEvent>

#include "panel/panel.h"

namespace vantoro {

namespace {

// X keysyms of the numeric keypad, the native virtual key under X11 and Wayland.
namespace Keysym {
constexpr quint32 KP_Home = 0xff95, KP_Left = 0xff96, KP_Up = 0xff97, KP_Right = 0xff98, KP_Down = 0xff99,
                  KP_Prior = 0xff9a, KP_Next = 0xff9b, KP_End = 0xff9c, KP_Begin = 0xff9d, KP_Insert = 0xff9e,
                  KP_Delete = 0xff9f, KP_Separator = 0xffac, KP_Decimal = 0xffae, KP_0 = 0xffb0, KP_9 = 0xffb9;
}

// The digit or point printed on a keypad key that Num Lock off turned into an editing key,
// from its keysym; UnmappedKey for any other keysym.
int keypadCodeOfKeysym(quint32 keysym)
{
    using namespace Keysym;
    if (keysym >= KP_0 && keysym <= KP_9)
        return Vk::Numpad0 + int(keysym - KP_0);
    switch (keysym) {
    case KP_Insert: return Vk::Numpad0;
    case KP_End: return Vk::Numpad0 + 1;
    case KP_Down: return Vk::Numpad0 + 2;
    case KP_Next: return Vk::Numpad0 + 3;
    case KP_Left: return Vk::Numpad0 + 4;
    case KP_Begin: return Vk::Numpad0 + 5;
    case KP_Right: return Vk::Numpad0 + 6;
    case KP_Home: return Vk::Numpad0 + 7;
    case KP_Up: return Vk::Numpad0 + 8;
    case KP_Prior: return Vk::Numpad0 + 9;
    case KP_Delete:
    case KP_Decimal:
    case KP_Separator: return Vk::Decimal;
    default: return UnmappedKey;
    }
}

// The same from the Qt key of a keypad key, for platforms whose native key is no keysym.
int keypadCodeOfQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Vk::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Insert: return Vk::Numpad0;
    case Qt::Key_End: return Vk::Numpad0 + 1;
    case Qt::Key_Down: return Vk::Numpad0 + 2;
    case Qt::Key_PageDown: return Vk::Numpad0 + 3;
    case Qt::Key_Left: return Vk::Numpad0 + 4;
    case Qt::Key_Clear: return Vk::Numpad0 + 5; // the middle key, KP_Begin
    case Qt::Key_Right: return Vk::Numpad0 + 6;
    case Qt::Key_Home: return Vk::Numpad0 + 7;
    case Qt::Key_Up: return Vk::Numpad0 + 8;
    case Qt::Key_PageUp: return Vk::Numpad0 + 9;
    case Qt::Key_Period:
    case Qt::Key_Comma: // the keypad separator of decimal-comma layouts
    case Qt::Key_Delete: return Vk::Decimal;
    case Qt::Key_Plus: return Vk::Add;
    case Qt::Key_Minus: return Vk::Subtract;
    case Qt::Key_Asterisk: return Vk::Multiply;
    case Qt::Key_Slash: return Vk::Divide;
    default: return UnmappedKey;
    }
}

} // namespace

int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey)
{
    if (const int code = keypadCodeOfKeysym(nativeVirtualKey); code != UnmappedKey)
        return code;
    if (modifiers & Qt::KeypadModifier) {
        if (const int code = keypadCodeOfQtKey(qtKey); code != UnmappedKey)
            return code;
    }
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Vk::Enter;
    case Qt::Key_End: return Vk::End;
    case Qt::Key_Delete: return Vk::Delete;
    case Qt::Key_Home: return Vk::Home;
    case Qt::Key_Space: return Vk::Space;
    default: break;
    }
    // Qt numbers letters and main-row digits as Windows does: upper-case ASCII, whatever
    // Shift or Ctrl. Nothing else shares the numbering.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return UnmappedKey;
}

int windowsKeyCode(const QKeyEvent &event)
{
    return windowsKeyCode(event.key(), event.modifiers(), event.nativeVirtualKey());
}

} // namespace vantoro
