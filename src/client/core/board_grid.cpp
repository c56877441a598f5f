#include "board_grid.h"

void BoardGrid::fillTiles(int code)
{
    for (auto& column : tiles)
        column.fill(code);
}

void BoardGrid::clearBonus()
{
    for (auto& column : bonus)
        column.fill(NoBonus);
}

void BoardGrid::applyCells(const QList<CellCode>& cells, bool (*valid)(int),
                           const std::function<void(int x, int y, int code)>& apply)
{
    for (const CellCode& c : cells)
        if (inside(c.x, c.y) && valid(c.code))
            apply(c.x, c.y, c.code);
}
