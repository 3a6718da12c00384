#include "window/qt/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>

namespace vantoro {

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("IPAGothic"),
                               {QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans Mono CJK JP")});
}

QFont historyListFont()
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(HistoryFontPixels);
    f.setKerning(false);
    return f;
}

namespace {

// The designed family or the first of its stand-ins that is installed, looked up once per
// family; empty when none is.
QString installedFamily(const QString &designed)
{
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(designed);
    if (known != resolved.cend())
        return *known;
    const QStringList installed = QFontDatabase::families();
    QString found;
    for (const QString &family : QStringList{designed} + QFont::substitutes(designed)) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            found = family;
            break;
        }
    }
    resolved.insert(designed, found);
    return found;
}

} // namespace

QFont fontFor(const FontDef &def)
{
    // Asked for by the family that is there, a font is found at once: asked for by a missing
    // one, each style first costs a fontconfig search of fallbacks, a tenth of the start-up.
    // Every caption is in the designed font's character set, which all the stand-ins cover,
    // so no glyph needs to come from another font either.
    const QString family = installedFamily(def.family);
    QFont f(family.isEmpty() ? def.family : family);
    f.setPixelSize(int(std::lround(def.points * 96.0 / 72.0)));
    f.setBold(def.bold);
    f.setItalic(def.italic);
    if (!family.isEmpty())
        f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

} // namespace vantoro
