#include "bot_board.h"

#include "net/game_random.h"
#include "net/protocol_table.h"

#include <QList>
#include <cstdlib>

namespace {
// Picks the hard bot looks ahead: the current, the next and the preview tile.
constexpr int LookAhead = 3;

bool inside(int x, int y)
{
    return Table::onBoard(x, y);
}

bool inside(QPoint p)
{
    return inside(p.x(), p.y());
}

// A cell of a board or bonus layer, writable when the grid is.
template <typename Grid>
decltype(auto) at(Grid& grid, int x, int y)
{
    return (grid[size_t(x)][size_t(y)]);
}

template <typename Grid>
int at(const Grid& grid, QPoint p)
{
    return grid[size_t(p.x())][size_t(p.y())];
}

// On the ring just outside a classic bomb's 3 x 3 block.
bool onRing(int x, int y, QPoint bomb)
{
    const int bx = std::abs(x - bomb.x());
    const int by = std::abs(y - bomb.y());
    return (bx == 2 && by <= 2) || (by == 2 && bx <= 2);
}
} // namespace

void BotBoard::settiles(const QList<CellCode>& cells)
{
    m_board = Grid{};
    m_bonus = Grid{};
    m_last = {-1, -1};
    m_refused = {-1, -1};
    for (const CellCode& c : cells)
        if (inside(c.x, c.y))
            at(m_board, c.x, c.y) = c.code;
}

void BotBoard::setbonus(const QList<CellCode>& cells)
{
    for (const CellCode& c : cells)
        if (inside(c.x, c.y))
            at(m_bonus, c.x, c.y) = c.code;
}

void BotBoard::setCurrent(int tile, int next)
{
    m_tile = tile;
    m_next = next;
}

void BotBoard::removed(int x, int y)
{
    if (!inside(x, y))
        return;
    const bool fromTransport = inside(m_last) && at(m_bonus, m_last) == Bonus::Transport;
    if (fromTransport && at(m_bonus, x, y) != Bonus::Transport)
        at(m_bonus, m_last.x(), m_last.y()) = 0;
    at(m_board, x, y) = 0;
    int& bonus = at(m_bonus, x, y);
    if (bonus == Bonus::Double || bonus == Bonus::Triple)
        bonus = 0;
    m_last = {x, y};
    m_refused = {-1, -1};
    // The ring around a classic bomb serves the one pick after it.
    m_bomb = {-100, -100};
}

void BotBoard::bombed(const QList<ToClient::Cell>& cells)
{
    for (const ToClient::Cell& c : cells)
        if (inside(c.x, c.y))
            at(m_board, c.x, c.y) = 0;
    if (!inside(m_last))
        return;
    // A spent bomb carries the trail on in the standard game; in the classic
    // game the ring around it does.
    at(m_bonus, m_last.x(), m_last.y()) = m_mode == GameMode::Classic ? 0 : Bonus::Transport;
    if (m_mode == GameMode::Classic)
        m_bomb = m_last;
}

void BotBoard::refused(QPoint cell)
{
    m_refused = cell;
}

bool BotBoard::legal(int x, int y) const
{
    return QPoint(x, y) != m_refused && legalIn(now(), x, y, m_tile);
}

bool BotBoard::continues(int x, int y) const
{
    return continuesIn(now(), x, y);
}

int BotBoard::value(int x, int y) const
{
    const int bonus = at(m_bonus, x, y);
    int v = continues(x, y) ? 100 : 0;
    if (bonus == Bonus::Double || bonus == Bonus::Triple)
        v += 20 * bonus;
    else if (bonus == Bonus::Bomb)
        v += 30;
    return v + GameRandom::random(10);
}

std::optional<QPoint> BotBoard::choose(Strategy strategy) const
{
    if (strategy == Strategy::Best)
        return best();
    QList<QPoint> options;
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y)
            if (legal(x, y))
                options.append({x, y});
    if (options.isEmpty())
        return std::nullopt;
    if (strategy == Strategy::Random)
        return options.at(GameRandom::random(int(options.size())));
    QPoint best = options.first();
    int bestValue = -1;
    for (const QPoint& option : options) {
        const int v = value(option.x(), option.y());
        if (v > bestValue) {
            best = option;
            bestValue = v;
        }
    }
    return best;
}

int BotBoard::tilesLeft() const
{
    int left = 0;
    for (const auto& column : m_board)
        for (int cell : column)
            left += cell != 0;
    return left;
}

