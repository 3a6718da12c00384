// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's words for assistive technology, and Qt's own words in its dialogs (Yes, No,
// OK), in the user's language: Japanese under a Japanese locale, English otherwise.
#include <QLocale>
#include <QString>

namespace vantoro {

// Installs the translators for `locale`, the user's by default; again for another locale,
// they are replaced. The program's own come from `directory` when given, else from where a
// build tree or an installation keeps them.
void installTranslations(const QLocale &locale = QLocale(), const QString &directory = {});

} // namespace vantoro
