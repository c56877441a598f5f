#include "side/core/side_config.h"

#include <QtGlobal>

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
