#pragma once

#include "client/core/game_phase.h"
#include "client_parts.h"
#include "net/protocol_table.h"

#include <QObject>
#include <QTimer>
#include <functional>

class BoardView;
class GameModel;
class GameOverlays;
class ScorePanel;
class StatusAnnouncer;

// The flow of a game on screen: its start, each round ("mission") with its
// countdown, the end of a seat's round with the reason, the phrase bubble, and
// the winner with the high-score offer and the tally. The table decides all of
// it and the game model holds it; this only shows what the model announces.
class TurnFlow : public QObject {
    Q_OBJECT
public:
    // Phrases wait while `replayRunning` says the winner's path steps.
    TurnFlow(GameModel& model, ScorePanel& score, GameOverlays& overlays, BoardView& boardView,
             std::function<bool()> replayRunning, const ClientParts& parts, QObject* parent = nullptr);

    // Starts the sleeping clock again for something it must take away (a
    // popup, a phrase); it sleeps until the first deal of the program's run.
    void wake();
    // One tick of the one-second clock `Timer2`.
    void Timer2Timer();
    QTimer& timer2() { return m_timer2; }
    // Where turn events are said for assistive technology.
    StatusAnnouncer* announcer() const { return m_announcer; }

private:
    void gameStarted(const QString& starter, GameMode mode);
    void roundStarted(int mission, int slot);
    void turnEnded(int slot, int reason);
    void gameWon(const QString& name);
    // A new board arrived: the countdown restarts and the clock runs from now on.
    void startCountdown();
    bool isMe(const QString& name) const;
    void tallyWinner(const QString& name);
    void showWinner(const QString& name, bool me);
    void showNextPhrase();
    // The clock sleeps once nothing it drives is on screen or waiting.
    void stopWhenIdle();
    void showTurnOver(int reason);
    void markCurrentPlayer(int slot);
    void offerHighScore(int myslot, int total);
    void recordGame(int myslot, const QString& winnerName);

    GameModel& m_model;
    ScorePanel& m_score;
    GameOverlays& m_overlays;
    BoardView& m_boardView;
    std::function<bool()> m_replayRunning;
    ClientParts m_parts;
    // Owned by the score panel, which outlives the flow.
    StatusAnnouncer* m_announcer;
    // Phrases wait for the first deal to switch the clock on, as they always have.
    bool m_clockStarted = false;
    QTimer m_timer2;
    int m_phrasetick = 0;
};
