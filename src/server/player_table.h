#pragma once

#include <QByteArray>
#include <array>

// Sizes of the game table. Slots 1 to 6 are the seats, 7 to 9 spectators; slot
// 10 only ever holds a connection that is being turned away.
namespace Table {
constexpr int Seats = 6;
constexpr int MaxSlots = 9;
constexpr int RefusedSlot = 10;
constexpr int BoardSize = 6;
constexpr int MoveLogSize = 36;
constexpr int SequenceSize = 70;

constexpr bool isSlot(int slot) { return slot >= 1 && slot <= MaxSlots; }
constexpr bool isSeat(int slot) { return slot >= 1 && slot <= Seats; }
constexpr bool onBoard(int x, int y) { return x >= 0 && x < BoardSize && y >= 0 && y < BoardSize; }
} // namespace Table

// Tile and bonus codes shared by both rule sets.
namespace Tile {
constexpr int Empty = 0;
constexpr int Wild = 6;
} // namespace Tile
namespace Bonus {
constexpr int None = 0;
constexpr int Transport = 1;
constexpr int Bomb = 2;
constexpr int Double = 3;
constexpr int Triple = 4;
} // namespace Bonus

// One entry of a seat's move log: a picked tile ("f") or a tile a bomb took ("t").
struct tmove {
    int x = -1;
    int y = -1;
    int chain = -1;
    int points = -1;
    int score = -1;
    int tile1 = 0;
    int tile2 = 0;
    QByteArray kind = "f";
};

using Grid = std::array<std::array<int, Table::BoardSize>, Table::BoardSize>;

// The server's record of one slot. Boards and bonus layers are indexed [x][y].
struct tplayer {
    QByteArray name;
    bool connected = false;
    // The slot's connection has logged in. Only then does it act, and only then
    // does its seat count at the table (round end, best seat, winner): a
    // connection that has not logged in yet may sit on a departed player's record.
    bool loggedin = false;
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
