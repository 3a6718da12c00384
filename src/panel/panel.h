#pragma once
// Key panel: key faces and availability, mode set-up, mouse and keyboard handling.
#include "engine/calculator.h"

namespace vantoro {

// Availability convention; each property is written only when it differs.
void setEnabled(Element &button, bool on);
void setFore(Element &label, Colour colour);
void setAvailable(Element &button, Element &legend, bool on);

void Init_Button(Calculator &c);   // every face released
void Release_Keys(Calculator &c);  // the faces named by PushKey released, PushKey cleared
void MODE_INIT(Calculator &c);     // keys set up for the current Mode

// Keyboard: platform key codes (Windows virtual-key numbering) of the key tables.
namespace Vk {
constexpr int Enter = 13, Space = 32, End = 35, Home = 36, Delete = 46;
constexpr int Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int A = 65, C = 67, F = 70, H = 72, L = 76, M = 77, P = 80, R = 82, S = 83, T = 84, U = 85;
} // namespace Vk

void Form_keydown(Calculator &c, int keyCode);
void Form_KeyUp(Calculator &c, int keyCode);

// Mouse on the key button regions. The window layer delivers a press only to an
// enabled button region and the release to the region that took the press.
enum class KeyButton { Digit, Enzan, Eq, Ac, Ce, Kanma, Per, Root, H, Hms, Unit };
void keyMouseDown(Calculator &c, KeyButton key, int index = 0);
void keyMouseUp(Calculator &c, KeyButton key);
// The button region a key's press goes to, for the availability test.
Element &keyButton(Calculator &c, KeyButton key, int index = 0);

} // namespace vantoro
