#pragma once
// The settings file: an INI file beside the executable, named after it with ".INI".
#include <QString>
#include <utility>
#include <vector>

namespace vantoro {

// Directory of the running executable, a separator and its name without extension.
QString App_Path();

// Where the settings live: App_Path() + ".INI".
QString settingsFilePath();

// The stored value (at most 15 characters) or "-" when the file, section or key is absent.
QString Ini_Read(const QString &section, const QString &key, const QString &file);

struct IniEntry {
    QString section, key, value;
};
// Writes the values in order; returns false when the file could not be written.
bool Ini_Write(const std::vector<IniEntry> &entries, const QString &file);
inline bool Ini_Write(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return Ini_Write(std::vector<IniEntry>{{section, key, value}}, file);
}

} // namespace vantoro
