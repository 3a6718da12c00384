#include "panel/panel.h"

namespace vantoro {

void setEnabled(Element &button, bool on)
{
    if (button.enabled != on)
        button.enabled = on;
}

void setFore(Element &label, Colour colour)
{
    if (label.foreColor != colour)
        label.foreColor = colour;
}

void setAvailable(Element &button, Element &legend, bool on)
{
    setEnabled(button, on);
    setFore(legend, on ? OnColor : OffColor);
}

namespace {

void release(Element &face, Picture released = Picture::Key_Off)
{
    if (face.picture != released)
        face.picture = released;
}

} // namespace

void Init_Button(Calculator &c)
{
    auto &ui = c.ui;
    for (auto &f : ui.Tenkey)
        release(f);
    release(ui.Eq_key);
    release(ui.Kanma_Key);
    for (int i = 1; i <= 4; ++i)
        release(ui.Enzan_key[i]);
    for (auto &f : ui.H_key)
        release(f);
    release(ui.Root_key);
    release(ui.Per_Key);
    release(ui.Ce_Key);
    release(ui.Ac_Key);
    release(ui.Mode_key[0], Picture::L_Key_Off);
    release(ui.Mode_key[1], Picture::L_Key_Off);
}

void Release_Keys(Calculator &c)
{
    auto &ui = c.ui;
    const int code = c.st.PushKey;
    if (code == KeyCode::None)
        return;
    if (code >= KeyCode::DigitBase && code <= KeyCode::DigitBase + 9) {
        release(ui.Tenkey[code - KeyCode::DigitBase]);
    } else {
        switch (code) {
        case KeyCode::H:
            for (auto &f : ui.H_key)
                release(f);
            break;
        case KeyCode::Ac: release(ui.Ac_Key); break;
        case KeyCode::Ce: release(ui.Ce_Key); break;
        case KeyCode::Per: release(ui.Per_Key); break;
        case KeyCode::Root: release(ui.Root_key); break;
        case KeyCode::Enzan:
            for (int i = 1; i <= 4; ++i)
                release(ui.Enzan_key[i]);
            break;
        case KeyCode::Eq: release(ui.Eq_key); break;
        case KeyCode::Kanma: release(ui.Kanma_Key); break;
        case KeyCode::Unit: release(ui.Mode_key[0], Picture::L_Key_Off); break;
        case KeyCode::Hms: release(ui.Mode_key[1], Picture::L_Key_Off); break;
        default: break;
        }
    }
    c.st.PushKey = KeyCode::None;
}

} // namespace vantoro
