// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator as a whole: its state, the element records of its windows and the
// platform services. Every key action takes it by reference.
#include "engine/state.h"
#include "window/elements.h"
#include "window/services.h"

namespace vantoro {

struct Calculator {
    explicit Calculator(Services &services) : sv(services) {}

    CalcState st;
    MainWindowElements ui;
    HistoryWindowElements history;
    AboutWindowElements about;
    Services &sv;
};

} // namespace vantoro
