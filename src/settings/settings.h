// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: an INI file beside the executable, named after it with ".INI".
#include <QString>
#include <vector>

namespace vantoro {

// Directory of the running executable, a separator and its name without extension, with
// the bytes the file system has (see native_path.h).
QString App_Path();

// Where the settings of the executable `appPath` (as App_Path gives it) live.
// A copy that is not installed (a build tree, a folder of its own): appPath + ".INI" when that
// file exists or its directory can be written; otherwise the same file name in the subfolder
// "vantoro" of `userConfigDir`.
// An installed copy: always the file in `userConfigDir`; an existing file beside the program
// is read while the user's own does not exist, and the first write carries its lines over.
// An empty result when the file belongs in `userConfigDir` and there is none.
QString settingsFilePathFor(const QString &appPath, const QString &userConfigDir, bool installed = false);

// Whether `appPath` belongs to an installed program: the data files of the installation
// stand where the install puts them relative to the executable (any prefix).
bool isInstalledProgram(const QString &appPath);

// The user's configuration directory by the XDG rules: $XDG_CONFIG_HOME when it is an
// absolute path, else ~/.config; empty without a home directory.
QString userConfigDirectory();

// The settings file of the running executable. Finding it at start also removes what a save
// killed halfway left behind (see Ini_Write).
QString settingsFilePath();

// The stored value (at most 15 characters) or "-" when the file, section or key is absent.
// Never fails: a file that cannot be read reads as absent.
QString Ini_Read(const QString &section, const QString &key, const QString &file);

struct IniEntry {
    QString section, key, value;
};
// Writes the values in order, in one read-modify-write of the file under a lock, replacing
// the file as a whole (a crash leaves the old file or the new one, never a torn one). A file
// in a directory that takes no new file is overwritten in place, and the user told so on
// standard error. A file that would not read back (beyond the reader's size limit, or UTF-16
// that is not well formed) is left as it is. Returns false when the file could not be
// written; the first failure for a file is reported on standard error.
bool Ini_Write(const std::vector<IniEntry> &entries, const QString &file);
inline bool Ini_Write(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return Ini_Write(std::vector<IniEntry>{{section, key, value}}, file);
}

} // namespace vantoro
