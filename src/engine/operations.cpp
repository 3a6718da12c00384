// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "engine/basic.h"
#include "engine/engine.h"
#include "engine/messages.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Reports an overflow and resets the whole calculation; the caller gets the empty text.
void overflowReset(Calculator &c)
{
    c.sv.messageBox(Msg::Overflow);
    Entry_Init(c.st);
    DispTm(c);
    Init_Button(c);
    c.st.Sign[1] = 1;
    setBlanks(c.st.Entry[1], WidthSec);
}

} // namespace

void hmsOrOverflow(Calculator &c, ShortText &out, double seconds)
{
    if (appendSecToHms(out, seconds))
        return;
    c.sv.messageBox(Msg::Overflow);
    Init_Button(c);
}

QString hmsOrOverflow(Calculator &c, const QString &seconds)
{
    ShortText text;
    hmsOrOverflow(c, text, Val(seconds));
    return text.view().toString();
}

void Calc_Exec(Calculator &c, int op, const QString &a, const QString &b, int signA, int signB, ShortText &out)
{
    auto &st = c.st;
    const bool hms = st.Mode == ModeNo::Auto || st.Mode == ModeNo::Unit;
    double x = 0, y = 0;
    if (st.Mode == ModeNo::Seconds) {
        x = Val(a) * signA;
        y = Val(b) * signB;
    } else if (hms) {
        x = hmsSeconds(a) * signA;
        y = hmsSeconds(b) * signB;
    }

    double r = 0;
    switch (op) {
    case Op::Add: r = x + y; break;
    case Op::Sub: r = x - y; break;
    case Op::Mul: r = x * y; break;
    case Op::Div:
        if (y == 0) {
            c.sv.messageBox(Msg::DivisionByZero);
            Init_Button(c);
            r = 0;
        } else {
            r = x / y;
        }
        break;
    default: break;
    }

    int sign = r >= 0 ? 1 : -1;
    if (st.Mode == ModeNo::Seconds) {
        const std::optional<int> resultSign = appendSecondsResult(out, r);
        if (!resultSign)
            return overflowReset(c);
        sign = *resultSign;
    } else if (hms) {
        // Any magnitude above the limit overflows, negative results too.
        if (std::fabs(r) > MaxSec)
            return overflowReset(c);
        appendSecToHms(out, ValOfStr(std::fabs(r))); // Sec_To_Hms(Str$(|r|)), in range: checked above
    }
    st.ResultSign = sign;
}

void Eq_Down(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::Equals);
    if (st.EnzanNo == Op::Result)
        return;

    His_Add(c, 1, Op::Result);
    if (isBlanks(st.Entry[st.EntryIdx], WidthSec))
        st.EnzanNo = Op::Add;
    bool performed = false;
    if (st.EnzanNo >= Op::Add && st.EnzanNo <= Op::Div) {
        ShortText result;
        Calc_Exec(c, st.EnzanNo, st.Entry[0], st.Entry[1], st.Sign[0], st.Sign[1], result);
        assignText(st.Entry[0], result.view());
        performed = true;
    }
    // Without an operation ResultSign is stale and must not reach the shown value.
    if (performed && Val(st.Entry[1]) != 0)
        st.Sign[0] = st.ResultSign;

    st.EnzanNo = Op::Result;
    st.EntryIdx = 0;
    DispTm(c);

    st.MinusFirst = 0;
    st.DigitCount = 0;
    st.KanmaState = 0;
    st.Entry[1].truncate(0); // empty, its storage kept for the next number
    if (st.Mode != ModeNo::Seconds)
        setAvailable(c.ui.Unit_input, c.ui.Mode_Key_Label[0], true);

    His_Add(c, st.EntryIdx, Op::None);
    His_Add(c, 4, Op::None);
}

} // namespace vantoro
