// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keys.h"
#include "panel/panel.h"

namespace vantoro {

Element &keyButton(Calculator &c, KeyId key)
{
    return keyRow(key).region.of(c.ui);
}

void keyMouseDown(Calculator &c, KeyId key)
{
    const KeyRow &k = keyRow(key);
    // The digit action draws its face without recording it (a keypad digit is released by
    // its key-up alone); the press records it, as every other action does for itself.
    c.st.PushKey = k.pushCode;
    k.action(c);
}

void keyMouseUp(Calculator &c, KeyId key)
{
    Release_Keys(c);
    // The wide keys always end released, whatever PushKey named by then.
    const KeyRow &k = keyRow(key);
    if (k.wide()) {
        k.face.of(c.ui).picture = k.released;
        c.st.PushKey = KeyCode::None;
    }
}

} // namespace vantoro
