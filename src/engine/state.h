// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator state: everything the calculator remembers between two actions.
#include <QString>
#include <array>

#include "engine/limits.h"
#include "window/elements.h"

namespace vantoro {

constexpr int HisMax = 40; // the history keeps HisMax + 1 lines
static_assert(HisMax + 1 == HistoryLines);

// Codes of the key drawn pressed (PushKey); digits use digit + 10.
namespace KeyCode {
constexpr int None = 0;
constexpr int DigitBase = 10;
constexpr int H = 20, Ac = 21, Ce = 22, Per = 23, Root = 24, Enzan = 25, Eq = 26, Kanma = 27, Unit = 28, Hms = 29;
} // namespace KeyCode

// Availability colours of the key legends and the display colours.
constexpr Colour OnColor = 0xFFFFFF;
constexpr Colour OffColor = 0xC0C0C0;
constexpr std::array<Colour, 2> DispBackColor{0x008080, 0x000000};
constexpr std::array<Colour, 2> DispForeColor{0x000000, 0xFFFF00};

// Operator marks by EnzanNo, and the other caption tables.
extern const std::array<QString, 9> EnzanSym;
extern const std::array<QString, 2> HugouText;
extern const std::array<QString, 3> ModeCaption;
extern const std::array<QString, 3> UnitCaption;
extern const QString HistorySeparatorEntry; // Entry(4): 21 x U+FFE3
extern const QString HistorySeparatorLine;  // the separator line of the list

// EnzanNo values
namespace Op {
constexpr int None = 0, Add = 1, Sub = 2, Mul = 3, Div = 4, Result = 5, Percent = 6, Root = 7;
}

// Mode values
namespace ModeNo {
constexpr int Auto = 0, Seconds = 1, Unit = 2;
}

struct CalcState {
    std::array<QString, 5> Entry; // 0 first operand/result, 1 second operand, 2 unit buffer, 4 separator
    std::array<int, 5> Sign{1, 1, 1, 0, 0};
    int EntryIdx = 0;
    int SaveIdx = 0;
    int EnzanNo = 0;
    int ResultSign = 1; // starts positive, so an overflow first thing never copies a zero sign
    int DigitCount = 0;
    int KanmaState = 0;
    int MinusFirst = 0;
    int Mode = 0;
    int SaveMode = 1;
    int PushKey = 0;
    QString PrevSym;
    int HisCount = 0;
    TextRing<HistoryLines> HisData; // recall data of the history lines, line by line
    int HisNoSelect = 0;
    int DispStyle = 1;
    int IdleTicks = 0;
    int Loading = 0;
    int HisShown = 0;
    int AboutShown = 0;
    QString IniFile;
    QString TitleText, VerText, ForText;
};

// Resets the calculation fields; the history, mode and tables stay.
void Entry_Init(CalcState &st);

} // namespace vantoro
