#pragma once

#include "net/table_listing.h"

struct GameState;

// What a table says of itself in the internet list: its seats and watchers
// as they stand, and whether a game runs.
class TableSummary {
public:
    // `name` is the table's cleaned name; `port` its game port.
    static TableListing of(const GameState& game, const QString& name, quint16 port);
};
