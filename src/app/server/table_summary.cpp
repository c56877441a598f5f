#include "table_summary.h"
#include "gd_version.h"

#include "net/protocol_table.h"
#include "server/game_state.h"

TableListing TableSummary::of(const GameState& game, const QString& name, quint16 port)
{
    TableListing t;
    t.port = port;
    t.name = name;
    t.seats = Table::Seats;
    for (int slot = 1; slot <= Table::MaxSlots; ++slot) {
        if (!game.players.loggedin(slot))
            continue;
        if (Table::isSeat(slot)) {
            ++t.players;
            t.bots += game.players[slot].bot ? 1 : 0;
        } else {
            ++t.watchers;
        }
    }
    t.state = game.gamerunning ? QStringLiteral("playing") : QStringLiteral("waiting");
    t.mode = GameModes::name(game.gamemode);
    // Before the first game the table plays no missions yet.
    const bool started = game.gamemode != GameMode::None;
    t.missions = started ? game.rounds : 0;
    t.mission = started ? qBound(0, game.round, t.missions) : 0;
    t.version = QStringLiteral(GD_VERSION_TEXT);
    return t;
}
