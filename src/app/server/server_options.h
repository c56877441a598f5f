#pragma once

#include "bot/bot_level.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// How the dedicated server was asked to run.
struct ServerOptions {
    quint16 port = 7772;
    // Empty: every IPv4 and IPv6 address.
    QString listen;
    bool winnersPath = true;
    int bots = 0;
    BotLevel botLevel = BotLevel::Normal;
    // The table's name in the lists of games on the network (cleaned as a
    // player's name is); the machine's host name unless given.
    QString name;
    // Whether the table answers those who look for games on the network.
    bool discovery = true;
    // The operator's console socket; empty: none.
    QString admin;
    // The ban list's file; empty: bans last until the table stops.
    QString bans;
    // Set: send this to the console at `admin` and print the answer, instead
    // of running a table.
    QString command;
    // The internet table list to register with; empty: none.
    QUrl registerUrl;

    // What the command line asks for: run, or print help or the version and
    // leave with 0, or print the usage and an error and leave with 2.
    enum class Action { Run, Help, Version, Error };
    struct Parsed;
    // `arguments` includes the program name first.
    static Parsed parse(const QStringList& arguments);
    // A table name as lists show it.
    static QString cleanName(const QString& typed);
};

struct ServerOptions::Parsed {
    Action action = Action::Run;
    ServerOptions options;
    // Help text, version line, or error plus usage.
    QString text;
};
