#include "player_table.h"

#include <QtGlobal>

void tplayer::logmove(const tmove& move)
{
    if (movecount < 0 || movecount >= Table::MoveLogSize)
        return;
    moves[size_t(movecount)] = move;
    ++movecount;
}

bool tplayer::boardEmpty() const
{
    for (const auto& column : board)
        for (int cell : column)
            if (cell != Tile::Empty)
                return false;
    return true;
}

int tplayer::countTiles(int code) const
{
    int count = 0;
    for (const auto& column : board)
        for (int cell : column)
            if (cell == code)
                ++count;
    return count;
}

tplayer& PlayerTable::operator[](int slot)
{
    Q_ASSERT(slot >= 1 && slot < int(records.size()));
    return records[size_t(slot)];
}

const tplayer& PlayerTable::operator[](int slot) const
{
    Q_ASSERT(slot >= 1 && slot < int(records.size()));
    return records[size_t(slot)];
}

bool PlayerTable::connected(int slot) const
{
    return slot >= 1 && slot <= Table::MaxSlots && records[size_t(slot)].connected;
}

bool PlayerTable::loggedin(int slot) const
{
    return connected(slot) && records[size_t(slot)].loggedin;
}
