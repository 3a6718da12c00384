// SPDX-License-Identifier: GPL-3.0-or-later
// vantoro-calc: the calculator's logic driven by a key script, for shells and scripts.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringDecoder>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/keyscript.h"

namespace {

using vantoro::escapedForMessage;
namespace ScriptStatus = vantoro::ScriptStatus;

const char *const KeyTable = R"(Keys (whitespace is ignored, letters in either case):
  0-9      digits                 .        decimal point
  + - * /  operators              =        equals
  %        percent (seconds)      r        square root (seconds)
  h m s    hour, minute, second keys (H:M:S-Unit)
  u        switch H:M:S-Auto / H:M:S-Unit
  :        convert between H:M:S and seconds
  c        clear entry            a        all clear

Keys are UTF-8 text, from the arguments or, without any, from standard input (a UTF-8
byte-order mark at its start is skipped). Options come before the keys; the keys begin at
the first argument that is not an option, or after "--". A key that is unavailable where it
is pressed is ignored, as the window ignores it, and reported on standard error.

Output (UTF-8, tab-separated): "!<TAB>message" for each message box; the final line
<sign><TAB><display><TAB><operator><TAB><mode>; with --trace that line after every key,
preceded by the key; with --history every history line as "#<TAB>line".

Exit status: 0 done; 1 standard output could not be written; 2 a bad option or mode, a
character with no key, or standard input that cannot be read; 3 with --strict, a key that
was unavailable.

Examples:
  vantoro-calc --mode unit 1h30m+45m=
  vantoro-calc --mode seconds 1/3=
  echo '90m:' | vantoro-calc --mode unit)";

