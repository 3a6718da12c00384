// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <optional>

#include "app/app.h"
#include "engine/basic.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

void Ver_Init(Calculator &c)
{
    c.st.TitleText = QStringLiteral("Vantoro");
    c.st.VerText = QStringLiteral("Ver. 4.2");
    c.st.ForText = QStringLiteral("For Windows95/98,WindowsNT");
}

void initTables(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    st.Entry[4] = HistorySeparatorEntry;
    st.HisCount = 0;
    st.DispStyle = 1;
    for (Element *e : {&ui.Disp, &ui.DispBack, &ui.MODE, &ui.ENZANSI, &ui.Hugou}) {
        e->backColor = DispBackColor[st.DispStyle];
        e->foreColor = DispForeColor[st.DispStyle];
    }
    Init_Button(c);
    st.MinusFirst = 0;
}

void initMode(Calculator &c, int mode)
{
    c.st.Mode = mode;
    c.st.SaveMode = 1;
    MODE_INIT(c);
    Init_Button(c);
}

void completeStart(Calculator &c)
{
    Entry_Init(c.st);
    DispTm(c);
    c.st.Loading = 0;
    Ver_Init(c);
    c.ui.Title.caption = c.st.TitleText;
    c.ui.caption = c.st.TitleText;
    c.ui.Mode_Key_Label[0].caption = UnitCaption[c.st.Mode == ModeNo::Unit ? 2 : 0];
}

namespace {

// The stored number rounded to a 16-bit integer, halves to the even neighbour; nothing
// when no 16-bit integer holds it. std::rint rounds as std::nearbyint does and is computed
// in place, where a call to the maths library's nearbyint maps 64 kB of it for start-up.
std::optional<int> storedInteger(double value)
{
    if (!(std::fabs(value) <= 32768.5))
        return std::nullopt;
    const double n = std::rint(value);
    if (n < -32768 || n > 32767)
        return std::nullopt;
    return int(n);
}

} // namespace

int modeFromStored(double value)
{
    const auto m = storedInteger(value);
    return m && *m >= ModeNo::Auto && *m <= ModeNo::Unit ? *m : ModeNo::Auto;
}

int hisShownFromStored(double value)
{
    return storedInteger(value) == 1 ? 1 : 0;
}

void startCalculator(Calculator &c, int mode)
{
    c.st.Loading = 1;
    initTables(c);
    initMode(c, mode);
    completeStart(c);
}

} // namespace vantoro
