#pragma once

#include "board_grid.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <optional>

// What one replay tick asks the panel to show.
struct ReplayTick {
    enum class Outcome {
        Idle,    // nothing left to replay: the replay clock stays off
        Stepped, // one pick (and the cells its bomb took) shown: the clock runs on
        Failed,  // a field was not a number: the replay ends here
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
// tick. The path is a run of records "kind+x+y+chain+points+score+tile+tile+";
// kind "t" marks a cell a bomb took with the record before it, and a final
// "s+result+" carries the round result.
class PathReplayModel {
public:
    // Move entries a path always carries, and so the fields after the name.
    static constexpr int Entries = 36;
    static constexpr int FieldsPerEntry = 8;

    PathReplayModel();

    const BoardGrid& grid() const { return m_grid; }

    // The round's deal and bonus layer as dealt; false when a field is not a number.
    bool settiles(FieldReader& f);
    bool setbonus(FieldReader& f);

    struct Path {
        QByteArray name;
        QByteArray records;
    };
    // Splits "name+path": the path has a fixed number of fields, so the name
    // is found from the right and may itself contain "+".
    static Path readPath(FieldReader& f);

    void start(const QByteArray& records) { m_path = records; }
    bool running() const { return !m_path.isEmpty(); }
    const QByteArray& remaining() const { return m_path; }

    ReplayTick step();

private:
    bool replayRecord(FieldReader& r, ReplayTick& t);

    BoardGrid m_grid;
    QByteArray m_path;
};
