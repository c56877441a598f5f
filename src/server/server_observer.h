#pragma once

#include "base/game_mode.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One seat's standing when a round ends.
struct SeatScore {
    int slot = 0;
    QByteArray name;
    int total = 0;
    // The round's result.
    int result = 0;
};

// What happens at the table, for a host that keeps a log. Called on the
// server's thread, in the middle of the server's own handling: an observer
// may read the table but must not send, close or start anything there.
class ServerObserver {
public:
    virtual ~ServerObserver() = default;
    virtual void connected(int slot, const QString& address) = 0;
    // Turned away at once: all nine slots are taken.
    virtual void refused(const QString& address) = 0;
    // About to be closed by the server: flooding, an overlong message, or
    // removed by the host, or replaced by the same player's new login.
    // Its leaving follows.
    virtual void dropped(int slot, const QString& reason) = 0;
    virtual void loggedIn(int slot, const QByteArray& name) = 0;
    // `name` is empty when the connection never logged in.
    virtual void left(int slot, const QByteArray& name) = 0;
    virtual void gameStarted(const QByteArray& starter, GameMode mode) = 0;
    // Connected seats, in slot order.
    virtual void roundEnded(int round, const QList<SeatScore>& scores) = 0;
    virtual void winner(const QByteArray& name) = 0;
};
