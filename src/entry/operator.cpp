// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Shows the first operand with the new operator, then keying moves to the second operand.
void showFirstOperand(Calculator &c)
{
    c.st.EntryIdx = 0;
    DispTm(c);
    c.st.EntryIdx = 1;
}

} // namespace

void Enzan_Down(Calculator &c, int index)
{
    auto &st = c.st;
    pressKey(c, operatorKey(index));

    if (st.EntryIdx == 1) {
        if (st.DigitCount == 0) {
            // Nothing keyed for the second operand: the operator is replaced.
            st.EnzanNo = index;
            st.PrevSym = EnzanSym[index];
            showFirstOperand(c);
            return;
        }
        His_Add(c, st.EntryIdx, index);
        ShortText result;
        Calc_Exec(c, st.EnzanNo, st.Entry[0], st.Entry[1], st.Sign[0], st.Sign[1], result);
        assignText(st.Entry[0], result.view());
        st.Sign[0] = st.ResultSign;
        st.EnzanNo = index;
        showFirstOperand(c);
        setBlanksAndDigit(st.Entry[1], 12, QLatin1Char('0'));
        st.DigitCount = 0;
        st.KanmaState = 0;
        return;
    }

    if (index == Op::Sub && st.DigitCount == 0 && st.EnzanNo == Op::None) {
        // A minus before the first digit flips the sign of the number.
        st.Sign[st.EntryIdx] = -st.Sign[st.EntryIdx];
        st.MinusFirst = 1;
        DispTm(c);
    }
    if (Val(st.Entry[st.EntryIdx]) == 0 && st.DigitCount <= 0 && st.EnzanNo != Op::Result)
        return;

    His_Add(c, st.EntryIdx, index);
    st.EnzanNo = index;
    DispTm(c);
    st.EntryIdx = 1;
    if (st.Mode != ModeNo::Seconds)
        setAvailable(c.ui.Unit_input, c.ui.Mode_Key_Label[0], true);
    st.DigitCount = 0;
    st.KanmaState = 0;
}

} // namespace vantoro
