// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"

namespace vantoro {

void About_Click(Calculator &c)
{
    if (c.st.AboutShown != 0) {
        About_Unload(c);
    } else {
        auto &a = c.about;
        a.ABOUTBOX_TITLE = c.st.TitleText;
        a.ABOUTBOX_VER = c.st.VerText;
        a.AboutBox_For = c.st.ForText;
        a.left = c.ui.left + 3500;
        a.top = c.ui.top + 1000;
        a.loaded = true;
        c.st.AboutShown = 1;
    }
    c.sv.focusEnterCapt();
}

void OK_Click(Calculator &c)
{
    About_Unload(c);
}

void About_Unload(Calculator &c)
{
    c.about.loaded = false;
    c.st.AboutShown = 0;
}

} // namespace vantoro
