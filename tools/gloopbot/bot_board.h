#pragma once

#include <QByteArray>
#include <QPoint>
#include <array>
#include <optional>

// The bot's copy of its board as the server describes it, and its choice of
// the next pick. Only the server judges; the copy need only be good enough to
// pick legal cells, and close enough to the rules to keep trails going.
class BotBoard {
public:
    enum class Strategy { Random, Greedy };

    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }

    // A new deal: "x+y+code" groups for every cell (CMD_settiles payload).
    void settiles(const QByteArray& groups);
    // The bonuses placed this round (CMD_setbonus payload).
    void setbonus(const QByteArray& groups);
    void setCurrent(int tile) { m_tile = tile; }
    void removed(int x, int y);
    // A bomb went off on the last pick and took these cells ("x+y" groups).
    void bombed(const QByteArray& cells);
    // Rules out a cell the server refused, until the next draw.
    void refused(QPoint cell);

    std::optional<QPoint> choose(Strategy strategy) const;
    int tilesLeft() const;

private:
    bool legal(int x, int y) const;
    bool continues(int x, int y) const;
    int value(int x, int y) const;

    using Grid = std::array<std::array<int, 6>, 6>;
    Grid m_board{};
    Grid m_bonus{};
    int m_mode = 1;
    int m_tile = 0;
    QPoint m_last{-1, -1};
    QPoint m_bomb{-100, -100};
    QPoint m_refused{-1, -1};
};
