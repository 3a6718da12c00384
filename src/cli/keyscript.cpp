// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/keyscript.h"

#include "app/app.h"
#include "engine/calculator.h"
#include "panel/keys.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

// Message boxes become output lines, in the order they are shown.
class ScriptServices : public Services
{
public:
    explicit ScriptServices(ScriptOutput &out) : out_(out) {}
    void messageBox(const QString &text) override { out_.out(QStringLiteral("!\t") + text + QLatin1Char('\n')); }

private:
    ScriptOutput &out_;
};

QString displayLine(const MainWindowElements &ui)
{
    return ui.Hugou.caption + QLatin1Char('\t') + ui.Disp.caption + QLatin1Char('\t') + ui.ENZANSI.caption
           + QLatin1Char('\t') + ui.MODE.caption + QLatin1Char('\n');
}

QString modeName(int mode)
{
    switch (mode) {
    case ModeNo::Auto: return QStringLiteral("H:M:S-Auto");
    case ModeNo::Seconds: return QStringLiteral("seconds");
    case ModeNo::Unit: return QStringLiteral("H:M:S-Unit");
    default: return QString::number(mode);
    }
}

class CollectOutput : public ScriptOutput
{
public:
    void out(const QString &line) override { result.out += line; }
    void err(const QString &line) override { result.err += line; }
    ScriptResult result;
};

} // namespace

struct KeyScriptRun::State {
    State(const ScriptOptions &o, ScriptOutput &out) : options(o), output(out), services(out), c(services)
    {
        startCalculator(c, options.mode);
    }

    // One key; false when the run ends here.
    bool key(QChar ch)
    {
        const KeyRow *row = keyForScript(ch);
        if (!row) {
            const QString what = ch == QChar::ReplacementCharacter
                                     ? QStringLiteral("text that is not UTF-8")
                                     : QStringLiteral("no key for '%1'").arg(escapedForMessage(QStringView(&ch, 1)));
            output.err(QStringLiteral("vantoro-calc: %1 at position %2\n").arg(what).arg(position));
            status = ScriptStatus::Usage;
            return false;
        }
        if (row->keyboardNeedsEnabled && !row->region.of(c.ui).enabled) {
            // The window ignores a key whose button is greyed out; so does the script, but
            // the user learns that the result is not what the script says.
            const QString where = QStringLiteral("vantoro-calc: '%1' at position %2").arg(ch).arg(position);
            const QString why =
                QStringLiteral("the key is unavailable at that point in %1 mode").arg(modeName(c.st.Mode));
            if (options.strict) {
                output.err(where + QStringLiteral(": ") + why + QLatin1Char('\n'));
                status = ScriptStatus::Unavailable;
                return false;
            }
            output.err(where + QStringLiteral(" ignored: ") + why + QLatin1Char('\n'));
        }
        // The row's own keyboard key, pressed and released: the row is the one its code finds.
        keyboardDown(c, *row);
        keyboardUp(c, *row);
        if (options.trace)
            output.out(ch + QLatin1Char('\t') + displayLine(c.ui));
        return true;
    }

    ScriptOptions options;
    ScriptOutput &output;
    ScriptServices services;
    Calculator c;
    qint64 position = 0; // of the character last read, counted from 1 over the whole script
    bool pendingHighSurrogate = false;
    int status = ScriptStatus::Ok;
};

KeyScriptRun::KeyScriptRun(const ScriptOptions &options, ScriptOutput &output)
    : d(std::make_unique<State>(options, output))
{
}

KeyScriptRun::~KeyScriptRun() = default;

bool KeyScriptRun::feed(QStringView keys)
{
    if (d->status != ScriptStatus::Ok)
        return false;
    for (QChar ch : keys) {
        // A character outside the BMP counts once; it has no key either way.
        if (!(ch.isLowSurrogate() && d->pendingHighSurrogate))
            ++d->position;
        d->pendingHighSurrogate = ch.isHighSurrogate();
        if (ch.isSpace())
            continue;
        if (!d->key(ch))
            return false;
    }
    return true;
}

int KeyScriptRun::finish()
{
    if (d->status != ScriptStatus::Ok)
        return d->status;
    if (!d->options.trace)
        d->output.out(displayLine(d->c.ui));
    if (d->options.history) {
        for (const QString &line : d->c.history.His_List)
            d->output.out(QStringLiteral("#\t") + line + QLatin1Char('\n'));
    }
    return d->status;
}

std::optional<int> scriptKeyCode(QChar ch)
{
    if (const KeyRow *key = keyForScript(ch))
        return key->keyboard[0];
    return std::nullopt;
}

ScriptResult runKeyScript(const QString &keys, const ScriptOptions &options)
{
    CollectOutput output;
    int status;
    {
        KeyScriptRun run(options, output);
        run.feed(keys);
        status = run.finish();
    }
    output.result.exitCode = status;
    return output.result;
}

QString escapedForMessage(QStringView text)
{
    QString shown;
    for (QChar ch : text) {
        if (ch.isPrint() && !ch.isSurrogate())
            shown += ch;
        else if (ch.unicode() < 0x100)
            shown += QStringLiteral("\\x")
                     + QString::number(ch.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u")
                     + QString::number(ch.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    }
    return shown;
}

} // namespace vantoro
