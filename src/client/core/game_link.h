#pragma once

#include <QByteArray>
#include <QString>

// What the game needs of the client's connection: who we are and a way to
// send. The client session is one; tests bring their own.
class GameLink {
public:
    virtual ~GameLink() = default;

    virtual int myslot() const = 0;
    virtual bool loggedin() const = 0;
    virtual QString myname() const = 0;
    // Sends one finished message; the connection sends only while logged in
    // (false when it did not).
    virtual bool send(const QByteArray& message) = 0;
};
