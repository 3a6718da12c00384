// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>

#include "panel/layout.h"

namespace vantoro {

// The designed fonts are rarely installed: IPAPGothic stands in for "ＭＳ Ｐゴシック" and
// Liberation Sans for Arial, both metric-compatible with the originals.
void installFontSubstitutes();

// Sizes are set in pixels at 96 dots per inch, as the layout is; the platform's
// device pixel ratio scales both together.
QFont fontFor(const FontDef &def);

// The history list's font. Its lines keep their columns only in a font whose full-width
// characters (the operator marks, the separators of the H:M:S form) are exactly two
// half-width cells: IPAGothic (Debian's fonts-ipafont-gothic) is such a font.
// 16 pixels gives the 8-pixel cell the window was designed around, so a whole line of
// 23 cells fits beside the list's scroll bar.
QFont historyListFont();
constexpr int HistoryFontPixels = 16;

} // namespace vantoro
