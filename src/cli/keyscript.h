// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a key script through the calculator logic, as the keyboard would drive it.
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace vantoro {

struct ScriptOptions {
    int mode = 0;       // 0 H:M:S-Auto, 1 seconds, 2 H:M:S-Unit
    bool trace = false; // a display line after every key
    bool history = false;
    bool strict = false; // a key that is unavailable where it is pressed ends the run
};

// The exit statuses of vantoro-calc.
namespace ScriptStatus {
constexpr int Ok = 0;
constexpr int OutputFailed = 1; // standard output could not be written
constexpr int Usage = 2;        // bad option or mode, a character with no key, unusable input
constexpr int Unavailable = 3;  // --strict: a key was unavailable where it was pressed
} // namespace ScriptStatus

// Where a run's lines go, each as soon as it is made (every line ends in "\n").
class ScriptOutput
{
public:
    virtual ~ScriptOutput() = default;
    virtual void out(const QString &line) = 0; // standard output
    virtual void err(const QString &line) = 0; // standard error
};

// A script fed in pieces of any size: the calculator starts when the run is made, each key
// is pressed and released as it arrives, and finish() adds the final display line and the
// history. Memory stays the same however long the script is.
class KeyScriptRun
{
public:
    KeyScriptRun(const ScriptOptions &options, ScriptOutput &output);
    ~KeyScriptRun();

    // The next characters of the script. Returns false once the run has ended: a character
    // with no key, or under --strict an unavailable key (the rest of the script is not read).
    bool feed(QStringView keys);
    // The exit status; the final line and the history are printed only for a run that did
    // not end early.
    int finish();

private:
    struct State;
    std::unique_ptr<State> d;
};

struct ScriptResult {
    int exitCode = 0;
    QString out; // standard output
    QString err; // standard error
};

// The key code a script character stands for, or nullopt for a character with no key.
std::optional<int> scriptKeyCode(QChar ch);

// A whole script at once, its output collected.
ScriptResult runKeyScript(const QString &keys, const ScriptOptions &options);

// Text from outside (a script character, an option) as a message may show it: control and
// other invisible characters as \xHH or \uHHHH, so that no raw byte reaches the terminal.
QString escapedForMessage(QStringView text);

} // namespace vantoro
