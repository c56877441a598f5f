#include "side/core/side_config.h"

#include <QCoreApplication>

QString SideConfig::webHost()
{
    const QString fromEnv = qEnvironmentVariable("GLOOPDASH_WEB_HOST").trimmed();
    return fromEnv.isEmpty() ? QStringLiteral(GD_WEB_HOST) : fromEnv;
}

QString SideConfig::lobbyPath()
{
    return QStringLiteral(GD_LOBBY_PATH);
}

QString SideConfig::installerRunner()
{
    return QStringLiteral(GD_INSTALLER_RUNNER);
}

QString SideConfig::programFolder()
{
    const QString home = qEnvironmentVariable("GLOOPDASH_HOME");
    if (!home.isEmpty())
        return home;
    return QCoreApplication::applicationDirPath();
}
