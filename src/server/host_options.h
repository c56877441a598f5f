#pragma once

#include "gd_version.h"

#include <QByteArray>

// What the server reads from the copy that hosts it: the main window's option
// "Show Winner's Path" and the program's version text. The hosting window
// implements it; tests and headless hosts use FixedHostOptions.
class HostOptions {
public:
    virtual ~HostOptions() = default;
    virtual bool showWinnersPath() const = 0;
    // Compared byte for byte with the version a client sends at login.
    virtual QByteArray versionText() const = 0;
    // The table's name in the lists of games on the network; empty names a
    // hosting copy after its host.
    virtual QByteArray tableName() const { return {}; }
    // Whether the table answers those who look for games on the network.
    virtual bool listedOnNetwork() const { return true; }
};

class FixedHostOptions : public HostOptions {
public:
    bool showWinnersPath() const override { return winnersPath; }
    QByteArray versionText() const override { return version; }
    QByteArray tableName() const override { return name; }
    bool listedOnNetwork() const override { return listed; }

    bool winnersPath = true;
    QByteArray version = GD_VERSION_TEXT;
    QByteArray name;
    bool listed = true;
};
