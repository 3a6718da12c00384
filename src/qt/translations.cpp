#include "qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vantoro {

void installTranslations()
{
    static QTranslator qt, own;
    const QLocale locale; // the user's, from LANGUAGE, LC_ALL, LC_MESSAGES and LANG
    // Qt's own, from the system's Qt translations (Debian: qt6-translations-l10n).
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // The program's: installed under share/ beside bin/, or beside the program in a build tree.
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &place : {dir + QStringLiteral("/../share/vantoro/translations"),
                                 dir + QStringLiteral("/translations")}) {
        if (own.load(locale, QStringLiteral("vantoro"), QStringLiteral("_"), place)) {
            QCoreApplication::installTranslator(&own);
            break;
        }
    }
}

} // namespace vantoro
