// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widths and limits of the entry texts.
#include <QtGlobal>

namespace vantoro {

constexpr int WidthHms = 12;         // packed H:M:S text
constexpr int WidthSec = 14;         // seconds text and digit limit of seconds mode
constexpr qint32 MaxSec = 359999999; // 99999 h 59 min 59 s
constexpr double MaxSecondsResult = 99999999999999.0;

} // namespace vantoro
