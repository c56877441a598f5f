#pragma once

#include <QByteArray>
#include <QString>

class SeatNames;

// What the game view needs of the client's connection: who we are, who sits
// in the seats, and a way to send. The client session is one; tests bring their own.
class GameLink {
public:
    virtual ~GameLink() = default;

    virtual int myslot() const = 0;
    virtual bool loggedin() const = 0;
    // This copy may start games and remove players: it hosts, or the table
    // gave it the host's powers.
    virtual bool holdsHostPowers() const = 0;
    virtual QString myname() const = 0;
    // The seats' names as the server announced them; the score panel shows them.
    virtual const SeatNames& seatNames() const = 0;
    // 1 standard, 2 classic; 0 before any game.
    virtual int gamemode() const = 0;
    virtual void setGamemode(int mode) = 0;
    // Sends one finished message; the connection sends only while logged in
    // (false when it did not).
    virtual bool send(const QByteArray& message) = 0;
};
