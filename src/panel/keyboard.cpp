#include "app/app.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Runs the action only while the key's button region is enabled.
template <typename Action>
void ifEnabled(const Element &button, Action action)
{
    if (button.enabled)
        action();
}

} // namespace

void Form_keydown(Calculator &c, int keyCode)
{
    auto &ui = c.ui;
    auto &st = c.st;
    if (keyCode >= Vk::Numpad0 && keyCode <= Vk::Numpad0 + 9) {
        key_down(c, keyCode - Vk::Numpad0);
        return;
    }
    switch (keyCode) {
    case Vk::Add: ifEnabled(ui.Enzan[1], [&] { Enzan_Down(c, 1); }); break;
    case Vk::Subtract: ifEnabled(ui.Enzan[2], [&] { Enzan_Down(c, 2); }); break;
    case Vk::Multiply: ifEnabled(ui.Enzan[3], [&] { Enzan_Down(c, 3); }); break;
    case Vk::Divide: ifEnabled(ui.Enzan[4], [&] { Enzan_Down(c, 4); }); break;
    case Vk::Decimal: ifEnabled(ui.kanma, [&] { Kanma_Down(c); }); break;
    case Vk::Enter:
    case Vk::End: ifEnabled(ui.Eq, [&] { Eq_Down(c); }); break;
    case Vk::Delete: Ce_Down(c); break;
    case Vk::Home: AC_DOWN(c); break;
    case Vk::T:
        Nowtime_click(c);
        st.PushKey = KeyCode::None;
        break;
    case Vk::H: ifEnabled(ui.H[0], [&] { H_Down(c, 0); }); break;
    case Vk::M: ifEnabled(ui.H[1], [&] { H_Down(c, 1); }); break;
    case Vk::S: ifEnabled(ui.H[2], [&] { H_Down(c, 2); }); break;
    case Vk::Space: ifEnabled(ui.hms, [&] { HMS_Down(c); }); break;
    case Vk::P: ifEnabled(ui.PER, [&] { Per_Down(c); }); break;
    case Vk::R: ifEnabled(ui.ROOT, [&] { Root_Down(c); }); break;
    case Vk::U:
        ifEnabled(ui.Unit_input, [&] {
            Unit_Down(c);
            st.PushKey = KeyCode::None;
        });
        break;
    case Vk::C:
        CLIP_COPY_Click(c);
        st.PushKey = KeyCode::None;
        break;
    case Vk::L:
        His_Click(c);
        st.PushKey = KeyCode::None;
        break;
    case Vk::A:
        About_Click(c);
        st.PushKey = KeyCode::None;
        break;
    case Vk::F:
        OFF_Click(c);
        st.PushKey = KeyCode::None;
        break;
    default: st.PushKey = KeyCode::None; break;
    }
}

void Form_KeyUp(Calculator &c, int keyCode)
{
    auto &ui = c.ui;
    Element *face = nullptr;
    Picture released = Picture::Key_Off;
    if (keyCode >= Vk::Numpad0 && keyCode <= Vk::Numpad0 + 9) {
        face = &ui.Tenkey[keyCode - Vk::Numpad0];
    } else {
        switch (keyCode) {
        case Vk::Add: face = &ui.Enzan_key[1]; break;
        case Vk::Subtract: face = &ui.Enzan_key[2]; break;
        case Vk::Multiply: face = &ui.Enzan_key[3]; break;
        case Vk::Divide: face = &ui.Enzan_key[4]; break;
        case Vk::Decimal: face = &ui.Kanma_Key; break;
        case Vk::Enter:
        case Vk::End: face = &ui.Eq_key; break;
        case Vk::Delete: face = &ui.Ce_Key; break;
        case Vk::Home: face = &ui.Ac_Key; break;
        case Vk::T: return; // recognised, nothing to release
        case Vk::H: face = &ui.H_key[0]; break;
        case Vk::M: face = &ui.H_key[1]; break;
        case Vk::S: face = &ui.H_key[2]; break;
        case Vk::Space:
            face = &ui.Mode_key[1];
            released = Picture::L_Key_Off;
            break;
        case Vk::U:
            face = &ui.Mode_key[0];
            released = Picture::L_Key_Off;
            break;
        case Vk::P: face = &ui.Per_Key; break;
        case Vk::R: face = &ui.Root_key; break;
        default: return;
        }
    }
    face->picture = released;
    c.st.PushKey = KeyCode::None;
}

} // namespace vantoro
