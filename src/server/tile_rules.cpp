#include "tile_rules.h"

#include "net/game_random.h"
#include "net/protocol.h"
#include "outbox.h"

#include <cstdlib>
#include <span>

TileRules::TileRules(GameState& game, Outbox& out, RoundEnd endround)
    : m_game(game), m_out(out), m_endround(std::move(endround))
{
}

bool TileRules::checkforlast(int x, int y, int slot) const
{
    const tplayer& p = m_game.players[slot];
    const int dx = std::abs(x - p.lastx);
    const int dy = std::abs(y - p.lasty);
    return dx <= 1 && dy <= 1 && (dx != 0 || dy != 0);
}

void TileRules::BombMarks::take(int bonus)
{
    if (bonus == Bonus::Double) {
        if (firstDouble)
            secondDouble = true;
        else
            firstDouble = true;
    } else if (bonus == Bonus::Triple) {
        triple = true;
    }
}

int TileRules::random(int n)
{
    return GameRandom::random(n);
}

void TileRules::refuse(int slot)
{
    m_out.sendto(slot, ToClient::Error{}.bytes());
}

void TileRules::selecttile(int slot, int x, int y)
{
    tplayer& p = m_game.players[slot];
    if (!Table::onBoard(x, y)) {
        refuse(slot);
        return;
    }
    const int cell = p.board[x][y];
    if (cell == Tile::Empty || !matches(p, cell)) {
        refuse(slot);
        return;
    }
    p.board[x][y] = Tile::Empty;
    const int movechain = chainstep(p, x, y, slot);
    p.lastx = x;
    p.lasty = y;
    score(p, x, y);
    sendremovetile(slot, x, y, movechain);
    p.logmove({tmove::Picked, x, y, movechain, p.lastpoints, p.banked + p.trailscore, p.nexttile, preview(p)});
    if (p.bonus[x][y] == Bonus::Bomb) {
        p.bonus[x][y] = Bonus::None;
        explode(slot, x, y);
    }
    setnexttile(slot);
}

void TileRules::dealBoard(const std::function<int()>& cellCode, const std::function<int(int)>& sequenceCode)
{
    m_game.tilesequence.fill(Tile::Empty);
    // Every cell of seat 1's board is dealt; the other seats get copies.
    Grid& board = m_game.players[1].board;
    for (int x = 0; x < Table::BoardSize; ++x) {
        for (int y = 0; y < Table::BoardSize; ++y) {
            const int v = cellCode();
            board[x][y] = v;
            int pos = random(36);
            while (m_game.tilesequence[size_t(pos)] != Tile::Empty)
                pos = random(36);
            m_game.tilesequence[size_t(pos)] = sequenceCode(v);
        }
    }
    for (int seat = 2; seat <= Table::Seats; ++seat)
        m_game.players[seat].board = board;
}

void TileRules::listCells(const Grid& grid, QList<CellCode>& cells)
{
    // Sized once and written in place: appending cell by cell cost more than
    // the rest of a deal's bookkeeping.
    cells.resize(qsizetype(Table::BoardSize) * Table::BoardSize);
    const std::span<CellCode> out(cells.data(), size_t(cells.size()));
    size_t at = 0;
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y)
            out[at++] = {x, y, grid[size_t(x)][size_t(y)]};
}

void TileRules::sendDeal()
{
    listCells(m_game.players[1].board, m_game.dealtTiles);
    m_out.sendall(ToClient::SetTiles{m_game.dealtTiles}.bytes());
}

void TileRules::placeBonus(int code, QList<CellCode>& placed)
{
    int x = random(6);
    int y = random(6);
    while (m_game.players[1].bonus[x][y] != Bonus::None) {
        x = random(6);
        y = random(6);
    }
    for (int seat = 1; seat <= Table::Seats; ++seat)
        m_game.players[seat].bonus[x][y] = code;
    placed.append({x, y, code});
}

void TileRules::sendBonuses(const QList<CellCode>& placed)
{
    m_out.sendall(ToClient::SetBonus{placed}.bytes());
    listCells(m_game.players[1].bonus, m_game.dealtBonus);
}

void TileRules::startSeats()
{
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        m_game.players[seat].tileindex = 1;
        m_game.players[seat].nexttile = m_game.tilesequence[0];
    }
}

void TileRules::sendremovetile(int slot, int x, int y, int movechain)
{
    const tplayer& p = m_game.players[slot];
    m_out.sendto(slot, ToClient::RemoveTile{slot, x, y, movechain, p.trailscore, p.lastpoints, p.total}.bytes());
}

QList<ToClient::Cell> TileRules::clearAround(int slot, int bx, int by, BombMarks& marks, int& count, bool growChain)
{
    tplayer& p = m_game.players[slot];
    QList<ToClient::Cell> cells;
    for (int cx = bx - 1; cx <= bx + 1; ++cx) {
        for (int cy = by - 1; cy <= by + 1; ++cy) {
            if (!Table::onBoard(cx, cy) || p.board[cx][cy] <= Tile::Empty)
                continue;
            p.board[cx][cy] = Tile::Empty;
            p.logmove({tmove::Bombed, cx, cy, 0, 0, p.banked + p.trailscore, p.tile, p.nexttile});
            if (growChain)
                ++p.chain;
            ++count;
            const int bonus = p.bonus[cx][cy];
            if (bonus == Bonus::Double || bonus == Bonus::Triple) {
                marks.take(bonus);
                p.bonus[cx][cy] = Bonus::None;
            }
            cells.append({cx, cy});
        }
    }
    return cells;
}

void TileRules::sendbombed(int slot, const QList<ToClient::Cell>& cells)
{
    const tplayer& p = m_game.players[slot];
    m_out.sendto(slot, ToClient::Bombed{slot, p.chain, p.trailscore, p.lastpoints, p.total, cells}.bytes());
}

void TileRules::sendnexttile(int slot, int preview)
{
    // A deal draws for all six seats; an empty seat's tiles reach nobody.
    if (!m_game.players.connected(slot))
        return;
    const tplayer& p = m_game.players[slot];
    m_out.sendto(slot, ToClient::SetNextTile{p.tile, p.nexttile}.bytes());
    m_out.sendto(slot, ToClient::SetNnTile{preview}.bytes());
}

void TileRules::endTrail(tplayer& p)
{
    p.chain = 1;
    p.banked += p.trailscore;
    p.trailscore = 0;
    p.lastpoints = 0;
}
