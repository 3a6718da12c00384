// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds in the windows: the keys by what they do and by the keyboard
// key that does the same, the display in words beside its exact caption, history lines in
// words, and a tree without the pictures and legends that only draw a key.
#include <QAccessible>
#include <QString>
#include <QStringList>
#include <functional>

#include "engine/state.h"
#include "panel/keys.h"
#include "window/elements.h"

class QWidget;

namespace vantoro {

// "Seven", "Plus", "Square root", "Convert H:M:S to seconds", ...; the mode keys follow
// their current captions.
QString keyName(KeyId key, const MainWindowElements &ui);
// The function row, title and display labels by element name; empty for anything else.
QString elementName(const QString &name, const MainWindowElements &ui);
// The display in words: "minus 1 hour 30 minutes 0 seconds, plus".
QString spokenValue(const MainWindowElements &ui);
// The display as it reads: sign and value, "-1°30’00.00”", "12.".
QString exactValue(const MainWindowElements &ui);
// Why an unavailable key is unavailable: the mode, or the entry in progress.
QString unavailableText(KeyId key, const CalcState &st);
// A history line in words: "plus 2 seconds"; empty for a separator line.
QString spokenHistoryLine(const QString &line);
bool isHistorySeparator(const QString &line);

// Roles and tree. A widget given a role here gets an interface of that role whose
// children leave out what was kept out of the tree and what is hidden for good.
void setAccessibleRole(QWidget *widget, QAccessible::Role role);
void keepOutOfAccessibleTree(QWidget *widget);
// The keyboard keys that do what a button does ("Keypad 7"), its AT-SPI key binding.
void setKeyBindings(QWidget *widget, const QStringList &keys);
// The description of `widget`, with a change event that carries the new text, so that a
// reader speaks it when `widget` has the focus.
void announceDescription(QWidget *widget, const QString &description);
// The text a reader gets through the text interface of `widget`, with the change event.
void setAccessibleText(QWidget *widget, const QString &text);
QString accessibleText(const QWidget *widget);

// Texts a window works out only when they are read, as a screen reader reads them far less
// often than keys change the display: `bringUpToDate` runs before the program's interfaces
// give a name, description or text of an element of `window`, and when an assistive
// technology starts listening. Ended before the window goes.
void setDeferredAccessibleTexts(const QWidget *window, std::function<void()> bringUpToDate);
void endDeferredAccessibleTexts(const QWidget *window);

void installAccessibleRoles();

} // namespace vantoro
