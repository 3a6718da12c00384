// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keys.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

void release(Element &face, Picture released)
{
    if (face.picture != released)
        face.picture = released;
}

} // namespace

void setOperatorLegends(MainWindowElements &ui, Colour colour)
{
    for (int i = 0; i <= 3; ++i)
        setFore(ui.Enzan_Label[i], colour);
}

void Init_Button(Calculator &c)
{
    for (const KeyRow &k : keyTable())
        if (k.hasFace())
            release(k.face.of(c.ui), k.released);
}

void Release_Keys(Calculator &c)
{
    const int code = c.st.PushKey;
    if (code == KeyCode::None)
        return;
    // The unit keys share one code, and so do the operators: all of a group are released.
    for (const KeyRow &k : keyTable())
        if (k.pushCode == code)
            release(k.face.of(c.ui), k.released);
    c.st.PushKey = KeyCode::None;
}

} // namespace vantoro
