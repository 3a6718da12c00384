// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "engine/basic.h"
#include "engine/engine.h"
#include "engine/messages.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Percent and root end alike: the key's mark while the result is shown, then the line.
void showUnaryResult(Calculator &c, int mark)
{
    c.st.EnzanNo = mark;
    DispTm(c);
    c.st.EnzanNo = Op::Result;
    His_Add(c, 0, mark);
}

} // namespace

void Per_Down(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::Percent);
    if (st.Mode != ModeNo::Seconds)
        return;

    const double x = Val(st.Entry[st.EntryIdx]) * st.Sign[st.EntryIdx] * 100;
    st.EntryIdx = 0;
    st.DigitCount = 0;
    st.KanmaState = 0;
    // The entry keeps the magnitude and the sign goes to Sign(0), as for every other result.
    {
        ShortText text;
        appendStr(text, std::fabs(x));
        assignText(st.Entry[0], text.view());
    }
    st.Sign[0] = x < 0 ? -1 : 1;
    if (st.Entry[0].size() > WidthSec + 1 || std::fabs(x) > MaxSecondsResult) {
        c.sv.messageBox(Msg::PercentOverflow);
        Entry_Init(st);
        DispTm(c);
    }
    showUnaryResult(c, Op::Percent);
}

void Root_Down(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::Root);
    if (st.Mode != ModeNo::Seconds)
        return;

    const double x = Val(st.Entry[st.EntryIdx]) * st.Sign[st.EntryIdx];
    if (x < 0) {
        c.sv.messageBox(Msg::NegativeRoot);
        Init_Button(c);
        return;
    }
    st.EntryIdx = 0;
    st.DigitCount = 0;
    st.KanmaState = 0;
    // A root never overflows: at most seven integer digits.
    ShortText root;
    appendSecondsResult(root, std::sqrt(x));
    assignText(st.Entry[0], root.view());
    st.Sign[0] = 1;
    showUnaryResult(c, Op::Root);
}

} // namespace vantoro
