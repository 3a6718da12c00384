// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the program in the settings location tests: copied into a build tree or an
// installed layout, it prints where it keeps its settings and what it reads there, and with
// "write" saves a mode as the exit does.
#include <QCoreApplication>
#include <cstdio>

#include "settings/native_path.h"
#include "settings/settings.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    using namespace vantoro;
    const QString file = settingsFilePath();
    const QString hms = Ini_Read(QStringLiteral("INIT_MODE"), QStringLiteral("HMS"), file);
    std::printf("%s\n%s\n", nativePath(file).constData(), hms.toUtf8().constData());
    if (argc > 1 && qstrcmp(argv[1], "write") == 0)
        return Ini_Write(QStringLiteral("INIT_MODE"), QStringLiteral("HMS"), QStringLiteral("2"), file) ? 0 : 1;
    return 0;
}
