// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key panel: key faces and availability, mode set-up, mouse and keyboard handling.
#include "engine/calculator.h"
#include "panel/keys.h"

namespace vantoro {

// Availability convention; each property is written only when it differs. Inline: the
// display refresh sets several on every key.
inline void setEnabled(Element &button, bool on)
{
    if (button.enabled != on)
        button.enabled = on;
}
inline void setFore(Element &label, Colour colour)
{
    if (label.foreColor != colour)
        label.foreColor = colour;
}
inline void setAvailable(Element &button, Element &legend, bool on)
{
    setEnabled(button, on);
    setFore(legend, on ? OnColor : OffColor);
}
// The legends of the four operator keys in one colour.
void setOperatorLegends(MainWindowElements &ui, Colour colour);

void Init_Button(Calculator &c);  // every face released
void Release_Keys(Calculator &c); // the faces named by PushKey released, PushKey cleared
void MODE_INIT(Calculator &c);    // keys set up for the current Mode

void Form_keydown(Calculator &c, int keyCode);
void Form_KeyUp(Calculator &c, int keyCode);
// The same for the row of a key code looked up already.
void keyboardDown(Calculator &c, const KeyRow &key);
void keyboardUp(Calculator &c, const KeyRow &key);

// Mouse on the key button regions. The window layer delivers a press only to an
// enabled button region and the release to the region that took the press.
void keyMouseDown(Calculator &c, KeyId key);
void keyMouseUp(Calculator &c, KeyId key);
// The button region a key's press goes to, for the availability test.
Element &keyButton(Calculator &c, KeyId key);

} // namespace vantoro
