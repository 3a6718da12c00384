#pragma once
// Runs a key script through the calculator logic, as the keyboard would drive it.
#include <QString>
#include <optional>

namespace vantoro {

struct ScriptOptions {
    int mode = 0;        // 0 H:M:S-Auto, 1 seconds, 2 H:M:S-Unit
    bool trace = false;  // a display line after every key
    bool history = false;
};

struct ScriptResult {
    int exitCode = 0;
    QString out; // standard output
    QString err; // standard error
};

// The key code a script character stands for, or nullopt for a character with no key.
std::optional<int> scriptKeyCode(QChar ch);

ScriptResult runKeyScript(const QString &keys, const ScriptOptions &options);

} // namespace vantoro
