#include "classic_rules.h"

#include "outbox.h"

#include "net/protocol.h"

#include <cstdlib>

void ClassicRules::classicsetrandom()
{
    const int wildlimit = 1 + random(3);
    int wilds = 0;
    dealBoard(
        [&] {
            int v = 1 + random(6);
            if (v == Tile::Wild && ++wilds > wildlimit)
                v = 1 + random(5);
            return v;
        },
        [](int v) { return v == Tile::Wild ? 1 + random(5) : v; });
}

void ClassicRules::classicsettiles()
{
    classicsetrandom();
    for (int i = 35; i < Table::SequenceSize; ++i)
        if (m_game.tilesequence[size_t(i)] == Tile::Empty)
            m_game.tilesequence[size_t(i)] = 1 + random(5);
    startSeats();
    sendDeal();

    QList<CellCode> list;
    list.reserve(9); // at most five transports, a bomb, two doubles and a triple
    const int transports = 1 + random(5);
    for (int i = 0; i < transports; ++i)
        placeBonus(Bonus::Transport, list);
    if (random(3) > 0)
        placeBonus(Bonus::Bomb, list);
    const int doubles = 1 + random(2);
    for (int i = 0; i < doubles; ++i)
        placeBonus(Bonus::Double, list);
    if (random(3) > 0)
        placeBonus(Bonus::Triple, list);
    sendBonuses(list);
}

void ClassicRules::draw(tplayer& p, int& value)
{
    if (p.tileindex >= 0 && p.tileindex < Table::SequenceSize)
        value = m_game.tilesequence[size_t(p.tileindex)];
    ++p.tileindex;
}

int ClassicRules::preview(const tplayer& p) const
{
    if (p.tileindex >= 0 && p.tileindex < Table::SequenceSize)
        return m_game.tilesequence[size_t(p.tileindex)];
    return p.nexttile;
}

bool ClassicRules::scanBoard(const tplayer& p, int& fallback) const
{
    bool good = false;
    for (int x = 0; x < Table::BoardSize; ++x) {
        for (int y = 0; y < Table::BoardSize; ++y) {
            const int cell = p.board[x][y];
            if (cell == Tile::Empty)
                continue;
            fallback = cell == Tile::Wild ? 1 + random(4) : cell;
            if (cell == p.tile || cell == Tile::Wild) {
                good = true;
                break;
            }
        }
    }
    return good;
}

void ClassicRules::advance(tplayer& p)
{
    int fallback = p.tile;
    bool good = false;
    do {
        p.tile = p.nexttile;
        draw(p, p.nexttile);
        good = scanBoard(p, fallback) || p.tile == Tile::Wild;
    } while (!good && p.tileindex <= 69);
    if (p.tileindex > 69)
        p.tile = fallback;
}

void ClassicRules::fixNext(tplayer& p)
{
    bool good = false;
    do {
        if (p.nexttile == Tile::Wild)
            good = true;
        else if (p.nexttile == p.tile)
            good = p.countTiles(p.nexttile) >= 2;
        else
            good = p.countTiles(p.nexttile) > 0;
        if (!good)
            draw(p, p.nexttile);
    } while (!good && p.tileindex <= 69);
}

void ClassicRules::classicsetnexttile(int slot)
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

bool ClassicRules::onBombRing(const tplayer& p, int x, int y)
{
    const int dx = std::abs(x - p.bombx);
    const int dy = std::abs(y - p.bomby);
    return (dx == 2 && dy <= 2) || (dy == 2 && dx <= 2);
}

int ClassicRules::chainstep(tplayer& p, int x, int y, int slot)
{
    if (p.lastx == -1) {
        const int found = p.chain;
        p.chain = 1;
        p.trailscore = 0;
        p.lastpoints = 0;
        return found;
    }
    if (p.bombx != 100 && onBombRing(p, x, y)) {
        ++p.chain;
        p.bombx = 100;
        p.bomby = 100;
    } else if (p.bonus[x][y] == Bonus::Transport) {
        ++p.chain;
    } else if (p.bonus[p.lastx][p.lasty] == Bonus::Transport) {
        p.bonus[p.lastx][p.lasty] = Bonus::None;
        ++p.chain;
    } else if (checkforlast(x, y, slot)) {
        ++p.chain;
    } else {
        endTrail(p);
    }
    return p.chain;
}

void ClassicRules::score(tplayer& p, int x, int y)
{
    int& bonus = p.bonus[x][y];
    if (bonus == Bonus::Double || bonus == Bonus::Triple) {
        const int factor = bonus == Bonus::Double ? 2 : 3;
        p.lastpoints = (p.lastpoints + 10) * factor;
        p.chain *= factor;
        p.trailscore += p.lastpoints;
        bonus = Bonus::None;
    } else if (bonus != Bonus::Bomb) {
        // A bomb's pick scores nothing itself; the bomb scores its tiles.
        p.lastpoints += 10;
        p.trailscore += p.lastpoints;
    }
}

bool ClassicRules::matches(const tplayer& p, int cell) const
{
    return cell == p.tile || cell == Tile::Wild;
}

void ClassicRules::explode(int slot, int bx, int by)
{
    tplayer& p = m_game.players[slot];
    // The ring around this bomb carries the trail on for the next pick.
    p.bombx = bx;
    p.bomby = by;
    classicbombit(slot, bx, by);
}

void ClassicRules::classicbombit(int slot, int bx, int by)
{
    tplayer& p = m_game.players[slot];
    if (p.lastpoints == 0)
        p.lastpoints = 10;
    int count = 1;
    BombMarks marks;
    const QList<ToClient::Cell> cells = clearAround(slot, bx, by, marks, count, false);
    if (!cells.isEmpty()) {
        if (marks.firstDouble) {
            p.chain *= 2;
            p.lastpoints *= 2;
        }
        if (marks.secondDouble) {
            p.chain *= 2;
            p.lastpoints *= 2;
        }
        if (marks.triple) {
            p.chain *= 3;
            p.lastpoints *= 3;
        }
    }
    p.trailscore += p.lastpoints * count;
    p.lastpoints *= count;
    if (!cells.isEmpty())
        sendbombed(slot, cells);
}
