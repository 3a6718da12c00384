// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keys.h"
#include "panel/panel.h"

namespace vantoro {

void Form_keydown(Calculator &c, int keyCode)
{
    const KeyRow *key = keyForKeyboard(keyCode);
    if (!key) {
        c.st.PushKey = KeyCode::None;
        return;
    }
    keyboardDown(c, *key);
}

void Form_KeyUp(Calculator &c, int keyCode)
{
    if (const KeyRow *key = keyForKeyboard(keyCode))
        keyboardUp(c, *key);
}

void keyboardDown(Calculator &c, const KeyRow &key)
{
    if (key.keyboardNeedsEnabled && !key.region.of(c.ui).enabled)
        return;
    key.action(c);
    if (key.keyboardForgetsPush)
        c.st.PushKey = KeyCode::None;
}

void keyboardUp(Calculator &c, const KeyRow &key)
{
    if (!key.hasFace())
        return; // nothing to release
    key.face.of(c.ui).picture = key.released;
    c.st.PushKey = KeyCode::None;
}

} // namespace vantoro
