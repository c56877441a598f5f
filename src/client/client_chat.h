#pragma once

#include "chat/core/chat_sink.h"
#include "net/protocol_to_client.h"

#include <QColor>

// What the client's message handling needs of the chat: its lines, and the
// chatter sounds other players send.
class ClientChat : public ChatSink {
public:
    // `playasound`: a relayed chatter sound, heard or shown as a line.
    virtual void playasound(const ToClient::PlayASound& m) = 0;
};

// Colours of the client's own status lines.
namespace StatusColour {
inline QColor blue()
{
    return QColor(0, 0, 255);
}
inline QColor navy()
{
    return QColor(0, 0, 128);
}
inline QColor watching()
{
    return QColor(156, 152, 120);
}
} // namespace StatusColour
