// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"

namespace vantoro {

void His_Click(Calculator &c)
{
    if (c.st.HisShown != 0) {
        c.history.visible = false;
        c.st.HisShown = 0;
    } else {
        ensureHistoryWindow(c);
        placeHistory(c);
        c.history.visible = true;
        c.st.HisShown = 1;
        c.sv.activateWindow(WindowId::Main);
    }
    c.sv.focusEnterCapt();
}

void History_Unload(Calculator &c)
{
    // The lines and their recall data are the calculator's; they outlive the window.
    c.history.loaded = false;
    c.history.visible = false;
    c.st.HisShown = 0;
}

void His_List_DblClick(Calculator &c)
{
    auto &st = c.st;
    const int i = c.history.ListIndex;
    if (i < 0 || i >= st.HisCount)
        return;

    const QString s = st.HisData[i];
    QString v = Right(s, s.size() - 2);
    if (!s.isEmpty() && Val(v) != 0) {
        if (s.at(0) == QLatin1Char('H'))
            v = Hms_To_Sec(v);
        st.Sign[st.EntryIdx] = s.at(1) == QLatin1Char('-') ? -1 : 1;
        if (st.Mode == ModeNo::Seconds) {
            st.Entry[st.EntryIdx] = RightAlign(v, WidthSec);
        } else if (st.Mode == ModeNo::Auto || st.Mode == ModeNo::Unit) {
            st.Entry[st.EntryIdx] = RightAlign(hmsOrOverflow(c, v), WidthHms);
        }
        st.DigitCount = int(v.size());
        if (st.EnzanNo == Op::Result)
            st.EnzanNo = Op::None;
        st.HisNoSelect = 1;
    }
    c.sv.activateWindow(WindowId::Main);
    DispTm(c);
}

} // namespace vantoro
