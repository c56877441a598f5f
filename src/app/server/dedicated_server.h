#pragma once

#include "event_log.h"
#include "server_options.h"

#include "bot/bot_seats.h"
#include "server/host_options.h"

#include <QObject>
#include <memory>

class Server;

// One table without a display: the game server with the host's options from
// the command line, a log of what happens, and the bot seats. It has no seat
// of its own, so the host's powers go to the person seated longest (a bot
// never holds them); the bots sit down once the first person has logged in.
class DedicatedServer : public QObject, private ServerObserver {
    Q_OBJECT
public:
    DedicatedServer(const ServerOptions& options, std::FILE* log, QObject* parent = nullptr);
    ~DedicatedServer() override;

    // Starts listening; false (with the reason logged) when it cannot.
    bool start();
    quint16 port() const;
    // Closes every connection, the bots' included.
    void stop();

    Server& server() { return *m_server; }
    BotSeats& bots() { return m_bots; }
    // Multiplies the bots' natural pace (tests and measurements).
    void setBotSpeed(double speed) { m_bots.setSpeed(speed); }

private:
    // Fills the bot seats up to the number asked for.
    void seatBots();
    QString botAddress() const;

    void connected(int slot, const QString& address) override;
    void refused(const QString& address) override;
    void dropped(int slot, const QString& reason) override;
    void loggedIn(int slot, const QByteArray& name) override;
    void left(int slot, const QByteArray& name) override;
    void gameStarted(const QByteArray& starter, int mode) override;
    void roundEnded(int round, const QList<SeatScore>& scores) override;
    void winner(const QByteArray& name) override;

    ServerOptions m_options;
    EventLog m_log;
    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
    BotSeats m_bots;
    bool m_stopped = false;
};
