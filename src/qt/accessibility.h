#pragma once
// What a screen reader announces for the main window's elements: the keys by what they
// do, the display by its value, sign and operator in words rather than by its glyphs.
#include <QString>

#include "panel/panel.h"
#include "window/elements.h"

namespace vantoro {

// "Seven", "Plus", "Square root", "Convert H:M:S to seconds", ...; the mode keys follow
// their current captions.
QString keyName(KeyId key, const MainWindowElements &ui);
// The function row, title and display labels by element name; empty for anything else.
QString elementName(const QString &name, const MainWindowElements &ui);
// The display in words: "minus 1 hour 30 minutes 0 seconds, plus".
QString spokenValue(const MainWindowElements &ui);
// Added to an unavailable key's description.
QString unavailableText();

// Gives key faces and the focus panel roles a screen reader can place.
void installAccessibleRoles();

} // namespace vantoro
