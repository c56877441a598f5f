#pragma once

#include "client/core/score_order.h"
#include "client_parts.h"
#include "net/protocol_to_client.h"

#include <QObject>
#include <QTimer>
#include <functional>

class BoardModel;
class BoardView;
class GameLink;
class GameOverlays;
class PathReplayPanel;
class ScorePanel;
class StatusAnnouncer;

// The flow of a game on screen: its start, each round ("mission") with its
// countdown, the end of a seat's round with the reason, the scores and their
// order, the phrase bubble, and the winner with the high-score offer and the
// tally. The server decides all of it; this only shows it.
class TurnFlow : public QObject {
    Q_OBJECT
public:
    static constexpr int RoundSeconds = 90;

    // Phrases wait while `replayRunning` says the winner's path steps.
    TurnFlow(ScorePanel& score, GameOverlays& overlays, BoardModel& board, BoardView& boardView,
             std::function<bool()> replayRunning, GameLink& link, const ClientParts& parts, QObject* parent = nullptr);

    void startthegame(const ToClient::StartGame& m);
    // Logged in while a game runs: shows how many missions it has.
    void joinedRunningGame(int mode);
    void getnextplayer(const ToClient::NextPlayer& m);
    void turnover(const ToClient::TurnOver& m);
    void postscores(const ToClient::PostScores& m);
    void winner(const ToClient::Winner& m);

    // A new board arrived: the countdown restarts and the clock runs from now on.
    void startCountdown();
    // Empties scores, round results and the board mirror.
    void clearall();
    // Sorts the rows by total, empty rows last, and moves them into place.
    void reorderRows();
    // Starts the sleeping clock again for something it must take away (a
    // popup, a phrase); it sleeps until the first deal of the program's run.
    void wake();
    // The local seat sits out (or plays again): no turn is announced to it.
    void setWatching(bool watching) { m_watching = watching; }
    // Between a game's start (or the first round seen) and its winner.
    bool gameRunning() const { return m_gameRunning; }
    // Appends a relayed phrase ("name  says: text|colour") to the bubble's
    // queue; past the queue's limit it is dropped.
    void queuephrase(const QString& phrase);
    // One tick of the one-second clock `Timer2`.
    void Timer2Timer();

    int timeleft() const { return m_timeleft; }
    bool gamestarted() const { return m_gamestarted; }
    const ScoreOrder& scoreorder() const { return m_scoreorder; }
    QTimer& timer2() { return m_timer2; }
    // Where turn events are said for assistive technology.
    StatusAnnouncer* announcer() const { return m_announcer; }

signals:
    // A new game began: the server has seated every watcher again.
    void newGame();

private:
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

    ScorePanel& m_score;
    GameOverlays& m_overlays;
    BoardModel& m_board;
    BoardView& m_boardView;
    std::function<bool()> m_replayRunning;
    GameLink& m_link;
    ClientParts m_parts;
    // Owned by the score panel, which outlives the flow.
    StatusAnnouncer* m_announcer;
    // Phrases wait for the first deal to switch the clock on, as they always have.
    bool m_clockStarted = false;
    QTimer m_timer2;
    int m_timeleft = 0;
    bool m_gamestarted = false;
    int m_phrasetick = 0;
    ScoreOrder m_scoreorder;
    // Missions of the game as its start said; 0 when we saw no start.
    int m_missions = 0;
    bool m_gameRunning = false;
    bool m_watching = false;
};
