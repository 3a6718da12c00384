// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace vantoro::Msg {
inline const QString DivisionByZero = QStringLiteral("ゼロによる割り算が実行されました");
inline const QString Overflow = QStringLiteral("桁あふれです");
inline const QString PercentOverflow = QStringLiteral("桁あふれです.");
inline const QString NegativeRoot = QStringLiteral("負の数の平方根は求められません");
inline const QString QuitConfirm = QStringLiteral("終了します．よろしいですか?");
} // namespace vantoro::Msg
