#include "qt/keymap.h"

#include "panel/panel.h"

namespace vantoro {

int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return Vk::Numpad0 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Plus: return Vk::Add;
        case Qt::Key_Minus: return Vk::Subtract;
        case Qt::Key_Asterisk: return Vk::Multiply;
        case Qt::Key_Slash: return Vk::Divide;
        case Qt::Key_Period:
        case Qt::Key_Comma: // the keypad separator of decimal-comma layouts
            return Vk::Decimal;
        default: break;
        }
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

} // namespace vantoro
