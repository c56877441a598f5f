#pragma once

#include <QString>

// Where the side features reach outside the program. Each value is the build's
// configuration, and the web host may be overridden at run time, so a player can
// point the game at a local score site.
class SideConfig {
public:
    // host[:port] of the maker's web server: GLOOPDASH_WEB_HOST, else the build's GD_WEB_HOST.
    static QString webHost();
    // The lobby program that "Play with Others" starts (the build's GD_LOBBY_PATH).
    static QString lobbyPath();
    // The program that runs a downloaded installer (GD_INSTALLER_RUNNER); empty means
    // the installer is started as a program of its own.
    static QString installerRunner();
};
