// vantoro-calc: the calculator's logic driven by a key script, for shells and scripts.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/keyscript.h"

namespace {

const char *const KeyTable = R"(Keys (whitespace is ignored, letters in either case):
  0-9      digits                 .        decimal point
  + - * /  operators              =        equals
  %        percent (seconds)      r        square root (seconds)
  h m s    hour, minute, second keys (H:M:S-Unit)
  u        switch H:M:S-Auto / H:M:S-Unit
  :        convert between H:M:S and seconds
  c        clear entry            a        all clear

Output (UTF-8, tab-separated): "!<TAB>message" for each message box; the final line
<sign><TAB><display><TAB><operator><TAB><mode>; with --trace that line after every key,
preceded by the key; with --history every history line as "#<TAB>line".

Examples:
  vantoro-calc --mode unit 1h30m+45m=
  vantoro-calc --mode seconds 1/3=
  echo '90m:' | vantoro-calc --mode unit)";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantoro-calc"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs key presses through the Vantoro duration calculator.\n\n")
                                     + QString::fromUtf8(KeyTable));
    parser.addHelpOption();
    const QCommandLineOption modeOption(QStringLiteral("mode"), QStringLiteral("Start mode: auto, seconds or unit."),
                                        QStringLiteral("mode"), QStringLiteral("auto"));
    const QCommandLineOption traceOption(QStringLiteral("trace"), QStringLiteral("Print the display after every key."));
    const QCommandLineOption historyOption(QStringLiteral("history"), QStringLiteral("Print the history lines."));
    parser.addOptions({modeOption, traceOption, historyOption});
    parser.addPositionalArgument(QStringLiteral("KEYS"), QStringLiteral("Key presses; standard input when absent."),
                                 QStringLiteral("[KEYS...]"));
    // Keys may begin with "-" (a leading minus): only the options before the first key
    // argument go to the parser, everything from there on is the key script.
    QStringList optionArgs;
    QStringList keyArgs;
    const QStringList args = QCoreApplication::arguments();
    optionArgs << args.value(0);
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!keyArgs.isEmpty()) {
            keyArgs << a;
        } else if (a == QLatin1String("--")) {
            keyArgs = args.mid(i + 1);
            if (keyArgs.isEmpty())
                keyArgs << QString(); // "--" alone still means keys given, not standard input
            break;
        } else if (a == QLatin1String("--mode") && i + 1 < args.size()) {
            optionArgs << a << args.at(++i);
        } else if (a.startsWith(QLatin1String("--mode=")) || a == QLatin1String("--trace")
                   || a == QLatin1String("--history") || a == QLatin1String("--help") || a == QLatin1String("-h")
                   || a == QLatin1String("--help-all")) {
            optionArgs << a;
        } else {
            keyArgs << a;
        }
    }
    parser.process(optionArgs);

    vantoro::ScriptOptions options;
    const QString mode = parser.value(modeOption);
    if (mode == QLatin1String("auto")) {
        options.mode = 0;
    } else if (mode == QLatin1String("seconds")) {
        options.mode = 1;
    } else if (mode == QLatin1String("unit")) {
        options.mode = 2;
    } else {
        std::fprintf(stderr, "vantoro-calc: unknown mode '%s' (auto, seconds or unit)\n", qPrintable(mode));
        return 2;
    }
    options.trace = parser.isSet(traceOption);
    options.history = parser.isSet(historyOption);

    QString keys = keyArgs.join(QString());
    if (keyArgs.isEmpty()) {
        QTextStream in(stdin);
        in.setEncoding(QStringConverter::Utf8);
        keys = in.readAll();
    }

    const vantoro::ScriptResult result = vantoro::runKeyScript(keys, options);
    const QByteArray out = result.out.toUtf8();
    const QByteArray err = result.err.toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return result.exitCode;
}
