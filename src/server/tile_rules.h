#pragma once

#include "game_state.h"

#include <QList>
#include <functional>

class Outbox;

// What both rule sets share: the deal's data, the messages of a move, the move
// log, the adjacency test and the course of a pick. Each rule set deals a
// round, draws a seat's current and next tile, and gives the steps of a pick
// where the rules differ; Server passes picks on only while a round is in play.
class TileRules {
public:
    // `endround` is called with the slot when a seat's board is empty after a move.
    using RoundEnd = std::function<void(int slot)>;

    TileRules(GameState& game, Outbox& out, RoundEnd endround);
    virtual ~TileRules() = default;

    virtual void settiles() = 0;
    virtual void setnexttile(int slot) = 0;
    // A pick of `slot` (a seat, 1 to 6); x and y come from the wire unchecked.
    // A pick off the board, of an empty cell or of a tile that does not match
    // is refused; otherwise the cell empties, the chain and trail move on, the
    // seat hears of its move, a bomb under the cell goes off, and the seat
    // draws its next tile. What differs between the rule sets are the steps below.
    void selecttile(int slot, int x, int y);

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

    // Whether a tile the seat picks (never empty) may go with its current tile.
    virtual bool matches(const tplayer& p, int cell) const = 0;
    // Steps the chain for a pick at (x, y); returns the chain value the move reports.
    virtual int chainstep(tplayer& p, int x, int y, int slot) = 0;
    // The points of the pick at (x, y), with a double or triple under it spent.
    virtual void score(tplayer& p, int x, int y) = 0;
    // The tile after next as the seat's sequence stands.
    virtual int preview(const tplayer& p) const = 0;
    // The bomb under the pick at (bx, by) goes off; its bonus is already gone.
    virtual void explode(int slot, int bx, int by) = 0;

    static int random(int n);
    // Empties the six boards, the sequence, then fills the board from `cell`
    // (x outer, y inner), putting each tile's copy at a random free position of
    // the first 36 sequence entries.
    void dealBoard(const std::function<int()>& cellCode, const std::function<int(int)>& sequenceCode);
    // Keeps seat 1's board as dealt and sends it to everybody.
    void sendDeal();
    // Places one bonus on a free cell (seat 1's layer decides) of all six layers.
    void placeBonus(int code, QList<CellCode>& placed);
    void sendBonuses(const QList<CellCode>& placed);
    // The whole grid as "x, y, code" cells, column by column.
    static void listCells(const Grid& grid, QList<CellCode>& cells);
    void startSeats();
    void sendremovetile(int slot, int x, int y, int movechain);
    // Clears the 3 x 3 block around a bomb, logging each tile, and returns the
    // cleared cells.
    QList<ToClient::Cell> clearAround(int slot, int bx, int by, BombMarks& marks, int& count, bool growChain);
    void sendbombed(int slot, const QList<ToClient::Cell>& cells);
    void sendnexttile(int slot, int preview);
    // The trail ends: its score is banked and a new one starts with this pick.
    static void endTrail(tplayer& p);

    GameState& m_game;
    Outbox& m_out;
    RoundEnd m_endround;
};
