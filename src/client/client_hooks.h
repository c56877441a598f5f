#pragma once

#include "net/protocol_to_client.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <functional>

// What the client's message handling needs from the parts of the main window
// that live in other libraries (chat view, sounds, settings, phrase bubble).
// The window that assembles the program fills them in; an empty hook does nothing.
struct ClientHooks {
    // `addlinetochat`: one chat line, "<text style>+<text>", in the given colour.
    // The client's own status lines use text style 0.
    std::function<void(const QString& line, const QColor& colour)> addlinetochat;
    // `chatrecieved`: a relayed chat or action line of `slot`, "text|colour".
    std::function<void(int slot, const QByteArray& text)> chatrecieved;
    // `playasound`: a relayed chatter sound.
    std::function<void(const ToClient::PlayASound& m)> playasound;
    // Appends one relayed phrase ("name says: text|colour") to the phrase queue.
    std::function<void(const QString& phrase)> queuephrase;
    // `loadinifile`: applies the settings file once our own connection is confirmed.
    std::function<void()> loadinifile;

    void addline(const QString& text, const QColor& colour) const
    {
        if (addlinetochat)
            addlinetochat(QStringLiteral("0+") + text, colour);
    }
};

// Colours of the client's own status lines.
namespace StatusColour {
inline QColor blue() { return QColor(0, 0, 255); }
inline QColor navy() { return QColor(0, 0, 128); }
inline QColor watching() { return QColor(156, 152, 120); }
} // namespace StatusColour
