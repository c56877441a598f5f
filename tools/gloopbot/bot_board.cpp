#include "bot_board.h"

#include "net/game_random.h"

#include <QList>
#include <cstdlib>

namespace {
constexpr int Wild = 6;
constexpr int Transport = 1;
constexpr int Bomb = 2;

bool inside(int x, int y)
{
    return x >= 0 && x < 6 && y >= 0 && y < 6;
}

// Numbers of a "+"-separated list, in order; stops at the first non-number.
QList<int> numbers(const QByteArray& groups)
{
    QList<int> out;
    for (const QByteArray& field : groups.split('+')) {
        bool ok = false;
        const int value = field.toInt(&ok);
        if (!ok)
            break;
        out.append(value);
    }
    return out;
}
} // namespace

void BotBoard::settiles(const QByteArray& groups)
{
    m_board = Grid{};
    m_bonus = Grid{};
    m_last = {-1, -1};
    m_refused = {-1, -1};
    const QList<int> n = numbers(groups);
    for (qsizetype i = 0; i + 2 < n.size(); i += 3)
        if (inside(n[i], n[i + 1]))
            m_board[size_t(n[i])][size_t(n[i + 1])] = n[i + 2];
}

void BotBoard::setbonus(const QByteArray& groups)
{
    const QList<int> n = numbers(groups);
    for (qsizetype i = 0; i + 2 < n.size(); i += 3)
        if (inside(n[i], n[i + 1]))
            m_bonus[size_t(n[i])][size_t(n[i + 1])] = n[i + 2];
}

void BotBoard::removed(int x, int y)
{
    if (!inside(x, y))
        return;
    const bool fromTransport = inside(m_last.x(), m_last.y())
                               && m_bonus[size_t(m_last.x())][size_t(m_last.y())] == Transport;
    if (fromTransport && m_bonus[size_t(x)][size_t(y)] != Transport)
        m_bonus[size_t(m_last.x())][size_t(m_last.y())] = 0;
    m_board[size_t(x)][size_t(y)] = 0;
    int& bonus = m_bonus[size_t(x)][size_t(y)];
    if (bonus == 3 || bonus == 4)
        bonus = 0;
    m_last = {x, y};
    m_refused = {-1, -1};
    // The ring around a classic bomb serves the one pick after it.
    m_bomb = {-100, -100};
}

void BotBoard::bombed(const QByteArray& cells)
{
    const QList<int> n = numbers(cells);
    for (qsizetype i = 0; i + 1 < n.size(); i += 2)
        if (inside(n[i], n[i + 1]))
            m_board[size_t(n[i])][size_t(n[i + 1])] = 0;
    if (!inside(m_last.x(), m_last.y()))
        return;
    // A spent bomb carries the trail on in the standard game; in the classic
    // game the ring around it does.
    m_bonus[size_t(m_last.x())][size_t(m_last.y())] = m_mode == 2 ? 0 : Transport;
    if (m_mode == 2)
        m_bomb = m_last;
}

void BotBoard::refused(QPoint cell)
{
    m_refused = cell;
}

bool BotBoard::legal(int x, int y) const
{
    const int cell = m_board[size_t(x)][size_t(y)];
    if (cell == 0 || QPoint(x, y) == m_refused)
        return false;
    if (m_mode == 2)
        return cell == m_tile || cell == Wild;
    return cell == m_tile || m_tile == Wild;
}

bool BotBoard::continues(int x, int y) const
{
    if (m_last.x() < 0)
        return true;
    const int dx = std::abs(x - m_last.x());
    const int dy = std::abs(y - m_last.y());
    if (dx <= 1 && dy <= 1)
        return true;
    if (m_bonus[size_t(x)][size_t(y)] == Transport
        || m_bonus[size_t(m_last.x())][size_t(m_last.y())] == Transport)
        return true;
    if (m_mode != 2)
        return m_bonus[size_t(x)][size_t(y)] == Bomb;
    const int bx = std::abs(x - m_bomb.x());
    const int by = std::abs(y - m_bomb.y());
    return (bx == 2 && by <= 2) || (by == 2 && bx <= 2);
}

int BotBoard::value(int x, int y) const
{
    const int bonus = m_bonus[size_t(x)][size_t(y)];
    int v = continues(x, y) ? 100 : 0;
    if (bonus == 3 || bonus == 4)
        v += 20 * bonus;
    else if (bonus == Bomb)
        v += 30;
    return v + GameRandom::random(10);
}

std::optional<QPoint> BotBoard::choose(Strategy strategy) const
{
    QList<QPoint> options;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
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
