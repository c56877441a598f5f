#pragma once

#include "side/core/tally_table.h"

#include <QString>

// The tally as the game feeds it: the player's best numbers, the games won and
// lost against each player, and who plays in the current game.
class TallyFeed {
public:
    virtual ~TallyFeed() = default;

    // The numbers shown beside "High Score:" and "Highest Trail:".
    virtual QString tallyHighScore() const = 0;
    virtual QString tallyHighestTrail() const = 0;
    // `addword`: a new best in the own row's HighScore or HighestTrail column.
    virtual void addword(const QString& text, TallyTable::OwnColumn column) = 0;
    // `addgame`: a finished game another player (`winner`) won.
    virtual void addgame(const QString& winner) = 0;
    // A finished game the local player won: one more game and one more win.
    virtual void addwongame() = 0;
    // `loadchecklist`: refills "Players In Current Game".
    virtual void loadchecklist() = 0;
};
