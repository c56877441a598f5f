#pragma once

#include "base/game_mode.h"

// Sizes of the game table and the codes a board cell can carry, as both sides
// of the wire count them.
namespace Table {
// Slots 1 to 6 are the seats of the game, 7 to 9 spectators.
inline constexpr int Seats = 6;
inline constexpr int MaxSlots = 9;
inline constexpr int FirstSpectator = Seats + 1;
inline constexpr int Spectators = MaxSlots - Seats;
// Boards are 6 × 6, x the column from the left and y the row from the top.
inline constexpr int BoardSize = 6;
// One entry per cell: the longest move log a round can produce, and the number
// of entries every winner's path carries.
inline constexpr int MoveLogSize = BoardSize * BoardSize;

constexpr bool isSlot(int slot)
{
    return slot >= 1 && slot <= MaxSlots;
}
constexpr bool isSeat(int slot)
{
    return slot >= 1 && slot <= Seats;
}
constexpr bool isSpectator(int slot)
{
    return slot >= FirstSpectator && slot <= MaxSlots;
}
constexpr bool onBoard(int x, int y)
{
    return x >= 0 && x < BoardSize && y >= 0 && y < BoardSize;
}
} // namespace Table

// Tile codes: 0 an empty cell, 1 to 5 the five kinds, 6 the wild tile.
namespace Tile {
inline constexpr int Empty = 0;
inline constexpr int Kinds = 5;
inline constexpr int Wild = 6;

constexpr bool isCode(int code)
{
    return code >= Empty && code <= Wild;
}
} // namespace Tile

// Bonus codes of the layer dealt over the board.
namespace Bonus {
inline constexpr int None = 0;
inline constexpr int Transport = 1;
inline constexpr int Bomb = 2;
inline constexpr int Double = 3;
inline constexpr int Triple = 4;

constexpr bool isCode(int code)
{
    return code >= None && code <= Triple;
}
} // namespace Bonus
