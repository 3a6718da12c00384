#include "window/qt/fonts.h"

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

QFont fontFor(const FontDef &def)
{
    QFont f(def.family);
    f.setPixelSize(int(std::lround(def.points * 96.0 / 72.0)));
    f.setBold(def.bold);
    f.setItalic(def.italic);
    return f;
}

} // namespace vantoro
