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
}

QFont fontFor(const FontSpec &spec)
{
    QFont f(spec.family);
    f.setPixelSize(int(std::lround(spec.points * 96.0 / 72.0)));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    return f;
}

} // namespace vantoro
