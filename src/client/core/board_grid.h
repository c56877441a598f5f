#pragma once

#include "net/field_reader.h"

#include <array>
#include <functional>

// One 6 × 6 board: a tile code and a bonus code per cell, indexed [x][y] with
// x the column from the left and y the row from the top, as every message
// gives them.
struct BoardGrid {
    static constexpr int Size = 6;
    // Pixels per cell on the 312 × 312 paint box.
    static constexpr int CellPixels = 52;
    static constexpr int BoxPixels = Size * CellPixels;

    static constexpr int Empty = -1;
    static constexpr int TrailMark = 0;
    static constexpr int Wild = 6;
    static constexpr int NoBonus = 0;
    static constexpr int Transport = 1;
    static constexpr int MaxBonus = 4;

    std::array<std::array<int, Size>, Size> tiles{};
    std::array<std::array<int, Size>, Size> bonus{};

    static bool inside(int x, int y) { return x >= 0 && x < Size && y >= 0 && y < Size; }
    // Codes a cell may hold: the ones the board can draw (or leave empty).
    static bool validTile(int code) { return code >= Empty && code <= Wild; }
    static bool validBonus(int code) { return code >= NoBonus && code <= MaxBonus; }

    void fillTiles(int code);
    void clearBonus();

    // Reads a list of "x+y+code" groups (the last code has no "+" after it) and
    // hands each group to `apply`. Groups naming no cell are skipped; so are
    // codes `valid` refuses. A field that is not a number ends the list and
    // gives false; the groups before it stay applied.
    static bool readTriples(FieldReader& f, bool (*valid)(int),
                            const std::function<void(int x, int y, int code)>& apply);
};