void message(const QString &text)
{
    const QByteArray bytes = (QStringLiteral("vantoro-calc: ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// Standard output through stdio's buffer; the first failure is kept and reported at the end.
class StdioOutput : public vantoro::ScriptOutput
{
public:
    void out(const QString &line) override
    {
        if (m_error != 0)
            return;
        const QByteArray bytes = line.toUtf8();
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
            m_error = errno ? errno : EIO;
    }
    void err(const QString &line) override
    {
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
    // What is buffered goes out now; false once writing has failed.
    bool flush()
    {
        if (m_error == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            m_error = errno ? errno : EIO;
        return m_error == 0;
    }
    int error() const { return m_error; }

private:
    int m_error = 0;
};

// The script from standard input, read and run piece by piece, so that output starts at once
// and memory stays the same whatever the length. Returns the exit status.
int runStandardInput(vantoro::KeyScriptRun &run, StdioOutput &output, bool open)
{
    struct stat st;
    if (!open || ::fstat(STDIN_FILENO, &st) != 0) {
        message(QStringLiteral("standard input is closed; give the keys as arguments or on standard input"));
        return ScriptStatus::Usage;
    }
    if (S_ISDIR(st.st_mode)) {
        message(QStringLiteral("standard input is a directory, not a key script"));
        return ScriptStatus::Usage;
    }

    QStringDecoder utf8(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    QByteArray pending; // bytes of a UTF-8 sequence that the next read completes
    bool first = true;
    char buf[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            message(QStringLiteral("cannot read standard input: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return ScriptStatus::Usage;
        }
        pending.append(buf, n);
        if (first && (n == 0 || pending.size() >= 3)) {
            first = false;
            if (pending.startsWith("\xFF\xFE") || pending.startsWith("\xFE\xFF")) {
                // Decoding UTF-16 by its mark would read any stray bytes as keys.
                message(QStringLiteral("standard input is UTF-16 (it begins with a UTF-16 byte-order mark); "
                                       "keys are UTF-8 text"));
                return ScriptStatus::Usage;
            }
            if (pending.startsWith("\xEF\xBB\xBF"))
                pending.remove(0, 3);
        } else if (first) {
            continue;
        }
        // Keep an incomplete sequence at the end for the next read.
        qsizetype complete = pending.size();
        if (n > 0) {
            for (int back = 1; back <= 3 && back <= pending.size(); ++back) {
                const uchar b = uchar(pending.at(pending.size() - back));
                if ((b & 0xC0) == 0x80)
                    continue; // a continuation byte: look further back
                const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
                if (length > back)
                    complete = pending.size() - back;
                break;
            }
        }
        const QString keys = utf8(QByteArrayView(pending).first(complete));
        pending.remove(0, complete);
        const bool going = run.feed(keys);
        if (!output.flush() || !going || n == 0)
            break;
    }
    return ScriptStatus::Ok;
}

} // namespace

// Whether the descriptor is open. A closed one is taken by /dev/null, so that no file the
// program opens later (Qt opens some) becomes standard input or output by accident.
bool keepOpen(int fd)
{
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
        return true;
    const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (null >= 0 && null != fd) {
        ::dup2(null, fd);
        ::close(null);
    }
    return false;
}

int main(int argc, char *argv[])
{
    const bool stdinOpen = keepOpen(STDIN_FILENO);
    const bool stdoutOpen = keepOpen(STDOUT_FILENO);
    keepOpen(STDERR_FILENO);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantoro-calc"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTORO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs key presses through the Vantoro duration calculator.\n\n")
                                     + QString::fromUtf8(KeyTable));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption modeOption({QStringLiteral("m"), QStringLiteral("mode")},
                                        QStringLiteral("Start mode: auto, seconds or unit."), QStringLiteral("mode"),
                                        QStringLiteral("auto"));
    const QCommandLineOption traceOption(QStringLiteral("trace"), QStringLiteral("Print the display after every key."));
    const QCommandLineOption historyOption(QStringLiteral("history"), QStringLiteral("Print the history lines."));
    const QCommandLineOption strictOption(QStringLiteral("strict"),
                                          QStringLiteral(
                                              "End with status 3 at a key that is unavailable where it is pressed."));
    parser.addOptions({modeOption, traceOption, historyOption, strictOption});
    parser.addPositionalArgument(QStringLiteral("KEYS"), QStringLiteral("Key presses; standard input when absent."),
                                 QStringLiteral("[KEYS...]"));

    // A script may begin with a minus ("-5+3="), so the parser sees only the arguments before
    // the keys: those that begin with "--", or with "-" and a letter (with the value of
    // --mode/-m). The first other argument, or everything after "--", is the script.
    const QStringList args = QCoreApplication::arguments();
    QStringList optionArgs{args.value(0)};
    QStringList keyArgs;
    bool keysGiven = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--")) {
            keyArgs = args.mid(i + 1);
            keysGiven = true; // "--" alone still means keys given, not standard input
            break;
        }
        const bool option = a.startsWith(QLatin1String("--"))
                            || (a.size() > 1 && a.at(0) == QLatin1Char('-') && a.at(1).isLetter());
        if (!option) {
            keyArgs = args.mid(i);
            keysGiven = true;
            break;
        }
        optionArgs << a;
        if ((a == QLatin1String("--mode") || a == QLatin1String("-m")) && i + 1 < args.size())
            optionArgs << args.at(++i);
    }
    if (!parser.parse(optionArgs)) {
        message(escapedForMessage(parser.errorText()) + QStringLiteral(" (vantoro-calc --help lists the options)"));
        return ScriptStatus::Usage;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(ScriptStatus::Ok);
    if (parser.isSet(versionOption))
        parser.showVersion();

    vantoro::ScriptOptions options;
    const QString mode = parser.value(modeOption);
    if (mode == QLatin1String("auto")) {
        options.mode = 0;
    } else if (mode == QLatin1String("seconds")) {
        options.mode = 1;
    } else if (mode == QLatin1String("unit")) {
        options.mode = 2;
    } else {
        message(QStringLiteral("unknown mode '%1' (auto, seconds or unit)").arg(escapedForMessage(mode)));
        return ScriptStatus::Usage;
    }
    options.trace = parser.isSet(traceOption);
    options.history = parser.isSet(historyOption);
    options.strict = parser.isSet(strictOption);

    if (!stdoutOpen) {
        message(QStringLiteral("standard output is closed"));
        return ScriptStatus::OutputFailed;
    }
    StdioOutput output;
    vantoro::KeyScriptRun run(options, output);
    int status = ScriptStatus::Ok;
    if (keysGiven) {
        for (const QString &a : keyArgs) {
            if (!run.feed(a))
                break;
        }
    } else {
        status = runStandardInput(run, output, stdinOpen);
    }
    if (status == ScriptStatus::Ok)
        status = run.finish();
    if (!output.flush()) {
        message(QStringLiteral("cannot write standard output: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(output.error()))));
        return ScriptStatus::OutputFailed;
    }
    return status;
}
