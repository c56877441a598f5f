#include "board_accessible.h"

#include "board_canvas.h"
#include "board_cell_accessible.h"

#include <QCoreApplication>

namespace {

// Piece names by tile code, in the colours every shipped set draws them.
constexpr const char* PieceNames[] = {
    QT_TRANSLATE_NOOP("BoardCells", "empty"),        QT_TRANSLATE_NOOP("BoardCells", "yellow gloop"),
    QT_TRANSLATE_NOOP("BoardCells", "green gloop"),  QT_TRANSLATE_NOOP("BoardCells", "orange gloop"),
    QT_TRANSLATE_NOOP("BoardCells", "purple gloop"), QT_TRANSLATE_NOOP("BoardCells", "red gloop"),
    QT_TRANSLATE_NOOP("BoardCells", "wild gloop"),
};
constexpr const char* BonusNames[] = {
    "",
    QT_TRANSLATE_NOOP("BoardCells", "transport"),
    QT_TRANSLATE_NOOP("BoardCells", "bomb"),
    QT_TRANSLATE_NOOP("BoardCells", "2x"),
    QT_TRANSLATE_NOOP("BoardCells", "3x"),
};
static_assert(std::size(PieceNames) == BoardGrid::Wild + 1);
static_assert(std::size(BonusNames) == Bonus::Triple + 1);

QString cellText(const char* text)
{
    return QCoreApplication::translate("BoardCells", text);
}

QAccessibleInterface* boardFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("BoardCanvas") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<BoardCanvas*>(object));
    return nullptr;
}

} // namespace

BoardAccessible::BoardAccessible(BoardCanvas* board) : QAccessibleWidget(board, QAccessible::Table)
{
}

BoardAccessible::~BoardAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

void BoardAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString BoardAccessible::cellName(const BoardGrid& grid, int x, int y)
{
    const int tile = grid.tiles[x][y];
    const int bonus = grid.bonus[x][y];
    // A cell no deal has reached yet (-1) reads like a taken one.
    QString name = QCoreApplication::translate("BoardCells", "row %1, column %2: %3")
                       .arg(y + 1)
                       .arg(x + 1)
                       .arg(cellText(PieceNames[tile > 0 && tile <= BoardGrid::Wild ? tile : 0]));
    if (bonus > 0 && bonus <= Bonus::Triple)
        name += QStringLiteral(", ") + cellText(BonusNames[bonus]);
    return name;
}

BoardCanvas* BoardAccessible::board() const
{
    return static_cast<BoardCanvas*>(widget());
}

QRect BoardAccessible::cellRect(int x, int y) const
{
    const BoardCanvas* canvas = board();
    const QRect design(BoardCanvas::cellOrigin(x, y), QSize(BoardGrid::CellPixels, BoardGrid::CellPixels));
    const qreal sx = qreal(canvas->width()) / BoardGrid::BoxPixels;
    const qreal sy = qreal(canvas->height()) / BoardGrid::BoxPixels;
    const QRect onBoard(QPoint(qRound(design.left() * sx), qRound(design.top() * sy)),
                        QPoint(qRound((design.right() + 1) * sx) - 1, qRound((design.bottom() + 1) * sy) - 1));
    return onBoard.translated(canvas->mapToGlobal(QPoint(0, 0)));
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// Only the cells: the label with the last take's points is drawn over the
// board but is not part of it.
int BoardAccessible::childCount() const
{
    return BoardGrid::Size * BoardGrid::Size;
}

QAccessibleInterface* BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto found = m_cells.constFind(index); found != m_cells.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell =
        new BoardCellAccessible(const_cast<BoardAccessible*>(this), index % BoardGrid::Size, index / BoardGrid::Size);
    m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    return m_cells.key(id, -1);
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (cellRect(i % BoardGrid::Size, i / BoardGrid::Size).contains(x, y))
            return child(i);
    }
    return nullptr;
}

QAccessibleInterface* BoardAccessible::focusChild() const
{
    if (!board()->hasFocus())
        return nullptr;
    const QPoint cursor = board()->cursorCell();
    return child(cellIndex(cursor.x(), cursor.y()));
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const
{
    if (!BoardGrid::inside(column, row))
        return nullptr;
    return child(cellIndex(column, row));
}

// The cursor's cell counts as the one selection, so a reader that follows
// selections in tables finds it too.
int BoardAccessible::selectedCellCount() const
{
    return board()->hasFocus() ? 1 : 0;
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const
{
    if (QAccessibleInterface* cell = focusChild())
        return {cell};
    return {};
}

QString BoardAccessible::columnDescription(int column) const
{
    return QCoreApplication::translate("BoardCells", "column %1").arg(column + 1);
}

QString BoardAccessible::rowDescription(int row) const
{
    return QCoreApplication::translate("BoardCells", "row %1").arg(row + 1);
}
