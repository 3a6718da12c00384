// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/state.h"

#include "engine/basic.h"

namespace vantoro {

const std::array<QString, 9> EnzanSym{QStringLiteral("　"), QStringLiteral("＋"), QStringLiteral("－"),
                                      QStringLiteral("×"),  QStringLiteral("÷"),  QStringLiteral("＝"),
                                      QStringLiteral("％"), QStringLiteral("√"),  QString()};
const std::array<QString, 2> HugouText{QStringLiteral(" "), QStringLiteral("-")};
const std::array<QString, 3> ModeCaption{QStringLiteral("H:M:S-Auto"), QString(), QStringLiteral("H:M:S-Unit")};
const std::array<QString, 3> UnitCaption{QStringLiteral("Auto>Unit"), QString(), QStringLiteral("Unit>Auto")};
const QString HistorySeparatorEntry(21, QChar(0xFFE3));
const QString HistorySeparatorLine = QString(20, QChar(0x2500)) + QChar(0x3000);

void Entry_Init(CalcState &st)
{
    setBlanksAndDigit(st.Entry[0], WidthSec, QLatin1Char('0'));
    setBlanksAndDigit(st.Entry[1], WidthSec, QLatin1Char('0'));
    assignShared(st.PrevSym, EnzanSym[0]);
    st.EntryIdx = 0;
    st.SaveIdx = 0;
    st.EnzanNo = 0;
    st.Sign[0] = st.Sign[1] = st.Sign[2] = 1;
    st.DigitCount = 0;
    st.KanmaState = 0;
    st.MinusFirst = 0;
}

} // namespace vantoro
