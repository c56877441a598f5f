#pragma once

#include "protocol_shapes.h"
#include "protocol_table.h"

#include <array>

// The messages the server sends to its clients. Each struct builds its exact
// wire bytes (`bytes()`, terminator included) and reads itself back from a
// payload (`decode`, nullopt when malformed).
namespace ToClient {

// Sessions.
using Full = NoFields<Command::full>;
using WrongVersion = NoFields<Command::wrongversion>;
// Sent to a removed slot just before its connection is closed.
using Kicked = NoFields<Command::kicked>;
// The table is closing on purpose (its host left, or it was stopped): the
// connection ends next, and is no broken link to come back to.
using Closing = NoFields<Command::closing>;
using NewPlayerInfo = SlotText<Command::newplayerinfo>;
using ExistingPlayers = SlotText<Command::existingplayers>;
using PlayerDisconnected = SlotText<Command::playerdisconnected>;
// The newcomer's name, to the host.
using HaveWrongVersion = TextOnly<Command::havewrongversion>;

// Relays. Chat: the sender's name, " chats: ", the text as received; action:
// name, a blank, the text; a phrase carries no slot; a sound's text is relayed
// as it came.
using Chat = SlotText<Command::chat>;
using Action = SlotText<Command::action>;
using PlayASound = SlotText<Command::playasound>;
// The sound a relayed chatter sound names: its text up to the first "+" (a
// client sends "wave<n>+").
QByteArray soundName(const PlayASound& m);
// A line of the table itself rather than of a player: slot 0, which clients
// show in their own status style, headed "Server:" and in blue like their own
// status lines. A "|" in the text would end the line early at a client, so it
// becomes "¦".
Chat tableLine(const QByteArray& text);
using Phrase = TextOnly<Command::phrase>;
using Winner = TextOnly<Command::winner>;

// The slot the server gave a new connection.
struct SendLoginInfo {
    static constexpr Command command = Command::sendlogininfo;
    int slot = 0;

    QByteArray bytes() const;
    static std::optional<SendLoginInfo> decode(FieldReader& f);
    friend bool operator==(const SendLoginInfo&, const SendLoginInfo&) = default;
};

// The slot that holds the host's powers (starting a game, removing a player),
// 0 when nobody does. Copies that predate it ignore the word.
struct Host {
    static constexpr Command command = Command::host;
    int slot = 0;

    QByteArray bytes() const;
    static std::optional<Host> decode(FieldReader& f);
    friend bool operator==(const Host&, const Host&) = default;
};

// A game is running as a newcomer logs in.
struct LoadStats {
    static constexpr Command command = Command::loadstats;
    int mode = 0;

    QByteArray bytes() const;
    static std::optional<LoadStats> decode(FieldReader& f);
    friend bool operator==(const LoadStats&, const LoadStats&) = default;
};

// A game starts. Read from the right: the starter's name may contain "+".
struct StartGame {
    static constexpr Command command = Command::startgame;
    QByteArray name;
    int mode = 0;
    int rounds = 0;

    QByteArray bytes() const;
    static std::optional<StartGame> decode(FieldReader& f);
    friend bool operator==(const StartGame&, const StartGame&) = default;
};

// A round begins; each seat gets its own slot.
struct NextPlayer {
    static constexpr Command command = Command::nextplayer;
    int round = 0;
    int slot = 0;

    QByteArray bytes() const;
    static std::optional<NextPlayer> decode(FieldReader& f);
    friend bool operator==(const NextPlayer&, const NextPlayer&) = default;
};

// The deal (every cell, x outer, y inner) and the bonuses placed; at a round's
// end the same deal and the whole bonus layer again for the path replay.
using SetTiles = CellCodes<Command::settiles>;
using SetBonus = CellCodes<Command::setbonus>;
using ResetTiles = CellCodes<Command::resettiles>;
using ResetBonus = CellCodes<Command::resetbonus>;

struct SetNextTile {
    static constexpr Command command = Command::setnexttile;
    int current = 0;
    int next = 0;

    QByteArray bytes() const;
    static std::optional<SetNextTile> decode(FieldReader& f);
    friend bool operator==(const SetNextTile&, const SetNextTile&) = default;
};

// The tile after next.
struct SetNnTile {
    static constexpr Command command = Command::setnntile;
    int tile = 0;

