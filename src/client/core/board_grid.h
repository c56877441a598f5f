#pragma once

#include "net/protocol_to_client.h"

#include <array>
#include <functional>

// One 6 × 6 board: a tile code and a bonus code per cell, indexed [x][y] with
// x the column from the left and y the row from the top, as every message
// gives them.
struct BoardGrid {
    static constexpr int Size = Table::BoardSize;
    // Pixels per cell on the 312 × 312 paint box.
    static constexpr int CellPixels = 52;
    static constexpr int BoxPixels = Size * CellPixels;

    static constexpr int Empty = -1;
    static constexpr int TrailMark = 0;
    static constexpr int Wild = Tile::Wild;
    static constexpr int NoBonus = Bonus::None;
    static constexpr int Transport = Bonus::Transport;

    std::array<std::array<int, Size>, Size> tiles{};
    std::array<std::array<int, Size>, Size> bonus{};

    static bool inside(int x, int y) { return Table::onBoard(x, y); }
    // Codes a cell may hold: the ones the board can draw (or leave empty).
    static bool validTile(int code) { return code >= Empty && code <= Wild; }
    static bool validBonus(int code) { return Bonus::isCode(code); }

    void fillTiles(int code);
    void clearBonus();

    // Hands each group of a deal or bonus list to `apply`. Groups naming no cell
    // are skipped; so are codes `valid` refuses.
    static void applyCells(const QList<CellCode>& cells, bool (*valid)(int),
                           const std::function<void(int x, int y, int code)>& apply);
};
