// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vantoro {

void installTranslations(const QLocale &locale, const QString &directory)
{
    static QTranslator qt, own;
    QCoreApplication::removeTranslator(&qt);
    QCoreApplication::removeTranslator(&own);
    // Qt's own, from the system's Qt translations (Debian: qt6-translations-l10n).
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // The program's: installed under share/ beside bin/, or beside the program in a build tree.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList places = directory.isEmpty() ? QStringList{dir + QStringLiteral("/../share/vantoro/translations"),
                                                                 dir + QStringLiteral("/translations")}
                                                   : QStringList{directory};
    for (const QString &place : places) {
        if (own.load(locale, QStringLiteral("vantoro"), QStringLiteral("_"), place)) {
            QCoreApplication::installTranslator(&own);
            break;
        }
    }
}

} // namespace vantoro
