#pragma once

#include "chat/chat_connection.h"

#include <QByteArrayList>

// A stand-in for the client's server connection: records what the chat sends.
struct FakeChatLink {
    bool loggedIn = true;
    int slot = 3;
    QByteArrayList sent;

    ChatConnection connection()
    {
        return {[this] { return loggedIn; }, [this] { return slot; },
                [this](const QByteArray& message) { sent << message; }};
    }
};

inline QByteArray wire(const char* text)
{
    return QByteArray(text) + char(0xFF);
}
