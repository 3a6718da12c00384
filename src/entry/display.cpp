// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

void DispTm(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    ui.Timer1.enabled = false;
    ui.Timer1.interval = 65535;
    st.IdleTicks = 0;

    ShortText text; // written into the caption in place: most keys allocate nothing here
    if (st.Mode == ModeNo::Unit && st.EntryIdx == 2) {
        text << st.Entry[2];
        text.rightAlign(WidthSec) << u' ';
        // A pending unit number cannot be converted, operated on or taken by equals.
        setEnabled(ui.hms, false);
        setFore(ui.Mode_Key_Label[1], OffColor);
        setOperatorLegends(ui, OffColor);
        setFore(ui.Eq_label, OffColor);
        assignShared(ui.Unit_input.caption, UnitCaption[st.Mode]);
    } else if (st.Mode == ModeNo::Auto || st.Mode == ModeNo::Unit) {
        QString &e = st.Entry[st.EntryIdx];
        if (e.size() != WidthHms) {
            ShortText room;
            assignText(e, rightAligned(e, WidthHms, room));
        }
        appendHmsDisplay(text, e);
        assignShared(ui.Unit_input.caption, UnitCaption[st.Mode]);
    } else if (st.Mode == ModeNo::Seconds) {
        text << st.Entry[st.EntryIdx];
        text.rightAlign(WidthSec) << u' ';
    }

    assignShared(ui.Hugou.caption, HugouText[st.Sign[st.EntryIdx] == -1 ? 1 : 0]);
    assignText(ui.Disp.caption, text.view());
    assignShared(ui.ENZANSI.caption, EnzanSym[st.EnzanNo]);
    assignShared(ui.MODE.caption, ModeCaption[st.Mode]);

    const bool operatorsOn = st.EntryIdx != 2;
    setEnabled(ui.Eq, operatorsOn);
    for (int i = 1; i <= 4; ++i)
        setEnabled(ui.Enzan[i], operatorsOn);
    if (st.DigitCount > 0)
        setAvailable(ui.Unit_input, ui.Mode_Key_Label[0], false);

    ui.Timer1.enabled = true;
    ++ui.Timer1.restarts;
    if (st.Loading == 0)
        c.sv.focusEnterCapt();
    assignShared(ui.Mode_Key_Label[0].caption, ui.Unit_input.caption);
}

} // namespace vantoro
