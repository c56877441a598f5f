#include "path_replay_model.h"

PathReplayModel::PathReplayModel()
{
    m_grid.fillTiles(0);
    m_grid.clearBonus();
}

void PathReplayModel::settiles(const QList<CellCode>& cells)
{
    m_grid.fillTiles(0);
    BoardGrid::applyCells(cells, BoardGrid::validTile, [this](int x, int y, int code) { m_grid.tiles[x][y] = code; });
}

void PathReplayModel::setbonus(const QList<CellCode>& cells)
{
    m_grid.clearBonus();
    BoardGrid::applyCells(cells, BoardGrid::validBonus, [this](int x, int y, int code) { m_grid.bonus[x][y] = code; });
}

void PathReplayModel::start(const ToClient::ThePath& path)
{
    m_entries = path.entries;
    m_next = 0;
    m_result = path.result;
    m_running = true;
}

void PathReplayModel::replayEntry(const ToClient::PathEntry& e, ReplayTick& t)
{
    t.score = QString::number(e.score);
    t.previewsChanged = true;
    t.current = e.tile1;
    t.next = e.tile2;
    // Unused entries at the end of the log carry -1 and name no cell.
    if (!BoardGrid::inside(e.x, e.y))
        return;
    if (e.chain == 1) {
        for (auto& column : m_grid.tiles) {
            for (int& code : column) {
                if (code == BoardGrid::TrailMark)
                    code = BoardGrid::Empty;
            }
        }
    }
    m_grid.tiles[e.x][e.y] = BoardGrid::TrailMark;
    m_grid.bonus[e.x][e.y] = BoardGrid::NoBonus;
    t.boardChanged = true;
    if (e.points != 0) {
        t.trailText = QString::number(e.points);
        t.trailCell = QPoint(e.x, e.y);
    }
}

ReplayTick PathReplayModel::step()
{
    ReplayTick t;
    if (!m_running)
        return t;
    if (m_next < m_entries.size()) {
        replayEntry(m_entries.at(m_next++), t);
        while (m_next < m_entries.size() && m_entries.at(m_next).kind == "t")
            replayEntry(m_entries.at(m_next++), t);
    }
    if (m_next == m_entries.size()) {
        // The last pick's tick also shows the round result.
        t.score = QString::number(m_result);
        m_running = false;
    }
    t.outcome = ReplayTick::Outcome::Stepped;
    return t;
}
