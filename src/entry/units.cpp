// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {
constexpr double UnitFactor[3] = {3600, 60, 1};
}

void H_Down(Calculator &c, int index)
{
    auto &st = c.st;
    auto &ui = c.ui;
    pressKey(c, unitKey(index));

    if (st.EntryIdx == 2) {
        {
            // Sec_To_Hms(Str$(amount)): empty, so adding nothing, above the limit.
            ShortText amount;
            hmsOrOverflow(c, amount, ValOfStr(UnitFactor[index] * Val(st.Entry[2])));
            assignText(st.Entry[2], amount.view());
        }
        st.EntryIdx = st.SaveIdx;
        st.SaveIdx = 0;
        ShortText sum;
        Calc_Exec(c, Op::Add, st.Entry[st.EntryIdx], st.Entry[2], st.Sign[st.EntryIdx], st.Sign[2], sum);
        // An overflow resets the calculation, so the entry written is the one current now.
        QString &e = st.Entry[st.EntryIdx];
        assignText(e, sum.view());
        // The new entry counts as keyed; its leading blanks are not keyed characters.
        qsizetype lead = 0;
        while (lead < e.size() && e.at(lead) == QLatin1Char(' '))
            ++lead;
        st.DigitCount = int(e.size() - lead);
        st.Sign[st.EntryIdx] = st.ResultSign;
        st.Sign[2] = 1;
        DispTm(c);
        setBlanks(st.Entry[2], WidthSec);
    }

    setEnabled(ui.hms, true);
    setFore(ui.Mode_Key_Label[1], OnColor);
    setOperatorLegends(ui, OnColor);
    setFore(ui.Eq_label, OnColor);
}

} // namespace vantoro
