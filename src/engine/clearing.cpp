// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

void AC_DOWN(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::AllClear);
    if (st.EnzanNo != Op::None)
        His_Add(c, 4, Op::None);
    if (st.Mode == ModeNo::Unit)
        H_Down(c, 1); // adds a pending unit number as minutes
    Entry_Init(st);
    MODE_INIT(c);
    DispTm(c);
    setEnabled(c.ui.Eq, true);
}

void Ce_Down(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::ClearEntry);
    setBlanksAndDigit(st.Entry[st.EntryIdx], 11, QLatin1Char('0'));
    st.Sign[st.EntryIdx] = 1;
    st.DigitCount = 0;
    st.KanmaState = 0;
    DispTm(c);
}

} // namespace vantoro
