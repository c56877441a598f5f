#include "path_replay_model.h"

#include <array>

PathReplayModel::PathReplayModel()
{
    m_grid.fillTiles(0);
    m_grid.clearBonus();
}

bool PathReplayModel::settiles(FieldReader& f)
{
    m_grid.fillTiles(0);
    return BoardGrid::readTriples(f, BoardGrid::validTile,
                                  [this](int x, int y, int code) { m_grid.tiles[x][y] = code; });
}

bool PathReplayModel::setbonus(FieldReader& f)
{
    m_grid.clearBonus();
    return BoardGrid::readTriples(f, BoardGrid::validBonus,
                                  [this](int x, int y, int code) { m_grid.bonus[x][y] = code; });
}

PathReplayModel::Path PathReplayModel::readPath(FieldReader& f)
{
    const QByteArray all = f.rest();
    // Every path field, the "s" marker and the result are each preceded by a
    // "+", and one more "+" closes the message.
    constexpr int plusesAfterName = Entries * FieldsPerEntry + 3;
    int seen = 0;
    for (qsizetype i = all.size() - 1; i >= 0; --i) {
        if (all.at(i) == '+' && ++seen == plusesAfterName)
            return {all.left(i), all.mid(i + 1)};
    }
    // A shorter path than the server sends: the name is the first field.
    const qsizetype plus = all.indexOf('+');
    if (plus < 0)
        return {all, {}};
    return {all.left(plus), all.mid(plus + 1)};
}

bool PathReplayModel::replayRecord(FieldReader& r, ReplayTick& t)
{
    r.next(); // kind letter: only tells how records group into ticks
    std::array<int, 7> v{};
    QByteArray pointsText;
    for (int i = 0; i < 7; ++i) {
        const QByteArray field = i < 6 ? r.next() : r.last();
        const auto n = FieldReader::toInt(field);
        if (!n)
            return false;
        v[i] = *n;
        if (i == 3)
            pointsText = field;
    }
    const auto [x, y, chain, points, score, first, second] = v;
    Q_UNUSED(points);
    t.score = QString::number(score);
    t.previewsChanged = true;
    t.current = first;
    t.next = second;
    // Unused entries at the end of the log carry -1 and name no cell.
    if (!BoardGrid::inside(x, y))
        return true;
    if (chain == 1) {
        for (auto& column : m_grid.tiles) {
            for (int& code : column) {
                if (code == BoardGrid::TrailMark)
                    code = BoardGrid::Empty;
            }
        }
    }
    m_grid.tiles[x][y] = BoardGrid::TrailMark;
    m_grid.bonus[x][y] = BoardGrid::NoBonus;
    t.boardChanged = true;
    if (pointsText != "0") {
        t.trailText = QString::fromUtf8(pointsText);
        t.trailCell = QPoint(x, y);
    }
    return true;
}

ReplayTick PathReplayModel::step()
{
    ReplayTick t;
    if (m_path.isEmpty())
        return t;
    FieldReader r(m_path);
    bool ok = replayRecord(r, t);
    while (ok && r.remainder().startsWith('t'))
        ok = replayRecord(r, t);
    if (!ok) {
        m_path.clear();
        t.outcome = ReplayTick::Outcome::Failed;
        return t;
    }
    if (r.remainder().startsWith('s')) {
        r.next();
        t.score = QString::fromUtf8(r.last());
    }
    m_path = r.remainder();
    t.outcome = ReplayTick::Outcome::Stepped;
    return t;
}
