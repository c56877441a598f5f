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

bool BoardGrid::readTriples(FieldReader& f, bool (*valid)(int),
                            const std::function<void(int x, int y, int code)>& apply)
{
    while (!f.atEnd()) {
        const auto x = f.nextInt();
        if (!x)
            return false;
        const auto y = f.nextInt();
        if (!y)
            return false;
        const auto code = f.lastInt();
        if (!code)
            return false;
        if (inside(*x, *y) && valid(*code))
            apply(*x, *y, *code);
    }
    return true;
}
