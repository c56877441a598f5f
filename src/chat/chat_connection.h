#pragma once

#include <QByteArray>
#include <functional>

// What the chat needs of the client's connection to the game server. The main
// window fills it from its session; until it does, the chat counts as not
// logged in and sends nothing.
struct ChatConnection {
    // `loggedin`: true once the login reply has gone out.
    std::function<bool()> loggedIn;
    // `myslot`: the slot the server gave this client.
    std::function<int()> mySlot;
    // Sends one finished message (terminator included) on the server connection.
    std::function<void(const QByteArray& message)> send;

    bool ready() const { return loggedIn && mySlot && send && loggedIn(); }
};
