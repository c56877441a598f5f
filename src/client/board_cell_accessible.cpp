#include "board_cell_accessible.h"

#include "board_accessible.h"
#include "board_canvas.h"

BoardCellAccessible::BoardCellAccessible(BoardAccessible* table, int x, int y) : m_table(table), m_x(x), m_y(y)
{
}

bool BoardCellAccessible::isValid() const
{
    return m_table->isValid();
}

QWindow* BoardCellAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface* BoardCellAccessible::parent() const
{
    return m_table;
}

// Read from the grid at each request: the name is never older than the board.
QString BoardCellAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return BoardAccessible::cellName(m_table->board()->grid(), m_x, m_y);
    return {};
}

QRect BoardCellAccessible::rect() const
{
    return m_table->cellRect(m_x, m_y);
}

QAccessible::State BoardCellAccessible::state() const
{
    QAccessible::State s;
    const BoardCanvas* board = m_table->board();
    s.focusable = board->focusPolicy() != Qt::NoFocus;
    s.selectable = s.focusable;
    s.focused = board->hasFocus() && board->cursorCell() == QPoint(m_x, m_y);
    s.selected = s.focused;
    s.invisible = !board->isVisible();
    return s;
}

void* BoardCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool BoardCellAccessible::isSelected() const
{
    return state().selected;
}

QAccessibleInterface* BoardCellAccessible::table() const
{
    return m_table;
}
