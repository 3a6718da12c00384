#include "settings/settings.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vantoro {

QString App_Path()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName();
}

QString settingsFilePath()
{
    return App_Path() + QStringLiteral(".INI");
}

QString Ini_Read(const QString &, const QString &, const QString &)
{
    return QStringLiteral("-");
}

bool Ini_Write(const std::vector<IniEntry> &, const QString &)
{
    return true;
}

} // namespace vantoro
