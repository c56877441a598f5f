#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class BanFile;
class EventLog;
class Server;

// What the operator's console may ask of the table, one command a line:
// list, kick NAME, ban NAME [MINUTES], unban NAME-OR-ADDRESS, bans, say TEXT.
// Every answer's first line begins "ok" or "error"; rows may follow.
class AdminCommands {
public:
    // Longest ban that may be asked for in minutes (ten years); longer is "for good".
    static constexpr int MaxMinutes = 10 * 365 * 24 * 60;

    AdminCommands(Server& server, BanFile& bans, const EventLog& log) : m_server(server), m_bans(bans), m_log(log) { }

    // The answer's lines to one command line (without its line end).
    QStringList run(const QString& line);

private:
    QStringList list() const;
    QStringList kick(const QString& name);
    QStringList ban(const QString& arguments);
    QStringList unban(const QString& key);
    QStringList bans();
    QStringList say(const QString& text);

    // The logged-in player of this name (case aside); 0 when none.
    int slotNamed(const QString& name) const;
    // Writes the ban file; the answer to a change that could not be kept.
    QStringList saved(const QString& done);

    Server& m_server;
    BanFile& m_bans;
    const EventLog& m_log;
};
