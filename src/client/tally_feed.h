#pragma once

#include <QString>

// The tally list as the game feeds it: the player's best numbers, the games
// won and lost against each player, and who plays in the current game.
class TallyFeed {
public:
    virtual ~TallyFeed() = default;

    // The numbers shown beside "High Score:" and "Highest Trail:".
    virtual QString tallyHighScore() const = 0;
    virtual QString tallyHighestTrail() const = 0;
    // `addword`: a new best number in a column (3 high score, 4 highest trail).
    virtual void addword(const QString& text, int column) = 0;
    // `addgame`: a finished game's winner ("addtomine" when it was us).
    virtual void addgame(const QString& winner) = 0;
    // `addtomine`: counts one more in our own column.
    virtual void addtomine(int column) = 0;
    // `loadchecklist`: refills "Players In Current Game".
    virtual void loadchecklist() = 0;
};
