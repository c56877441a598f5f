#pragma once

#include "protocol_shapes.h"

// The messages a client sends to the server. Each struct builds its exact
// wire bytes (`bytes()`, terminator included) and reads itself back from a
// payload (`decode`, nullopt when malformed). `slot` is always the sender's own
// slot as the server gave it; the server checks it against the connection.
namespace ToServer {

// In answer to CMD_sendlogininfo: the version text is compared byte for byte
// with the server's; the name is the rest of the message.
struct LoginInfo {
    static constexpr Command command = Command::logininfo;
    int slot = 0;
    QByteArray version;
    QByteArray name;

    QByteArray bytes() const;
    static std::optional<LoginInfo> decode(FieldReader& f);
    friend bool operator==(const LoginInfo&, const LoginInfo&) = default;
};

// The host asks to remove the connection in `target`.
struct KickHim {
    static constexpr Command command = Command::kickhim;
    int slot = 0;
    int target = 0;

    QByteArray bytes() const;
    static std::optional<KickHim> decode(FieldReader& f);
    friend bool operator==(const KickHim&, const KickHim&) = default;
};

// A seat switched between watching (JustWatch::Watch) and playing (JustWatch::Play).
// `seat` is the seat to switch, not necessarily the sender's own.
struct JustWatch {
    static constexpr Command command = Command::justwatch;
    static constexpr int Watch = 1;
    static constexpr int Play = 2;
    int seat = 0;
    int value = 0;

    QByteArray bytes() const;
    static std::optional<JustWatch> decode(FieldReader& f);
    friend bool operator==(const JustWatch&, const JustWatch&) = default;
};

// A pick of the cell (x, y).
struct SelectTile {
    static constexpr Command command = Command::selecttile;
    int slot = 0;
    int x = 0;
    int y = 0;

    QByteArray bytes() const;
    static std::optional<SelectTile> decode(FieldReader& f);
    friend bool operator==(const SelectTile&, const SelectTile&) = default;
};

// The game-start button. Read from the right: the starter's name may contain "+".
struct StartGame {
    static constexpr Command command = Command::startgame;
    QByteArray name;
    int mode = 0;

    QByteArray bytes() const;
    static std::optional<StartGame> decode(FieldReader& f);
    friend bool operator==(const StartGame&, const StartGame&) = default;
};

// Typed lines: the text, "|", then the colour as text. An action line has its
// "/me " removed; a phrase starts with " says: ".
using Chat = SlotText<Command::chat>;
using Action = SlotText<Command::action>;
using Phrase = SlotText<Command::phrase>;

// A chatter sound: `text` is relayed as it is; clients send "wave<n>+" (the
// sound's name and a closing "+"), which `wave` builds.
using PlayASound = SlotText<Command::playasound>;
PlayASound wave(int slot, int sound);

} // namespace ToServer
