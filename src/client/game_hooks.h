#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <functional>

// What the game view needs from the parts of the program that live elsewhere:
// sounds, chat lines, the options menu, the tally list and the
// high-score poster. The window that assembles the program fills them in; an
// empty hook does nothing (an empty option reads as its default).
struct GameHooks {
    // `playsounds`: a game sound by its lower-case name ("remove", "bomb", ...).
    std::function<void(const QString& name)> playsounds;
    // `addlinetochat`: "<text style>+<text>" in a colour; the view's own lines use style 0.
    std::function<void(const QString& line, const QColor& colour)> addlinetochat;
    // Refills the tally list's "Players In Current Game".
    std::function<void()> loadchecklist;
    // Options "Post High Score" (off when empty) and "Show Winner's Path" (on when empty).
    std::function<bool()> postHighScore;
    std::function<bool()> showWinnersPath;

    // Tally list: the numbers it shows beside "High Score:" and "Highest Trail:",
    // and its operations.
    std::function<QString()> tallyHighScore;
    std::function<QString()> tallyHighestTrail;
    std::function<void(const QString& text, int column)> addword;
    std::function<void(const QString& winner)> addgame;
    std::function<void(int column)> addtomine;
    // High-score poster: name, date "m/d/yy", score, game mode.
    std::function<void(const QString& name, const QString& date, const QString& score, int mode)> sendscore;
    // Today's date (the clock unless a test says otherwise).
    std::function<QDate()> today;

    void sound(const QString& name) const
    {
        if (playsounds)
            playsounds(name);
    }
    void line(const QString& text, const QColor& colour) const
    {
        if (addlinetochat)
            addlinetochat(QStringLiteral("0+") + text, colour);
    }
    bool winnersPathShown() const { return !showWinnersPath || showWinnersPath(); }
};
