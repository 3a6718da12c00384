#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

Element &keyButton(Calculator &c, KeyButton key, int index)
{
    auto &ui = c.ui;
    switch (key) {
    case KeyButton::Digit: return ui.Key[index];
    case KeyButton::Enzan: return ui.Enzan[index];
    case KeyButton::Eq: return ui.Eq;
    case KeyButton::Ac: return ui.Ac;
    case KeyButton::Ce: return ui.Ce;
    case KeyButton::Kanma: return ui.kanma;
    case KeyButton::Per: return ui.PER;
    case KeyButton::Root: return ui.ROOT;
    case KeyButton::H: return ui.H[index];
    case KeyButton::Hms: return ui.hms;
    case KeyButton::Unit: return ui.Unit_input;
    }
    return ui.Eq;
}

void keyMouseDown(Calculator &c, KeyButton key, int index)
{
    switch (key) {
    case KeyButton::Digit:
        // The digit action draws its face without recording it; the press handler does.
        c.st.PushKey = KeyCode::DigitBase + index;
        key_down(c, index);
        break;
    case KeyButton::Enzan: Enzan_Down(c, index); break;
    case KeyButton::Eq: Eq_Down(c); break;
    case KeyButton::Ac: AC_DOWN(c); break;
    case KeyButton::Ce: Ce_Down(c); break;
    case KeyButton::Kanma: Kanma_Down(c); break;
    case KeyButton::Per: Per_Down(c); break;
    case KeyButton::Root: Root_Down(c); break;
    case KeyButton::H: H_Down(c, index); break;
    case KeyButton::Hms: HMS_Down(c); break;
    case KeyButton::Unit: Unit_Down(c); break;
    }
}

void keyMouseUp(Calculator &c, KeyButton key)
{
    Release_Keys(c);
    // The wide keys always end released, whatever PushKey named by then.
    if (key == KeyButton::Hms || key == KeyButton::Unit) {
        c.ui.Mode_key[key == KeyButton::Hms ? 1 : 0].picture = Picture::L_Key_Off;
        c.st.PushKey = KeyCode::None;
    }
}

} // namespace vantoro
