#pragma once
// The settings file: an INI file beside the executable, named after it with ".INI".
#include <QString>
#include <vector>

namespace vantoro {

// Directory of the running executable, a separator and its name without extension.
QString App_Path();

// Where the settings of the executable `appPath` (as App_Path gives it) live:
// appPath + ".INI" when that file exists or its directory can be written; otherwise, for an
// installed program whose directory belongs to the system, the same file name in the
// subfolder "vantoro" of `userConfigDir`.
QString settingsFilePathFor(const QString &appPath, const QString &userConfigDir);

// The settings file of the running executable, with the user's configuration directory
// (XDG_CONFIG_HOME, by default ~/.config) as the fallback.
QString settingsFilePath();

// The stored value (at most 15 characters) or "-" when the file, section or key is absent.
// Never fails: a file that cannot be read reads as absent.
QString Ini_Read(const QString &section, const QString &key, const QString &file);

struct IniEntry {
    QString section, key, value;
};
// Writes the values in order, in one read-modify-write of the file under a lock, replacing
// the file as a whole (a crash leaves the old file or the new one, never a torn one).
// Returns false when the file could not be written; the first failure for a file is
// reported on standard error.
bool Ini_Write(const std::vector<IniEntry> &entries, const QString &file);
inline bool Ini_Write(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return Ini_Write(std::vector<IniEntry>{{section, key, value}}, file);
}

} // namespace vantoro
