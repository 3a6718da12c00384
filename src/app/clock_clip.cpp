// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"
#include "engine/basic.h"
#include "entry/entry.h"

namespace vantoro {

namespace {
constexpr int IdleInterval = 65535;
constexpr int ClockInterval = 250;
} // namespace

void timer1_timer(Calculator &c)
{
    auto &st = c.st;
    auto &ui = c.ui;
    if (st.IdleTicks <= 4) {
        ++st.IdleTicks;
        ui.Timer1.interval = IdleInterval;
        ui.Timer1.enabled = true;
        return;
    }
    // The date form is fixed, whatever the user's regional settings.
    const QDateTime now = c.sv.now();
    ui.Disp.caption = now.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss "));
    ui.MODE.caption = QStringLiteral("NOW");
    ui.ENZANSI.caption.clear();
    ui.Hugou.caption.clear();
    ui.Timer1.interval = ClockInterval;
    ui.Timer1.enabled = true;
}

void Nowtime_click(Calculator &c)
{
    auto &ui = c.ui;
    ui.Timer1.enabled = false;
    if (ui.Timer1.interval == ClockInterval) {
        ui.Timer1.interval = IdleInterval;
        c.st.IdleTicks = 0;
        DispTm(c);
    } else {
        ui.Timer1.interval = ClockInterval;
        c.st.IdleTicks = 5;
        timer1_timer(c);
    }
    c.sv.focusEnterCapt();
}

QString clipboardText(const CalcState &st)
{
    const int i = Val(st.Entry[1]) != 0 ? 1 : 0;
    const double v = Val(st.Entry[i]);
    const QString t = Str(v).mid(1);
    // The value keeps its sign; a zero is "0" whatever its sign.
    return st.Sign[i] == -1 && v != 0 ? QLatin1Char('-') + t : t;
}

void CLIP_COPY_Click(Calculator &c)
{
    c.sv.clipboardClear();
    c.sv.clipboardSetText(clipboardText(c.st));
    c.sv.focusEnterCapt();
}

} // namespace vantoro
