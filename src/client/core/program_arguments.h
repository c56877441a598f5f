#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's command line: nothing (a solo game), or the player's name, the
// host's address and the host flag, with options anywhere among them:
// "--port N" (or "--port=N") for the port to host on, "--help" and
// "--version". The address of a join may carry its own port (HOST:PORT).
struct ProgramArguments {
    // The name, address and flag, in order, options taken out.
    QStringList players;
    std::optional<quint16> port;
    bool help = false;
    bool version = false;
    // Set for an option that cannot be used, such as a port that is no number.
    QString error;

    static ProgramArguments parse(const QStringList& arguments);
    // What --help prints.
    static QString usage();
};
