#pragma once

#include "board_grid.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <optional>

// What one replay tick asks the panel to show.
struct ReplayTick {
    enum class Outcome {
        Idle, // nothing left to replay: the replay clock stays off
        Stepped, // one pick (and the cells its bomb took) shown: the clock runs on
    };
    Outcome outcome = Outcome::Idle;
    bool boardChanged = false;
    // New text under the board (the score at that moment, or the final score).
    std::optional<QString> score;
    // Tile codes for "Current" and "Next"; 0 leaves the picture empty.
    bool previewsChanged = false;
    int current = 0;
    int next = 0;
    // New text of the trail label and the cell it moves to.
    std::optional<QString> trailText;
    std::optional<QPoint> trailCell;
};

// The best player's path of a round, replayed on a second board one pick per
// tick. An entry of kind "t" is a cell a bomb took with the entry before it and
// shows in the same tick; the last tick also shows the round result.
class PathReplayModel {
public:
    PathReplayModel();

    const BoardGrid& grid() const { return m_grid; }

    // The round's deal and bonus layer as dealt.
    void settiles(const QList<CellCode>& cells);
    void setbonus(const QList<CellCode>& cells);

    void start(const ToClient::ThePath& path);
    bool running() const { return m_running; }

    ReplayTick step();

private:
    void replayEntry(const ToClient::PathEntry& e, ReplayTick& t);

    BoardGrid m_grid;
    QList<ToClient::PathEntry> m_entries;
    qsizetype m_next = 0;
    int m_result = 0;
    bool m_running = false;
};
