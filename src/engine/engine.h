// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Calculation engine: time value texts, arithmetic, percent and root, clearing keys,
// history recording.
#include <QString>
#include <optional>

#include "engine/calculator.h"
#include "engine/timetext.h"

namespace vantoro {

// secToHms for a key action, added to out: above MaxSec it reports the overflow, releases
// the faces and adds nothing.
void hmsOrOverflow(Calculator &c, ShortText &out, double seconds);
// The same for the number a text reads as, given as a text (the empty one above MaxSec).
QString hmsOrOverflow(Calculator &c, const QString &seconds);

// The result of a op b added to out; an overflow resets the calculation and adds nothing.
void Calc_Exec(Calculator &c, int op, const QString &a, const QString &b, int signA, int signB, ShortText &out);
void Eq_Down(Calculator &c);
void Per_Down(Calculator &c);
void Root_Down(Calculator &c);
void AC_DOWN(Calculator &c);
void Ce_Down(Calculator &c);
void His_Add(Calculator &c, int index, int kind);
// The history window's record: created hidden when it does not exist yet, and placed
// beside the calculator.
void ensureHistoryWindow(Calculator &c);
void placeHistory(Calculator &c);

} // namespace vantoro
