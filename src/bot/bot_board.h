#pragma once

#include "net/protocol_to_client.h"

#include <QList>
#include <QPoint>
#include <array>
#include <optional>

// The bot's copy of its board as the server describes it, and its choice of
// the next pick. Only the server judges; the copy need only be good enough to
// pick legal cells, and close enough to the rules to keep trails going.
class BotBoard {
public:
    // Random: any legal cell. Greedy: the cell that keeps the trail going now.
    // Best: the trail that scores most over the current, next and preview tiles.
    enum class Strategy { Random, Greedy, Best };

    // The mode as CMD_startgame numbers it; any number but classic's plays standard.
    void setMode(int code) { m_mode = GameModes::fromCode(code); }
    GameMode mode() const { return m_mode; }

    // A new deal: every cell with its tile.
    void settiles(const QList<CellCode>& cells);
    // The bonuses placed this round.
    void setbonus(const QList<CellCode>& cells);
    void setCurrent(int tile, int next);
    // The tile after next, as the server previews it (CMD_setnntile).
    void setPreview(int tile) { m_preview = tile; }
    void removed(int x, int y);
    // A bomb went off on the last pick and took these cells.
    void bombed(const QList<ToClient::Cell>& cells);
    // Rules out a cell the server refused, until the next draw.
    void refused(QPoint cell);

    std::optional<QPoint> choose(Strategy strategy) const;
    int tilesLeft() const;

private:
    using Grid = std::array<std::array<int, Table::BoardSize>, Table::BoardSize>;
    // What a line of picks would leave: the board and the running trail.
    struct Plan {
        Grid board{};
        Grid bonus{};
        QPoint last{-1, -1};
        QPoint bomb{-100, -100};
        int chain = 0;
        // The classic game's running trail value.
        int points = 0;
        int trail = 0;
        int banked = 0;
        // Picks of the line that continued the trail.
        int kept = 0;
    };

    bool legal(int x, int y) const;
    bool continues(int x, int y) const;
    int value(int x, int y) const;
    Plan now() const;
    std::optional<QPoint> best() const;
    // The most a plan can still score with the tiles from `depth` on.
    int bestFrom(const Plan& plan, int depth) const;
    bool legalIn(const Plan& plan, int x, int y, int tile) const;
    bool continuesIn(const Plan& plan, int x, int y) const;
    void pickIn(Plan& plan, int x, int y) const;
    void bombIn(Plan& plan, int x, int y) const;

    Grid m_board{};
    Grid m_bonus{};
    GameMode m_mode = GameMode::Standard;
    int m_tile = 0;
    int m_next = 0;
    int m_preview = 0;
    QPoint m_last{-1, -1};
    QPoint m_bomb{-100, -100};
    QPoint m_refused{-1, -1};
};
