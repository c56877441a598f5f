#include "standard_rules.h"

#include "outbox.h"

#include "net/protocol.h"

int StandardRules::sequence(int index) const
{
    if (index < 0 || index >= Table::SequenceSize)
        return Tile::Wild;
    return m_game.tilesequence[size_t(index)];
}

void StandardRules::setrandom()
{
    dealBoard([] { return 1 + random(5); }, [](int v) { return v; });
}

void StandardRules::settiles()
{
    setrandom();
    // One to six wild tiles replace board tiles' copies in the sequence.
    for (int i = 0; i < 6; ++i)
        m_game.tilesequence[size_t(random(36))] = Tile::Wild;
    for (int i = 35; i < Table::SequenceSize; ++i)
        if (m_game.tilesequence[size_t(i)] == Tile::Empty)
            m_game.tilesequence[size_t(i)] = 1 + random(6);
    startSeats();
    sendDeal();

    QList<CellCode> list;
    list.reserve(9); // at most five transports, a bomb, two doubles and a triple
    for (int i = 0; i < 5; ++i)
        placeBonus(Bonus::Transport, list);
    placeBonus(Bonus::Bomb, list);
    placeBonus(Bonus::Double, list);
    placeBonus(Bonus::Double, list);
    placeBonus(Bonus::Triple, list);
    sendBonuses(list);
}

void StandardRules::advance(tplayer& p)
{
    bool good = false;
    do {
        p.tile = p.nexttile;
        p.nexttile = sequence(p.tileindex);
        ++p.tileindex;
        good = p.tile == Tile::Wild || p.countTiles(p.tile) > 0;
    } while (!good && p.tileindex <= 69);
    if (p.tileindex > 69)
        p.tile = Tile::Wild;
}

void StandardRules::fixNext(tplayer& p)
{
    bool good = false;
    do {
        if (p.nexttile == Tile::Wild)
            good = true;
        else if (p.nexttile == p.tile)
            good = p.countTiles(p.nexttile) >= 2; // one for this pick, one for the next
        else
            good = p.countTiles(p.nexttile) > 0;
        if (!good) {
            p.nexttile = sequence(p.tileindex);
            ++p.tileindex;
        }
    } while (!good && p.tileindex <= 69);
    if (p.tileindex > 69)
        p.nexttile = Tile::Wild;
}

void StandardRules::setnexttile(int slot)
{
    tplayer& p = m_game.players[slot];
    p.roundover = false;
    if (p.boardEmpty()) {
        m_endround(slot);
        return;
    }
    advance(p);
    fixNext(p);
    sendnexttile(slot, preview(p));
}

int StandardRules::chainstep(tplayer& p, int x, int y, int slot)
{
    if (p.lastx == -1) {
        // First pick of the round: the move still reports the chain it found (0).
        const int found = p.chain;
        p.chain = 1;
        p.trailscore = 0;
        p.lastpoints = 0;
        return found;
    }
    if (p.bonus[x][y] == Bonus::Transport) {
        ++p.chain;
    } else if (p.bonus[p.lastx][p.lasty] == Bonus::Transport) {
        p.bonus[p.lastx][p.lasty] = Bonus::None;
        ++p.chain;
    } else if (p.bonus[x][y] == Bonus::Bomb || checkforlast(x, y, slot)) {
        ++p.chain;
    } else {
        endTrail(p);
    }
    return p.chain;
}

void StandardRules::score(tplayer& p, int x, int y)
{
    int& bonus = p.bonus[x][y];
    if (bonus == Bonus::Double || bonus == Bonus::Triple) {
        const int factor = bonus == Bonus::Double ? 2 : 3;
        p.chain *= factor;
        p.lastpoints = p.chain * 10;
        p.trailscore = (p.trailscore + p.lastpoints) * factor;
        bonus = Bonus::None;
    } else {
        p.lastpoints = p.chain * 10;
        p.trailscore += p.lastpoints;
    }
}

bool StandardRules::matches(const tplayer& p, int cell) const
{
    return cell == p.tile || p.tile == Tile::Wild;
}

int StandardRules::preview(const tplayer& p) const
{
    return sequence(p.tileindex);
}

void StandardRules::explode(int slot, int bx, int by)
{
    bombit(slot, bx, by);
    // The spent bomb carries the trail on from wherever the next pick is.
    m_game.players[slot].bonus[bx][by] = Bonus::Transport;
}

void StandardRules::bombit(int slot, int bx, int by)
{
    tplayer& p = m_game.players[slot];
    int count = 1;
    BombMarks marks;
    const QList<ToClient::Cell> cells = clearAround(slot, bx, by, marks, count, true);
    p.lastpoints = p.chain * 10;
    p.trailscore += p.lastpoints * count;
    if (marks.firstDouble) {
        p.chain *= 2;
        p.trailscore *= 2;
    }
    if (marks.secondDouble) {
        p.chain *= 2;
        p.trailscore *= 2;
    }
    if (marks.triple) {
        p.chain *= 3;
        p.trailscore *= 3;
    }
    if (!cells.isEmpty())
        sendbombed(slot, cells);
}
