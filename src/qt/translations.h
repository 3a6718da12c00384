#pragma once
// The program's words for assistive technology, and Qt's own words in its dialogs (Yes, No,
// OK), in the user's language: Japanese under a Japanese locale, English otherwise.

namespace vantoro {

// Installs the translators for the user's locale; once, after QApplication exists.
void installTranslations();

} // namespace vantoro
