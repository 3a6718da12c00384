// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text forms of time values and their conversions. Pure: nothing here reports or
// touches the calculator; a caller that needs a report gets "no value" and reports.
#include <QString>
#include <optional>

#include "engine/limits.h"
#include "window/text.h"

namespace vantoro {

// Seconds of a packed H:M:S text, as a number text with its leading blank.
QString Hms_To_Sec(QStringView text);
void appendHmsToSec(ShortText &out, QStringView text); // the same, added to out
// Val(Hms_To_Sec(text)), without the text between.
double hmsSeconds(QStringView text);

// Packed H:M:S text of a number of seconds (not negative); nullopt above MaxSec.
std::optional<QString> Sec_To_Hms(QStringView text);
// The same for the number a text reads as (its Val): Sec_To_Hms(Str$(x)) is
// secToHms(ValOfStr(x)).
std::optional<QString> secToHms(double v);
// The same added to out; false, and nothing added, above MaxSec.
bool appendSecToHms(ShortText &out, double v);

// The display form of a 12-character packed H:M:S view: hours, degree mark, minutes, prime,
// seconds and the closing quotation mark. The display and the history lines both show it.
QString hmsDisplay(QStringView view);
void appendHmsDisplay(ShortText &out, QStringView view); // the same, added to out

struct SecondsResult {
    QString text; // leading blank and at most 14 characters
    int sign;     // of the value after tiny magnitudes are cut
};
// The result text of seconds mode for a computed number; nullopt on overflow.
std::optional<SecondsResult> secondsResultText(double r);
// The same text added to out; its sign, or nullopt (nothing added) on overflow.
std::optional<int> appendSecondsResult(ShortText &out, double r);

} // namespace vantoro
