#include "board_model.h"

#include "net/protocol_to_server.h"

#include <QCoreApplication>

namespace {

BoardEffects refused()
{
    BoardEffects e;
    e.handled = false;
    return e;
}

QString trailStatus(int trail)
{
    return QCoreApplication::translate("BoardModel", "Trail Score: %1").arg(trail);
}

} // namespace

BoardModel::BoardModel()
{
    clear();
}

void BoardModel::clear()
{
    m_grid.fillTiles(BoardGrid::Empty);
    m_grid.clearBonus();
}

void BoardModel::setTrailScore(int slot, int score)
{
    if (seat(slot))
        m_trail[slot] = score;
}

BoardEffects BoardModel::settiles(const ToClient::SetTiles& m)
{
    BoardEffects e;
    e.boardChanged = true;
    // The whole board is erased before the deal is drawn, so a cell the deal
    // leaves out shows (and stays) empty.
    m_grid.fillTiles(BoardGrid::Empty);
    m_grid.clearBonus();
    BoardGrid::applyCells(m.cells, BoardGrid::validTile, [this](int x, int y, int code) { m_grid.tiles[x][y] = code; });
    return e;
}

BoardEffects BoardModel::setbonus(const ToClient::SetBonus& m)
{
    BoardEffects e;
    e.boardChanged = true;
    m_canselect = false;
    m_grid.clearBonus();
    BoardGrid::applyCells(m.cells, BoardGrid::validBonus,
                          [this](int x, int y, int code) { m_grid.bonus[x][y] = code; });
    return e;
}

BoardEffects BoardModel::setnexttile(const ToClient::SetNextTile& m, int myslot)
{
    BoardEffects e;
    e.previewsChanged = true;
    m_current = m.current;
    m_next = m.next;
    if (myslot == m_currentplayer)
        m_canselect = true;
    return e;
}

bool BoardModel::clearTrail()
{
    bool any = false;
    for (auto& column : m_grid.tiles) {
        for (int& code : column) {
            if (code == BoardGrid::TrailMark) {
                code = BoardGrid::Empty;
                any = true;
            }
        }
    }
    return any;
}

void BoardModel::take(int x, int y)
{
    m_grid.tiles[x][y] = BoardGrid::TrailMark;
    m_grid.bonus[x][y] = BoardGrid::NoBonus;
}

BoardEffects BoardModel::removetile(const ToClient::RemoveTile& m, int myslot)
{
    const auto [slot, x, y, chain, trail, points, total] = m;
    if (!seat(slot) || !BoardGrid::inside(x, y))
        return refused();

    BoardEffects e;
    e.boardChanged = true;
    if (chain == 1) {
        // A new trail began: the finished one is shown in the popup and its marks go.
        if (m_trail[slot] > 0)
            e.popup = m_trail[slot];
        clearTrail();
    }
    e.scoreSlot = slot;
    e.score = total;
    m_trail[slot] = trail;
    e.trailText = QString::number(points);
    e.trailCell = QPoint(x, y);
    e.status = trailStatus(trail);
    if (m_grid.bonus[x][y] == BoardGrid::Transport) {
        e.status = QCoreApplication::translate("BoardModel", "Transport!");
        e.sounds << GameSound::Chain;
    } else {
        e.sounds << GameSound::Remove;
    }
    take(x, y);
    if (slot == myslot)
        e.highestTrail = trail;
    return e;
}

BoardEffects BoardModel::bombed(const ToClient::Bombed& m)
{
    // The chain and the game total are not shown here: the total comes with the
    // next score list.
    if (!seat(m.slot))
        return refused();

    BoardEffects e;
    if (m.trail != 0)
        m_trail[m.slot] = m.trail;
    e.trailText = QString::number(m.points);
    e.status = trailStatus(m.trail);
    for (const ToClient::Cell& c : m.cells) {
        if (!BoardGrid::inside(c.x, c.y))
            continue;
        take(c.x, c.y);
        e.boardChanged = true;
        e.sounds << GameSound::Bomb;
    }
    return e;
}

BoardEffects BoardModel::error()
{
    BoardEffects e;
    e.status = QCoreApplication::translate("BoardModel", "Invalid Tile");
    m_canselect = true;
    return e;
}

bool BoardModel::acceptable(int x, int y) const
{
    const int code = m_grid.tiles[x][y];
    return code == m_current || code == BoardGrid::Wild || m_current == BoardGrid::Wild;
}

BoardEffects BoardModel::boardMouseUp(int px, int py, int myslot, bool loggedin)
{
    BoardEffects e;
    if (myslot != m_currentplayer || !m_canselect)
        return e;
    // A release dragged out of the paint box names no cell (integer division
    // would fold small negative pixels onto column or row 0).
    if (px < 0 || py < 0 || px >= BoardGrid::BoxPixels || py >= BoardGrid::BoxPixels)
        return e;
    const int x = px / BoardGrid::CellPixels;
    const int y = py / BoardGrid::CellPixels;
    if (!acceptable(x, y)) {
        e.status = QCoreApplication::translate("BoardModel", "Invalid Move");
        return e;
    }
    m_canselect = false;
    if (loggedin)
        e.send = ToServer::SelectTile{myslot, x, y}.bytes();
    return e;
}
