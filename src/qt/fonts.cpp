// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>
#include <dlfcn.h>
#include <thread>

namespace vantoro {

namespace {

// The helper thread of beginFontconfigStartup(), joined by the first font look-up or at exit.
struct FontconfigStartup {
    std::thread thread;
    ~FontconfigStartup() { wait(); }
    void wait()
    {
        if (thread.joinable())
            thread.join();
    }
};

FontconfigStartup &fontconfigStartup()
{
    static FontconfigStartup startup;
    return startup;
}

// Qt's font database makes its first fontconfig call itself; were the helper still at work
// then, fontconfig would load its configuration a second time, so every look-up waits here.
void awaitFontconfigStartup()
{
    fontconfigStartup().wait();
}

} // namespace

void beginFontconfigStartup()
{
    // Looked up among the libraries already loaded (Qt's font database links fontconfig), so
    // the program needs no build dependency of its own on it. FcInit is thread-safe: it loads
    // the configuration once and makes it the current one, which Qt's later FcInit then finds.
    using FcInitFunction = int (*)();
    const auto fcInit = reinterpret_cast<FcInitFunction>(dlsym(RTLD_DEFAULT, "FcInit"));
    FontconfigStartup &startup = fontconfigStartup();
    if (fcInit && !startup.thread.joinable())
        startup.thread = std::thread([fcInit] { fcInit(); });
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("IPAGothic"),
                               {QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans Mono CJK JP")});
}

QFont historyListFont()
{
    awaitFontconfigStartup();
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
    awaitFontconfigStartup();
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
