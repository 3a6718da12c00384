// SPDX-License-Identifier: GPL-3.0-or-later
// Key actions through the calculator logic, as the keyboard drives it: each action is a
// key press and its release (Form_keydown, Form_KeyUp), display refresh included. The
// history is filled before timing starts, so every recorded line drops the oldest one.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/app.h"
#include "cli/keyscript.h"
#include "engine/calculator.h"
#include "panel/panel.h"

namespace {

using namespace vantoro;

// H:M:S-Auto, then H:M:S-Unit ("u"), then seconds (":"), back to H:M:S-Auto (":"); every
// key family on the way: digits, point, operators, equals, CE, AC, units, percent, root.
constexpr char16_t MixedKeys[] = u"a12345+6789=*2=/3=-45.4c45.5=u1h30m+45m=*3s=:5400/4=+10%a9r*2=:";

std::vector<int> keyCodes(const QString &keys)
{
    std::vector<int> codes;
    for (QChar ch : keys)
        codes.push_back(*scriptKeyCode(ch));
    return codes;
}

void press(Calculator &c, const std::vector<int> &codes)
{
    for (int code : codes) {
        Form_keydown(c, code);
        Form_KeyUp(c, code);
    }
}

void KeyActions(benchmark::State &state, const QString &keys)
{
    Services services; // message boxes and focus are no-ops here
    Calculator c(services);
    startCalculator(c, ModeNo::Auto);
    const std::vector<int> codes = keyCodes(keys);
    while (c.st.HisCount <= HisMax)
        press(c, codes);
    const QString before = c.ui.Disp.caption;
    press(c, codes);
    if (c.ui.Disp.caption != before || c.st.Mode != ModeNo::Auto) {
        state.SkipWithError("the key sequence does not come back to where it started");
        return;
    }

    for (auto _ : state) {
        press(c, codes);
        benchmark::DoNotOptimize(c.ui.Disp.caption.constData());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(codes.size()));
    state.counters["keys_per_round"] = double(codes.size());
}

void MixedAllModes(benchmark::State &state)
{
    KeyActions(state, QString::fromUtf16(MixedKeys));
}
BENCHMARK(MixedAllModes);

} // namespace

BENCHMARK_MAIN();
