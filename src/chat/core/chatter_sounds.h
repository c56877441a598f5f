#pragma once

#include "net/protocol_to_client.h"

#include <QByteArray>
#include <QString>

#include <optional>

class ChatSink;
class SoundPlayer;

// The twenty chatter sounds a player sends to everybody. A client whose
// "Play Chatter Sounds" is ticked hears them; the others read a chat line
// naming the sound instead.
class ChatterSounds {
public:
    static constexpr int Count = 20;

    // Who sits in the seats, for the line shown in place of a sound.
    class Seats {
    public:
        virtual ~Seats() = default;
        // The name the seat's row shows; nothing when the slot has no row.
        virtual std::optional<QString> playerName(int slot) const = 0;
    };

    // Lines naming a sound go to `chat`; `seats` and `chat` must outlive this.
    ChatterSounds(SoundPlayer& player, const Seats& seats, ChatSink& chat);

    void setChatterSounds(bool on) { m_hear = on; }
    bool chatterSounds() const { return m_hear; }

    // `playasound`: a relayed chatter sound of the player in `slot`.
    void playasound(const ToClient::PlayASound& m);

    // Caption (and hint) of sound item `code` 1 ... 20; empty for other codes.
    static QString caption(int code);
    // The item code of a sound name "wave1" ... "wave20" in any letter case; 0 if none.
    static int codeOfName(const QString& name);
    // The message a sound item sends, or empty when nothing is sent: the
    // "<Cancel>" item, a watcher (slot above 6), or before logging in.
    static QByteArray request(int code, int myslot, bool loggedin);

private:
    SoundPlayer& m_player;
    const Seats& m_seats;
    ChatSink& m_chat;
    bool m_hear = false;
};
