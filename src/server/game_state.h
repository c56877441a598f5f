#pragma once

#include "player_table.h"

#include <QByteArray>
#include <QList>
#include <array>

// Everything the round flow and the tile rules share: the player table and the
// current game's values and deal.
struct GameState {
    PlayerTable players;
    bool gamerunning = false;
    GameMode gamemode = GameMode::None;
    int rounds = 3;
    int round = 0;
    int countdown = 0;
    std::array<int, Table::SequenceSize> tilesequence{};
    // The round's board (every cell) and whole bonus layer as dealt, resent at
    // the round's end for the path replay.
    QList<CellCode> dealtTiles;
    QList<CellCode> dealtBonus;
};
