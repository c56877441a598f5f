#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the game keeps a player's files and finds the files it ships.
//
// - GLOOPDASH_HOME, when set, holds the settings, the tally, the player's own
//   tile sets and downloads: several copies on one machine each get their own.
// - A copy run from its build folder keeps them beside the program, as it
//   always has.
// - An installed copy (its shipped data lies in share/gloopdash beside its bin
//   folder) never writes into its prefix: settings go to
//   $XDG_CONFIG_HOME/gloopdash, everything else the player makes to
//   $XDG_DATA_HOME/gloopdash (by default ~/.config and ~/.local/share).
// The shipped tile sets are read from the build folder or share/gloopdash,
// whichever holds the program, also when GLOOPDASH_HOME is set.
class PlayerFolders {
public:
    // The folders of this program: its own binary's folder and environment.
    static PlayerFolders forThisProgram();

    // programFolder: the folder of the game's binary.
    PlayerFolders(const QString& programFolder, const QProcessEnvironment& environment);

    bool isInstalled() const { return m_installed; }
    // Holds the settings file.
    QString settingsFolder() const;
    // Holds the tally, the player's own tile sets and downloads.
    QString dataFolder() const;
    // Holds the tile sets shipped with the game.
    QString shippedFolder() const { return m_shipped; }

    // Where an installed binary finds its shipped data, relative to its folder.
    static QString installedDataPath();

private:
    QString xdgFolder(const char* variable, const QString& fallback) const;

    QString m_program;
    QProcessEnvironment m_env;
    bool m_installed = false;
    QString m_shipped;
};
