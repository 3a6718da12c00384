// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

void setUnitKeys(MainWindowElements &ui, bool on)
{
    for (int i = 0; i < 3; ++i)
        setAvailable(ui.H[i], ui.Enzan_Label[8 + i], on);
}

void setPercentRoot(MainWindowElements &ui, bool on)
{
    setAvailable(ui.PER, ui.Enzan_Label[5], on);
    setAvailable(ui.ROOT, ui.Enzan_Label[4], on);
}

// The conversions of an entry, written in its own storage.
void entryToHms(Calculator &c, QString &entry)
{
    ShortText text;
    hmsOrOverflow(c, text, Val(entry));
    assignText(entry, text.view());
}

void entryToSeconds(QString &entry)
{
    ShortText text;
    appendHmsToSec(text, entry);
    assignText(entry, text.view());
}

} // namespace

void HMS_Down(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    pressKey(c, KeyId::Convert);

    if (st.Mode == ModeNo::Seconds) {
        ui.hms.caption = QStringLiteral("HMS>S");
        st.Mode = st.SaveMode;
        entryToHms(c, st.Entry[0]);
        entryToHms(c, st.Entry[1]);
        setPercentRoot(ui, false);
        setAvailable(ui.Unit_input, ui.Mode_Key_Label[0], true);
        if (st.SaveMode == ModeNo::Unit) {
            setUnitKeys(ui, true);
            setAvailable(ui.kanma, ui.Kanma_label, false);
        }
    } else {
        ui.hms.caption = QStringLiteral("S>HMS");
        st.SaveMode = st.Mode;
        ui.Mode_Key_Label[0].caption = UnitCaption[st.Mode == ModeNo::Unit ? 2 : 0];
        st.Mode = ModeNo::Seconds;
        entryToSeconds(st.Entry[0]);
        entryToSeconds(st.Entry[1]);
        setPercentRoot(ui, true);
        setAvailable(ui.Unit_input, ui.Mode_Key_Label[0], false);
        setAvailable(ui.kanma, ui.Kanma_label, true);
        setUnitKeys(ui, false);
    }
    ui.Mode_Key_Label[1].caption = ui.hms.caption;
    DispTm(c);
}

void Unit_Down(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    pressKey(c, KeyId::AutoUnit);

    if (st.Mode == ModeNo::Auto) {
        st.Mode = ModeNo::Unit;
        DispTm(c);
        setUnitKeys(ui, true);
        setAvailable(ui.kanma, ui.Kanma_label, false);
        setAvailable(ui.Unit_input, ui.Mode_Key_Label[0], true);
        setPercentRoot(ui, false);
    } else {
        st.Mode = ModeNo::Auto;
        setAvailable(ui.Unit_input, ui.Mode_Key_Label[0], true);
        setUnitKeys(ui, false);
        setOperatorLegends(ui, OnColor);
        setAvailable(ui.kanma, ui.Kanma_label, true);
        setFore(ui.Eq_label, OnColor);
        setPercentRoot(ui, false);
        DispTm(c);
    }
}

} // namespace vantoro