BotBoard::Plan BotBoard::now() const
{
    Plan plan;
    plan.board = m_board;
    plan.bonus = m_bonus;
    plan.last = m_last;
    plan.bomb = m_bomb;
    return plan;
}

std::optional<QPoint> BotBoard::best() const
{
    const Plan start = now();
    std::optional<QPoint> choice;
    int bestValue = -1;
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y) {
            if (QPoint(x, y) == m_refused || !legalIn(start, x, y, m_tile))
                continue;
            Plan plan = start;
            pickIn(plan, x, y);
            // A little noise so equal lines are not always taken in board order.
            const int v = bestFrom(plan, 1) * 4 + GameRandom::random(4);
            if (v > bestValue) {
                bestValue = v;
                choice = QPoint(x, y);
            }
        }
    return choice;
}

int BotBoard::bestFrom(const Plan& plan, int depth) const
{
    // Long trails win games: every further pick adds its chain, and a double
    // or triple late in a trail multiplies all of it. So a line that keeps
    // the trail going beats any line that breaks it; points only tell lines
    // that keep it equally long apart.
    const int sofar = 100000 * plan.kept + plan.banked + plan.trail;
    if (depth >= LookAhead)
        return sofar;
    const int tile = depth == 1 ? m_next : m_preview;
    int best = sofar;
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y) {
            if (!legalIn(plan, x, y, tile))
                continue;
            Plan next = plan;
            pickIn(next, x, y);
            best = std::max(best, bestFrom(next, depth + 1));
        }
    return best;
}

bool BotBoard::legalIn(const Plan& plan, int x, int y, int tile) const
{
    const int cell = at(plan.board, x, y);
    if (cell == 0 || tile == 0)
        return false;
    if (m_mode == GameMode::Classic)
        return cell == tile || cell == Tile::Wild;
    return cell == tile || tile == Tile::Wild;
}

bool BotBoard::continuesIn(const Plan& plan, int x, int y) const
{
    if (!inside(plan.last))
        return true;
    const int dx = std::abs(x - plan.last.x());
    const int dy = std::abs(y - plan.last.y());
    if (dx <= 1 && dy <= 1)
        return true;
    if (at(plan.bonus, x, y) == Bonus::Transport || at(plan.bonus, plan.last) == Bonus::Transport)
        return true;
    if (m_mode != GameMode::Classic)
        return at(plan.bonus, x, y) == Bonus::Bomb;
    return onRing(x, y, plan.bomb);
}

// The server's chain and score steps for one pick, close enough to rank lines.
void BotBoard::pickIn(Plan& plan, int x, int y) const
{
    const bool first = !inside(plan.last);
    if (first) {
        plan.chain = 1;
    } else if (continuesIn(plan, x, y)) {
        ++plan.chain;
        ++plan.kept;
    } else {
        plan.banked += plan.trail;
        plan.trail = 0;
        plan.chain = 1;
        plan.points = 0;
    }
    at(plan.board, x, y) = 0;
    plan.last = {x, y};
    plan.bomb = {-100, -100};
    int& bonus = at(plan.bonus, x, y);
    const int factor = bonus == Bonus::Double ? 2 : bonus == Bonus::Triple ? 3 : 1;
    if (m_mode == GameMode::Classic) {
        if (bonus != Bonus::Bomb) {
            plan.points = (plan.points + 10) * factor;
            plan.trail += plan.points;
        }
    } else {
        plan.chain *= factor;
        plan.trail = (plan.trail + plan.chain * 10) * factor;
    }
    if (factor > 1)
        bonus = 0;
    if (bonus == Bonus::Bomb)
        bombIn(plan, x, y);
}

void BotBoard::bombIn(Plan& plan, int x, int y) const
{
    int count = 1;
    for (int cx = x - 1; cx <= x + 1; ++cx)
        for (int cy = y - 1; cy <= y + 1; ++cy)
            if (inside(cx, cy) && at(plan.board, cx, cy) != 0) {
                at(plan.board, cx, cy) = 0;
                ++count;
                if (m_mode != GameMode::Classic)
                    ++plan.chain;
            }
    if (m_mode == GameMode::Classic) {
        plan.points = std::max(plan.points, 10) * count;
        plan.trail += plan.points;
        at(plan.bonus, x, y) = 0;
        plan.bomb = {x, y};
    } else {
        plan.trail += plan.chain * 10 * count;
        at(plan.bonus, x, y) = Bonus::Transport;
    }
}
