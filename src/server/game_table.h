#pragma once

#include "classic_rules.h"
#include "game_clock.h"
#include "game_state.h"
#include "standard_rules.h"

#include "net/protocol_to_server.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <array>

class HostOptions;
class Outbox;
class ServerObserver;

// The game table: starting a game, dealing rounds, the round clock and the
// pause, round-end scores and the best seat's path, the winner, and seats that
// sit out. Runs on the players of `game`; sends through `out`.
class GameTable {
public:
    GameTable(GameState& game, Outbox& out, const HostOptions& host);

    // A game-start request of `slot`. The game is announced under the name the
    // slot sits under, not the one written in the message. A mode other than 1
    // or 2 drops the message.
    void startgame(int slot, const ToServer::StartGame& m);
    void startgame(const QByteArray& name, GameMode mode);
    // Whether `slot` may start a game now: a logged-in seat while no game runs,
    // only the holder of the host's powers while one does; spectators never.
    bool maystart(int slot, bool holdsHost) const;
    // `slot` has just logged in. A seat that left this game under the same name
    // (case-insensitive) gets its total back; any other starts from nothing.
    // Either way it sits out the round in play and is dealt in at the next one.
    void join(int slot);
    // `slot`'s connection has closed. A seat's total is kept for a rejoin until
    // the game ends, and a round that only this seat held open ends now.
    void leave(int slot);
    void findplayer();
    void endround(int slot);
    bool checkall() const;
    void Timer1Timer();
    void postpath();
    bool checkforwin();
    // `slot` is the seat to switch (1 to 6), `value` "1" to watch, "2" to play.
    void justwatch(int slot, int value);
    // A pick of `slot`, taken only while a round is in play; a spectator's, or
    // a watching seat's, is refused.
    void selecttile(int slot, int x, int y);

    // Back to the table before a first game: the clock stopped, no deal, no
    // totals kept for a rejoin; a seat that has logged in is as it was right
    // after its login, any other slot that is not connected as if never used.
    void reset();

    // Told of game starts, round ends and the winner; may be null.
    void setObserver(ServerObserver* observer) { m_observer = observer; }

    // Totals kept for seats that left the running game: at most DepartedKept,
    // as the names are the peers' choice; past it the smallest total goes.
    static constexpr int DepartedKept = 32;
    qsizetype departedCount() const { return m_departed.size(); }

    GameClock& Timer1() { return m_timer1; }
    RoundPhase phase() const { return m_timer1.Tag; }
    TileRules& rules();

private:
    void bankRound(int seat);
    // The round's end once no seat in play has its board left: scores, the
    // best path, the pause.
    void finishround();
    // Ends the round in play when no seat still plays it (everyone left has
    // cleared its board or watches).
    void endIfNobodyPlays();
    int pauseLength() const;
    void startPause();
    void reportRound() const;
    void keepDeparted(const QByteArray& name, int total);

    GameState& m_game;
    Outbox& m_out;
    const HostOptions& m_host;
    StandardRules m_standard;
    ClassicRules m_classic;
    GameClock m_timer1;
    // Totals of seats that left the running game, by case-folded name.
    QHash<QString, int> m_departed;
    // Seats told this round that their board is cleared.
    std::array<bool, Table::Seats + 1> m_cleared{};
    ServerObserver* m_observer = nullptr;
};
