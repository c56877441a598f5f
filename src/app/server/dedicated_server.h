#pragma once

#include "admin_commands.h"
#include "ban_file.h"
#include "event_log.h"
#include "server_options.h"

#include "bot/bot_seats.h"
#include "server/host_options.h"

#include <QObject>
#include <memory>

class AdminSocket;
class Server;
class TableRegistrar;

// One table without a display: the game server with the host's options from
// the command line, a log of what happens, and the bot seats. It has no seat
// of its own, so the host's powers go to the person seated longest (a bot
// never holds them); the bots sit down once the first person has logged in.
// The operator may have a console socket and a ban list kept in a file.
class DedicatedServer : public QObject, private ServerObserver {
    Q_OBJECT
public:
    DedicatedServer(const ServerOptions& options, std::FILE* log, QObject* parent = nullptr);
    ~DedicatedServer() override;

    // Reads the ban list, starts listening for players and opens the
    // console; false (with the reason logged) when any of them fails.
    bool start();
    quint16 port() const;
    // Closes every connection, the bots' included, and takes the table off
    // the internet list; `stopped` follows once that is done.
    void stop();

    Server& server() { return *m_server; }
    BotSeats& bots() { return m_bots; }
    BanFile& bans() { return m_banFile; }
    // Multiplies the bots' natural pace (tests and measurements).
    void setBotSpeed(double speed) { m_bots.setSpeed(speed); }
    // Null unless the table registers with an internet table list.
    TableRegistrar* registrar() const { return m_registrar.get(); }

signals:
    void stopped();

private:
    // Fills the bot seats up to the number asked for.
    void seatBots();
    QString botAddress() const;
    bool loadBans();
    bool openConsole();

    void connected(int slot, const QString& address) override;
    void refused(const QString& address) override;
    void dropped(int slot, const QString& reason) override;
    void loggedIn(int slot, const QByteArray& name) override;
    void left(int slot, const QByteArray& name) override;
    void gameStarted(const QByteArray& starter, GameMode mode) override;
    void roundEnded(int round, const QList<SeatScore>& scores) override;
    void winner(const QByteArray& name) override;
    // Players or the game's state changed: the internet list hears of it.
    void tableChanged();

    ServerOptions m_options;
    EventLog m_log;
    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
    BotSeats m_bots;
    BanFile m_banFile;
    std::unique_ptr<AdminCommands> m_commands;
    std::unique_ptr<AdminSocket> m_console;
    std::unique_ptr<TableRegistrar> m_registrar;
    bool m_stopped = false;
};
