#pragma once

#include <QByteArray>

// What the chat needs of the client's connection to the game server.
class ChatConnection {
public:
    virtual ~ChatConnection() = default;

    // `loggedin`: true once the login reply has gone out.
    virtual bool loggedin() const = 0;
    // `myslot`: the slot the server gave this client.
    virtual int myslot() const = 0;
    // Sends one finished message (terminator included) on the server connection.
    virtual void send(const QByteArray& message) = 0;
};
