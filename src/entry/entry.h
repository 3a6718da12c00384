// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entry and display: digits and point, unit keys, display refresh, modes, operators.
#include "engine/calculator.h"

namespace vantoro {

void key_down(Calculator &c, int index);
void Kanma_Down(Calculator &c);
void H_Down(Calculator &c, int index);
void DispTm(Calculator &c);
void HMS_Down(Calculator &c);
void Unit_Down(Calculator &c);
void Enzan_Down(Calculator &c, int index);

} // namespace vantoro
