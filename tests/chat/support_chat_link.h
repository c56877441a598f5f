#pragma once

#include "chat/chat_connection.h"

#include <QByteArrayList>

// A stand-in for the client's server connection: records what the chat sends.
struct FakeChatLink : ChatConnection {
    bool loggedIn = true;
    int slot = 3;
    QByteArrayList sent;

    bool loggedin() const override { return loggedIn; }
    int myslot() const override { return slot; }
    void send(const QByteArray& message) override { sent << message; }
};

inline QByteArray wire(const char* text)
{
    return QByteArray(text) + char(0xFF);
}
