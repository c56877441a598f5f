#pragma once

#include "table_registrar.h"

#include "server/server_observer.h"

#include <QObject>
#include <memory>

class Server;

// A hosting copy's table on the internet table list: lives on the server's
// thread beside the server, refreshes the entry as players come and go and
// games start and end, and takes it off the list when it is deleted (waiting
// a moment for the list's answer, so the entry goes with the table).
class HostedListing : public QObject, private ServerObserver {
    Q_OBJECT
public:
    static constexpr int WithdrawWaitMs = 1000;

    HostedListing(Server& server, const QUrl& coordinator, const QString& name);
    ~HostedListing() override;

    TableRegistrar& registrar() { return m_registrar; }

private:
    void connected(int, const QString&) override { }
    void refused(const QString&) override { }
    void dropped(int, const QString&) override { }
    void loggedIn(int, const QByteArray&) override { m_registrar.changed(); }
    void left(int, const QByteArray&) override { m_registrar.changed(); }
    void gameStarted(const QByteArray&, GameMode) override { m_registrar.changed(); }
    void roundEnded(int, const QList<SeatScore>&) override { m_registrar.changed(); }
    void winner(const QByteArray&) override { m_registrar.changed(); }

    Server& m_server;
    TableRegistrar m_registrar;
};
