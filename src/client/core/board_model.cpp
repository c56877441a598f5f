#include "board_model.h"

#include "net/message.h"

namespace {

BoardEffects refused()
{
    BoardEffects e;
    e.handled = false;
    return e;
}

QString trailStatus(int trail)
{
    return QStringLiteral("Trail Score: ") + QString::number(trail);
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

BoardEffects BoardModel::settiles(FieldReader& f)
{
    BoardEffects e;
    e.boardChanged = true;
    // The whole board is erased before the deal is drawn, so a cell the deal
    // leaves out shows (and stays) empty.
    m_grid.fillTiles(BoardGrid::Empty);
    m_grid.clearBonus();
    e.handled = BoardGrid::readTriples(f, BoardGrid::validTile,
                                       [this](int x, int y, int code) { m_grid.tiles[x][y] = code; });
    return e;
}

BoardEffects BoardModel::setbonus(FieldReader& f)
{
    BoardEffects e;
    e.boardChanged = true;
    m_canselect = false;
    m_grid.clearBonus();
    e.handled = BoardGrid::readTriples(f, BoardGrid::validBonus,
                                       [this](int x, int y, int code) { m_grid.bonus[x][y] = code; });
    return e;
}

BoardEffects BoardModel::setnexttile(FieldReader& f, int myslot)
{
    const auto current = f.nextInt();
    if (!current)
        return refused();
    const auto next = f.lastInt();
    if (!next)
        return refused();
    BoardEffects e;
    e.previewsChanged = true;
    m_current = *current;
    m_next = *next;
    if (myslot == m_currentplayer)
        m_canselect = true;
    return e;
}

std::optional<int> BoardModel::setnntile(FieldReader& f)
{
    return f.lastInt();
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

BoardEffects BoardModel::removetile(FieldReader& f, int myslot)
{
    std::array<int, 7> v{};
    for (int i = 0; i < 7; ++i) {
        const auto n = i < 6 ? f.nextInt() : f.lastInt();
        if (!n)
            return refused();
        v[i] = *n;
    }
    const auto [slot, x, y, chain, trail, points, total] = v;
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
    e.scoreText = QString::number(total);
    m_trail[slot] = trail;
    e.trailText = QString::number(points);
    e.trailCell = QPoint(x, y);
    e.status = trailStatus(trail);
    if (m_grid.bonus[x][y] == BoardGrid::Transport) {
        e.status = QStringLiteral("Transport!");
        e.sounds << QStringLiteral("chain");
    } else {
        e.sounds << QStringLiteral("remove");
    }
    take(x, y);
    if (slot == myslot)
        e.highestTrail = trail;
    return e;
}

BoardEffects BoardModel::bombed(FieldReader& f)
{
    const auto slot = f.nextInt();
    if (!slot)
        return refused();
    f.next(); // chain value: the client has no use for it
    const auto trail = f.nextInt();
    if (!trail)
        return refused();
    const auto points = f.nextInt();
    if (!points)
        return refused();
    f.last(); // total: shown with the next score list, not here
    if (!seat(*slot))
        return refused();

    BoardEffects e;
    if (*trail != 0)
        m_trail[*slot] = *trail;
    e.trailText = QString::number(*points);
    e.status = trailStatus(*trail);
    while (!f.atEnd()) {
        const QByteArray xText = f.next();
        if (xText.isEmpty())
            break;
        const QByteArray yText = f.last();
        if (yText.isEmpty())
            break;
        const auto x = FieldReader::toInt(xText);
        const auto y = FieldReader::toInt(yText);
        if (!x || !y) {
            e.handled = false;
            break;
        }
        if (!BoardGrid::inside(*x, *y))
            continue;
        take(*x, *y);
        e.boardChanged = true;
        e.sounds << QStringLiteral("bomb");
    }
    return e;
}

BoardEffects BoardModel::error()
{
    BoardEffects e;
    e.status = QStringLiteral("Invalid Tile");
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
        e.status = QStringLiteral("Invalid Move");
        return e;
    }
    m_canselect = false;
    if (loggedin)
        e.send = Message("CMD_selecttile").field(myslot).field(x).field(y).bytes();
    return e;
}
