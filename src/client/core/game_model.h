#pragma once

#include "board_model.h"
#include "client_session.h"
#include "game_phase.h"
#include "game_seats.h"
#include "net/protocol_to_client.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

// The client's game: the session and everything the table has told us about
// the game, with one owner. The message table updates only this; the windows
// observe its signals (one per change, and one per event they announce) and
// never keep a copy of their own or read a value back from a widget.
class GameModel : public QObject {
    Q_OBJECT
public:
    // Seconds of a seat's round, from the deal of its board.
    static constexpr int RoundSeconds = 90;
    // Phrases waiting for the speech bubble; more are dropped, since the bubble
    // shows one every few seconds and a flood would never drain.
    static constexpr int MaxWaitingPhrases = 10;
    // Missions of a game of each mode, for a game joined after its start.
    static constexpr int StandardMissions = 3;
    static constexpr int ClassicMissions = 6;

    // `session`: the connection to use; a fresh one when null.
    explicit GameModel(std::unique_ptr<ClientSession> session = nullptr, QObject* parent = nullptr);
    ~GameModel() override;

    ClientSession& session() { return *m_session; }
    const ClientSession& session() const { return *m_session; }
    int myslot() const { return m_session->myslot(); }
    bool loggedin() const { return m_session->loggedin(); }
    QString myname() const { return m_session->myname(); }
    // Sends one finished message while logged in; false when it did not.
    bool send(const QByteArray& message) { return m_session->send(message); }

    const GameSeats& seats() const { return m_seats; }
    const BoardModel& board() const { return m_board; }
    GameMode mode() const { return m_mode; }
    // Missions of the game as its start said; 0 when we saw no start.
    int missions() const { return m_missions; }
    // The mission being played; 0 before the first round.
    int mission() const { return m_mission; }
    GamePhase phase() const { return m_phase; }
    // From a game's start (or the first sign of a running game) to its
    // winner: leaving now abandons it, and "Just Watch" is taken.
    bool gameRunning() const;
    int timeLeft() const { return m_timeLeft; }
    // The tile after the next one, as the table last showed it.
    int afterNextTile() const { return m_afterNext; }
    // The local seat sits out.
    bool watching() const { return m_seats.watching(myslot()); }
    // This copy runs the table's server.
    bool hosting() const { return m_hosting; }
    // The slot the table says starts games and removes players; 0 for nobody,
    // or a table that does not say.
    int hostSlot() const { return m_hostSlot; }
    // Whether we start games and remove players: this copy runs the server, or
    // the table named our slot.
    bool holdsHostPowers() const;
    // Relayed phrases waiting for the speech bubble, oldest first.
    const QStringList& phrases() const { return m_phrases; }

    // What the table says about who is there.
    void playerArrived(int slot, const QString& name);
    void playerLeft(int slot, const QString& name);
    void seatWatching(int slot, bool watching);
    // What the table says about the game.
    void startGame(const ToClient::StartGame& m);
    void loadStats(const ToClient::LoadStats& m);
    void nextPlayer(const ToClient::NextPlayer& m);
    void turnOver(const ToClient::TurnOver& m);
    void postScores(const ToClient::PostScores& m);
    void winner(const ToClient::Winner& m);
    void queuePhrase(const QString& phrase);
    // What the table says about our board.
    void setTiles(const ToClient::SetTiles& m);
    void setBonus(const ToClient::SetBonus& m);
    void setNextTile(const ToClient::SetNextTile& m);
    void setAfterNextTile(const ToClient::SetNnTile& m);
    void removeTile(const ToClient::RemoveTile& m);
    void bombed(const ToClient::Bombed& m);
    void refused(const ToClient::Error& m);

    // A release at pixel (px, py) of the board's paint box: a pick when the rules allow.
    void pick(int px, int py);
    // One second of the round clock.
    void tick();
    // The oldest waiting phrase, taken off the queue.
    std::optional<QString> takePhrase();

    void setHosting(bool hosting);
    void setHostSlot(int slot);
    // Back to an empty table, not hosting: before hosting or joining another game.
    void leaveTable();

signals:
    void modeChanged(GameMode mode);
    void missionsChanged(int missions);
    void missionChanged(int mission);
    void phaseChanged(GamePhase phase);
    void gameRunningChanged(bool running);
    void timeLeftChanged(int seconds);
    void currentPlayerChanged(int slot);
    void afterNextTileChanged(int tile);
    void watchingChanged(bool watching);
    void hostingChanged(bool hosting);
    void hostPowersChanged(bool held);
    void phraseQueued(const QString& phrase);
    void phraseTaken();

    // Events, in the order the table announced them.
    void playerConnected(int slot, const QString& name);
    // `seatName`: whom the seat showed before it emptied ("<Waiting>" for a spectator's slot).
    void playerDisconnected(int slot, const QString& name, const QString& seatName);
    void watchingAnnounced(int slot, bool watching);
    // The first start of a game; `starter` as the table named them.
    void gameStarted(const QString& starter, GameMode mode);
    void roundStarted(int mission, int slot);
    void turnEnded(int slot, int reason);
    void gameWon(const QString& name);
    // A new board was dealt to us: its countdown runs from now.
    void dealt();
    // What a board message or a pick changed, for the board's view.
    void boardUpdated(const BoardEffects& effects);
    // Every seat emptied and the board cleared: we left the table.
    void tableLeft();

private:
    void freeRowsLeftAfterGame();
    void setPhase(GamePhase phase);
    void setMode(GameMode mode);
    void setMissions(int missions);
    void setMission(int mission);
    void setTimeLeft(int seconds);
    void setCurrentPlayer(int slot);
    void applyBoard(const BoardEffects& effects);
    void seatWatchingChanged(int slot, bool watching);
    void updateHostPowers();
    void resetGame();

    std::unique_ptr<ClientSession> m_session;
    GameSeats m_seats;
    BoardModel m_board;
    GameMode m_mode = GameMode::None;
    int m_missions = 0;
    int m_mission = 0;
    GamePhase m_phase = GamePhase::NoGame;
    // Seats whose player left after the game's end; their rows go at the next start.
    std::array<bool, Table::Seats + 1> m_leftAfterGame{};
    int m_timeLeft = 0;
    int m_afterNext = 0;
    bool m_hosting = false;
    int m_hostSlot = 0;
    bool m_hostPowers = false;
    QStringList m_phrases;
};
