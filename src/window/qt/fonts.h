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

} // namespace vantoro
