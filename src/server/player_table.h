#pragma once

#include "net/protocol_table.h"
#include "net/protocol_to_client.h"

#include <QByteArray>
#include <array>

// The server's own sizes, beside those both sides share: slot 10 only ever
// holds a connection that is being turned away, and a round's tile sequence
// has 70 entries.
namespace Table {
constexpr int RefusedSlot = 10;
constexpr int SequenceSize = 70;
} // namespace Table

// One entry of a seat's move log: a picked tile ("f") or a tile a bomb took
// ("t"). It is exactly an entry of the winner's path the clients replay.
using tmove = ToClient::PathEntry;

using Grid = std::array<std::array<int, Table::BoardSize>, Table::BoardSize>;

// The server's record of one slot. Boards and bonus layers are indexed [x][y].
struct tplayer {
    QByteArray name;
    bool connected = false;
    // The slot's connection has logged in. Only then does it act, and only then
    // does its seat count at the table (round end, best seat, winner): a
    // connection that has not logged in yet may sit on a departed player's record.
    bool loggedin = false;
    // Played by a bot from this machine: counted as a player, never a host.
    bool bot = false;
    int total = 0;
    bool watching = false;
    bool roundover = false;
    Grid board{};
    Grid bonus{};
    std::array<tmove, Table::MoveLogSize> moves{};
    int movecount = 0;
    int tile = 0;
    int nexttile = 0;
    int lastx = -1;
    int lasty = -1;
    int chain = 0;
    int trailscore = 0;
    int banked = 0;
    int tileindex = 0;
    int bombx = 100;
    int bomby = 100;
    int lastpoints = 0;

    // Appends to the move log; a full log ignores further entries (a board has
    // only 36 cells, so an honest round never gets there).
    void logmove(const tmove& move);
    bool boardEmpty() const;
    // Cells of the board holding exactly this code.
    int countTiles(int code) const;
};

// The `players` table: records 1 to 11 (record 0 unused, so slot numbers index it
// directly) and `slotcount`, the highest slot handed out so far.
struct PlayerTable {
    std::array<tplayer, 12> records{};
    int slotcount = 0;

    // Callers range-check slot numbers from the wire before they get here.
    tplayer& operator[](int slot);
    const tplayer& operator[](int slot) const;
    bool connected(int slot) const;
    bool loggedin(int slot) const;
};
