// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

// Brings the keys into line with a Mode set without the mode keys, by replaying them.
void MODE_INIT(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    switch (st.Mode) {
    case ModeNo::Auto:
        st.Mode = ModeNo::Seconds;
        HMS_Down(c);
        st.Mode = ModeNo::Unit;
        Unit_Down(c);
        for (int i = 8; i <= 10; ++i)
            setFore(ui.Enzan_Label[i], OffColor);
        break;
    case ModeNo::Seconds:
        st.Mode = ModeNo::Auto;
        HMS_Down(c);
        break;
    case ModeNo::Unit:
        st.Mode = ModeNo::Seconds;
        HMS_Down(c);
        st.Mode = ModeNo::Auto;
        Unit_Down(c);
        break;
    default: break;
    }
    setEnabled(ui.hms, true);
    setFore(ui.Mode_Key_Label[1], OnColor);
    Init_Button(c);
}

} // namespace vantoro
