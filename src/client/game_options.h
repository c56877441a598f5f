#pragma once

// The player's options the game reads as it goes, and the settings file
// behind them.
class GameOptions {
public:
    virtual ~GameOptions() = default;

    // "Post High Score": a winning score good enough is offered to the score site.
    virtual bool postHighScore() const = 0;
    // "Show Winner's Path": the replay after each round.
    virtual bool showWinnersPath() const = 0;
    // `loadinifile`: applies the settings file once our own connection is confirmed.
    virtual void loadinifile() = 0;
};
