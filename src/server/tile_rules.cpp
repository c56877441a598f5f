#include "tile_rules.h"

#include "net/game_random.h"
#include "net/message.h"
#include "outbox.h"

#include <cstdlib>

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
    m_out.sendto(slot, Message("CMD_error").field(3));
}

void TileRules::dealBoard(const std::function<int()>& cellCode, const std::function<int(int)>& sequenceCode)
{
    m_game.tilesequence.fill(Tile::Empty);
    for (int seat = 1; seat <= Table::Seats; ++seat)
        for (auto& column : m_game.players[seat].board)
            column.fill(Tile::Empty);
    for (int x = 0; x < Table::BoardSize; ++x) {
        for (int y = 0; y < Table::BoardSize; ++y) {
            const int v = cellCode();
            for (int seat = 1; seat <= Table::Seats; ++seat)
                m_game.players[seat].board[x][y] = v;
            int pos = random(36);
            while (m_game.tilesequence[size_t(pos)] != Tile::Empty)
                pos = random(36);
            m_game.tilesequence[size_t(pos)] = sequenceCode(v);
        }
    }
}

void TileRules::buildTilesmsg()
{
    const Grid& board = m_game.players[1].board;
    m_game.tilesmsg.clear();
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y)
            m_game.tilesmsg += group(x, y, board[x][y]);
}

void TileRules::placeBonus(int code, QByteArray& list)
{
    int x = random(6);
    int y = random(6);
    while (m_game.players[1].bonus[x][y] != Bonus::None) {
        x = random(6);
        y = random(6);
    }
    for (int seat = 1; seat <= Table::Seats; ++seat)
        m_game.players[seat].bonus[x][y] = code;
    list += group(x, y, code);
}

void TileRules::sendBonuses(const QByteArray& list)
{
    m_out.sendall(Message("CMD_setbonus").raw(list));
    const Grid& bonus = m_game.players[1].bonus;
    m_game.bonusmsg.clear();
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y)
            m_game.bonusmsg += group(x, y, bonus[x][y]);
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
    m_out.sendto(slot, Message("CMD_removetile").field(slot).field(x).field(y).field(movechain)
                           .field(p.trailscore).field(p.lastpoints).field(p.total));
}

QByteArray TileRules::clearAround(int slot, int bx, int by, BombMarks& marks, int& count, bool growChain)
{
    tplayer& p = m_game.players[slot];
    QByteArray cells;
    for (int cx = bx - 1; cx <= bx + 1; ++cx) {
        for (int cy = by - 1; cy <= by + 1; ++cy) {
            if (!Table::onBoard(cx, cy) || p.board[cx][cy] <= Tile::Empty)
                continue;
            p.board[cx][cy] = Tile::Empty;
            p.logmove({cx, cy, 0, 0, p.banked + p.trailscore, p.tile, p.nexttile, "t"});
            if (growChain)
                ++p.chain;
            ++count;
            const int bonus = p.bonus[cx][cy];
            if (bonus == Bonus::Double || bonus == Bonus::Triple) {
                marks.take(bonus);
                p.bonus[cx][cy] = Bonus::None;
            }
            cells += group(cx, cy);
        }
    }
    return cells;
}

void TileRules::sendbombed(int slot, const QByteArray& cells)
{
    const tplayer& p = m_game.players[slot];
    m_out.sendto(slot, Message("CMD_bombed").field(slot).field(p.chain).field(p.trailscore)
                           .field(p.lastpoints).field(p.total).raw(cells));
}

void TileRules::sendnexttile(int slot, int preview)
{
    const tplayer& p = m_game.players[slot];
    m_out.sendto(slot, Message("CMD_setnexttile").field(p.tile).field(p.nexttile));
    m_out.sendto(slot, Message("CMD_setnntile").field(preview));
}

void TileRules::endTrail(tplayer& p)
{
    p.chain = 1;
    p.banked += p.trailscore;
    p.trailscore = 0;
    p.lastpoints = 0;
}

QByteArray TileRules::group(int a, int b)
{
    return '+' + QByteArray::number(a) + '+' + QByteArray::number(b);
}

QByteArray TileRules::group(int a, int b, int c)
{
    return group(a, b) + '+' + QByteArray::number(c);
}