    QByteArray bytes() const;
    static std::optional<SetNnTile> decode(FieldReader& f);
    friend bool operator==(const SetNnTile&, const SetNnTile&) = default;
};

// A valid move: the cell, the chain, the trail score, this move's points and
// the game score.
struct RemoveTile {
    static constexpr Command command = Command::removetile;
    int slot = 0;
    int x = 0;
    int y = 0;
    int chain = 0;
    int trail = 0;
    int points = 0;
    int total = 0;

    QByteArray bytes() const;
    static std::optional<RemoveTile> decode(FieldReader& f);
    friend bool operator==(const RemoveTile&, const RemoveTile&) = default;
};

struct Cell {
    int x = 0;
    int y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// A bomb went off: the seat's values after it, then every cell it cleared.
struct Bombed {
    static constexpr Command command = Command::bombed;
    int slot = 0;
    int chain = 0;
    int trail = 0;
    int points = 0;
    int total = 0;
    QList<Cell> cells;

    QByteArray bytes() const;
    static std::optional<Bombed> decode(FieldReader& f);
    friend bool operator==(const Bombed&, const Bombed&) = default;
};

// A refused move; the server always sends code 3.
struct Error {
    static constexpr Command command = Command::error;
    static constexpr int RefusedMove = 3;
    int code = RefusedMove;

    QByteArray bytes() const;
    static std::optional<Error> decode(FieldReader& f);
    friend bool operator==(const Error&, const Error&) = default;
};

// A seat's round is over. Cleared: `value` is its next tile; out of time:
// `value` is its round result.
struct TurnOver {
    static constexpr Command command = Command::turnover;
    static constexpr int Cleared = 2;
    static constexpr int OutOfTime = 3;
    // The round ended early as every playing seat cleared its board: a seat
    // that sat it out (watching, or seated in the middle of it) stops its clock.
    static constexpr int EveryoneDone = 4;
    int slot = 0;
    int value = 0;
    int total = 0;
    int reason = 0;

    QByteArray bytes() const;
    static std::optional<TurnOver> decode(FieldReader& f);
    friend bool operator==(const TurnOver&, const TurnOver&) = default;
};

struct ScoreRow {
    int slot = 0;
    int total = 0;
    int result = 0;
    friend bool operator==(const ScoreRow&, const ScoreRow&) = default;
};

// The scores at a round's end, seats in order.
struct PostScores {
    static constexpr Command command = Command::postscores;
    QList<ScoreRow> rows;

    QByteArray bytes() const;
    static std::optional<PostScores> decode(FieldReader& f);
    friend bool operator==(const PostScores&, const PostScores&) = default;
};

// One entry of a winner's path: a picked tile ("f") or a tile a bomb took
// ("t"); unused entries read "f" with -1 in x, y, chain, points and score.
struct PathEntry {
    static constexpr QByteArrayView Picked{"f"};
    static constexpr QByteArrayView Bombed{"t"};
    // Always Picked or Bombed, whose bytes last as long as the program, so
    // the entry copies as plain bytes: a seat's move log of 36 entries is
    // reset every round, copied whole when the table is reset, and sent as
    // the winner's path.
    QByteArrayView kind = Picked;
    int x = -1;
    int y = -1;
    int chain = -1;
    int points = -1;
    int score = -1;
    int tile1 = 0;
    int tile2 = 0;
    friend bool operator==(const PathEntry&, const PathEntry&) = default;
};

// The round's best path: the name (which may contain "+"), the entries, the
// marker "s", the round result and an empty rest. The server sends all 36
// entries; a path that carries fewer is read with the name as the first field.
struct ThePath {
    static constexpr Command command = Command::thepath;
    static constexpr int FieldsPerEntry = 8;
    QByteArray name;
    QList<PathEntry> entries;
    int result = 0;

    QByteArray bytes() const;
    static std::optional<ThePath> decode(FieldReader& f);
    friend bool operator==(const ThePath&, const ThePath&) = default;
};

// A seat now watches (JustWatching::Watching) or plays again (JustWatching::Playing).
struct JustWatching {
    static constexpr Command command = Command::justwatching;
    static constexpr int Watching = 1;
    static constexpr int Playing = 2;
    int slot = 0;
    int value = 0;

    QByteArray bytes() const;
    static std::optional<JustWatching> decode(FieldReader& f);
    friend bool operator==(const JustWatching&, const JustWatching&) = default;
};

} // namespace ToClient
