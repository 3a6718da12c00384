#include "cli/keyscript.h"

#include "app/app.h"
#include "engine/calculator.h"
#include "panel/keys.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Message boxes become output lines, in the order they are shown.
class ScriptServices : public Services {
public:
    explicit ScriptServices(QString &out) : out_(out) {}
    void messageBox(const QString &text) override { out_ += QStringLiteral("!\t") + text + QLatin1Char('\n'); }

private:
    QString &out_;
};

QString displayLine(const MainWindowElements &ui)
{
    return ui.Hugou.caption + QLatin1Char('\t') + ui.Disp.caption + QLatin1Char('\t') + ui.ENZANSI.caption
           + QLatin1Char('\t') + ui.MODE.caption + QLatin1Char('\n');
}

} // namespace

std::optional<int> scriptKeyCode(QChar ch)
{
    if (const KeyRow *key = keyForScript(ch))
        return key->keyboard[0];
    return std::nullopt;
}

ScriptResult runKeyScript(const QString &keys, const ScriptOptions &options)
{
    ScriptResult result;
    // Check the whole script first: a bad character leaves standard output empty.
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar ch = keys.at(i);
        if (ch.isSpace())
            continue;
        if (!scriptKeyCode(ch)) {
            result.exitCode = 2;
            result.err = QStringLiteral("vantoro-calc: no key for '%1' at position %2\n").arg(ch).arg(i + 1);
            return result;
        }
    }

    ScriptServices services(result.out);
    Calculator c(services);
    startCalculator(c, options.mode);
    for (QChar ch : keys) {
        if (ch.isSpace())
            continue;
        const int code = *scriptKeyCode(ch);
        Form_keydown(c, code);
        Form_KeyUp(c, code);
        if (options.trace)
            result.out += ch + QLatin1Char('\t') + displayLine(c.ui);
    }
    if (!options.trace)
        result.out += displayLine(c.ui);
    if (options.history) {
        for (const QString &line : c.history.His_List)
            result.out += QStringLiteral("#\t") + line + QLatin1Char('\n');
    }
    return result;
}

} // namespace vantoro
