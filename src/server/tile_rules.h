#pragma once

#include "game_state.h"

#include <QByteArray>
#include <functional>

class Outbox;

// What both rule sets share: the deal's data, the messages of a move, the move
// log and the adjacency test. Each rule set deals a round, draws a seat's
// current and next tile, and resolves a pick; Server passes picks on only while
// a round is in play.
class TileRules {
public:
    // `endround` is called with the slot when a seat's board is empty after a move.
    using RoundEnd = std::function<void(int slot)>;

    TileRules(GameState& game, Outbox& out, RoundEnd endround);
    virtual ~TileRules() = default;

    virtual void settiles() = 0;
    virtual void setnexttile(int slot) = 0;
    // slot is a seat (1 to 6); x and y come from the wire unchecked.
    virtual void selecttile(int slot, int x, int y) = 0;

    // True when (x, y) touches the seat's previous pick, diagonals included.
    bool checkforlast(int x, int y, int slot) const;
    // Refuses a pick; only the picking slot hears of it.
    void refuse(int slot);

protected:
    struct BombMarks {
        bool firstDouble = false;
        bool secondDouble = false;
        bool triple = false;
        void take(int bonus);
    };

    static int random(int n);
    // Empties the six boards, the sequence, then fills the board from `cell`
    // (x outer, y inner), putting each tile's copy at a random free position of
    // the first 36 sequence entries.
    void dealBoard(const std::function<int()>& cellCode, const std::function<int(int)>& sequenceCode);
    void buildTilesmsg();
    // Places one bonus on a free cell (seat 1's layer decides) of all six layers.
    void placeBonus(int code, QByteArray& list);
    void sendBonuses(const QByteArray& list);
    void startSeats();
    void sendremovetile(int slot, int x, int y, int movechain);
    // Clears the 3 x 3 block around a bomb, logging each tile, and returns the
    // cleared cells as a message list.
    QByteArray clearAround(int slot, int bx, int by, BombMarks& marks, int& count, bool growChain);
    void sendbombed(int slot, const QByteArray& cells);
    void sendnexttile(int slot, int preview);
    // The trail ends: its score is banked and a new one starts with this pick.
    static void endTrail(tplayer& p);
    static QByteArray group(int a, int b);
    static QByteArray group(int a, int b, int c);

    GameState& m_game;
    Outbox& m_out;
    RoundEnd m_endround;
};
