#pragma once

#include "classic_rules.h"
#include "game_clock.h"
#include "game_state.h"
#include "standard_rules.h"

#include <QByteArray>

class HostOptions;
class Outbox;
class ServerObserver;

// The game table: starting a game, dealing rounds, the round clock and the
// pause, round-end scores and the best seat's path, the winner, and seats that
// sit out. Runs on the players of `game`; sends through `out`.
class GameTable {
public:
    GameTable(GameState& game, Outbox& out, const HostOptions& host);

    // Payload of CMD_startgame: starter's name (may contain "+"), mode, empty rest.
    // A mode other than 1 or 2 drops the message.
    void startgame(const QByteArray& payload);
    void startgame(const QByteArray& name, int mode);
    void findplayer();
    void endround(int slot);
    bool checkall() const;
    void Timer1Timer();
    void postpath();
    bool checkforwin();
    // `slot` is the seat to switch (1 to 6), `value` "1" to watch, "2" to play.
    void justwatch(int slot, int value);
    // A pick of `slot` (a seat), taken only while a round is in play.
    void selecttile(int slot, int x, int y);

    // Told of game starts, round ends and the winner; may be null.
    void setObserver(ServerObserver* observer) { m_observer = observer; }

    GameClock& Timer1() { return m_timer1; }
    int phase() const { return m_timer1.Tag; }
    TileRules& rules();

private:
    void bankRound(int seat);
    int pauseLength() const;
    void startPause();
    QByteArray pathOf(const tplayer& p) const;
    void reportRound() const;

    GameState& m_game;
    Outbox& m_out;
    const HostOptions& m_host;
    StandardRules m_standard;
    ClassicRules m_classic;
    GameClock m_timer1;
    ServerObserver* m_observer = nullptr;
};
