#pragma once
// Calculation engine: time value texts, arithmetic, percent and root, clearing keys,
// history recording.
#include <QString>
#include <optional>

#include "engine/calculator.h"

namespace vantoro {

// Seconds of a packed H:M:S text, as a number text with its leading blank.
QString Hms_To_Sec(const QString &text);

// Packed H:M:S text of a number of seconds (not negative). Replaces `text` with the
// result too. Above MaxSec it reports the overflow, releases the faces and returns the
// empty text, leaving `text` as it was.
QString Sec_To_Hms(Calculator &c, QString &text);
QString Sec_To_Hms(Calculator &c, const QString &text);

// The display form of a 12-character packed H:M:S view: hours, degree mark, minutes, prime,
// seconds and the closing quotation mark. The display and the history lines both show it.
QString hmsDisplay(const QString &view);

struct SecondsResult {
    QString text; // leading blank and at most 14 characters
    int sign;     // of the value after tiny magnitudes are cut
};
// The result text of seconds mode for a computed number; nullopt on overflow.
std::optional<SecondsResult> secondsResultText(double r);

QString Calc_Exec(Calculator &c, int op, const QString &a, const QString &b, int signA, int signB);
void Eq_Down(Calculator &c);
void Per_Down(Calculator &c);
void Root_Down(Calculator &c);
void AC_DOWN(Calculator &c);
void Ce_Down(Calculator &c);
void His_Add(Calculator &c, int index, int kind);

} // namespace vantoro
