#pragma once

#include "seat_check.h"

#include "net/message_splitter.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// Stands between one player process and the game server: the player connects
// here, everything is passed on unchanged both ways, and what the server says
// to that seat goes through a SeatCheck on the way. One player at a time; the
// next game's player reuses the proxy.
class SeatProxy : public QObject {
    Q_OBJECT
public:
    SeatProxy(quint16 serverPort, QObject* parent = nullptr);

    quint16 port() const { return m_listener.serverPort(); }
    // A player is connected and has been given its slot.
    bool seated() const { return m_down && m_check.slot() != 0; }
    const SeatCheck& check() const { return m_check; }
    // Starts a game in the seated player's name (only seats may start one).
    // Call it while the player is idle, so it cannot fall inside one of its messages.
    void startGame(int mode);

signals:
    void slotGiven(int slot);

private:
    void accept();
    void fromPlayer();
    void fromServer();
    void hangUp();

    quint16 m_serverPort;
    QTcpServer m_listener;
    QPointer<QTcpSocket> m_down;
    QPointer<QTcpSocket> m_up;
    MessageSplitter m_splitter{0};
    SeatCheck m_check;
};
