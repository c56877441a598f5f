#include "board_canvas.h"

#include "board_accessible.h"
#include "board_pictures.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

BoardCanvas::BoardCanvas(const BoardGrid& grid, const BoardPictures& pictures, QWidget* parent)
    : QWidget(parent), m_grid(&grid), m_pictures(&pictures)
{
    // Its design size; a larger window stretches it, and painting and clicks follow.
    resize(BoardGrid::BoxPixels, BoardGrid::BoxPixels);
    // Every pixel is painted from the grid each time: nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    BoardAccessible::install();
    for (int i = 0; i < int(m_cellNames.size()); ++i)
        m_cellNames[i] = BoardAccessible::cellName(grid, i % BoardGrid::Size, i / BoardGrid::Size);
}

void BoardCanvas::setKeyboardPlay(bool on)
{
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void BoardCanvas::setCursorCell(int x, int y)
{
    const QPoint cell(qBound(0, x, BoardGrid::Size - 1), qBound(0, y, BoardGrid::Size - 1));
    if (cell == m_cursor)
        return;
    m_cursor = cell;
    update();
    announceCursor();
}

// Names are compared with what was last said so that a screen reader hears
// only the cells a message changed, not all 36 at every take.
void BoardCanvas::gridChanged()
{
    update();
    for (int i = 0; i < int(m_cellNames.size()); ++i) {
        QString name = BoardAccessible::cellName(*m_grid, i % BoardGrid::Size, i / BoardGrid::Size);
        if (name == m_cellNames[i])
            continue;
        m_cellNames[i] = std::move(name);
        QAccessibleEvent event(this, QAccessible::NameChanged);
        event.setChild(i);
        QAccessible::updateAccessibility(&event);
    }
}

void BoardCanvas::announceCursor()
{
    if (!hasFocus())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(BoardAccessible::cellIndex(m_cursor.x(), m_cursor.y()));
    QAccessible::updateAccessibility(&event);
}

void BoardCanvas::setBackground(const QImage& background)
{
    m_background = background;
    update();
}

void BoardCanvas::setPictures(const BoardPictures& pictures)
{
    m_pictures = &pictures;
    update();
}

QPoint BoardCanvas::cellOrigin(int x, int y)
{
    return {x * BoardGrid::CellPixels, y * BoardGrid::CellPixels};
}

QPoint BoardCanvas::pictureOrigin(int x, int y)
{
    return cellOrigin(x, y) + QPoint(2, 2);
}

void BoardCanvas::fillspace(QPainter& p, int x, int y) const
{
    const QRect cell(cellOrigin(x, y), QSize(BoardGrid::CellPixels, BoardGrid::CellPixels));
    p.fillRect(cell, Qt::black);
    // The background and the paint box share their origin.
    p.drawImage(cell.topLeft(), m_background, cell);
}

void BoardCanvas::boardPaint(QPainter& p) const
{
    for (int x = 0; x < BoardGrid::Size; ++x) {
        for (int y = 0; y < BoardGrid::Size; ++y) {
            fillspace(p, x, y);
            const QPoint at = pictureOrigin(x, y);
            if (m_grid->tiles[x][y] >= 0)
                m_pictures->drawPiece(p, at.x(), at.y(), m_grid->tiles[x][y]);
            if (m_grid->bonus[x][y] > 0)
                m_pictures->drawBonus(p, at.x(), at.y(), m_grid->bonus[x][y]);
        }
    }
    if (hasFocus())
        paintCursor(p);
}

// A white frame inside a black one: it stands out on light and dark tiles
// alike, and is drawn in board pixels so it grows with the window.
void BoardCanvas::paintCursor(QPainter& p) const
{
    const QRect cell(cellOrigin(m_cursor.x(), m_cursor.y()), QSize(BoardGrid::CellPixels, BoardGrid::CellPixels));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(cell.adjusted(3, 3, -3, -3));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(cell.adjusted(3, 3, -3, -3));
}

void BoardCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Drawn in board pixels and stretched to the box, so the pictures are
    // resampled once, at the screen's own resolution. A whole-number stretch
    // (design size at ratio 1 or 2) keeps every picture pixel whole and sharp;
    // only a fractional one needs smoothing.
    const qreal scale = qreal(width()) / BoardGrid::BoxPixels;
    const qreal onScreen = scale * devicePixelRatioF();
    p.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(onScreen - std::round(onScreen)) > 1e-6);
    p.scale(scale, qreal(height()) / BoardGrid::BoxPixels);
    boardPaint(p);
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    // Back to board pixels with the same factor the painting uses, rounding
    // down, so a click lands in the cell drawn under it at any size.
    const QPointF at = event->position();
    if (at.x() < 0 || at.y() < 0 || at.x() >= width() || at.y() >= height())
        return;
    const int x = int(std::floor(at.x() * BoardGrid::BoxPixels / width()));
    const int y = int(std::floor(at.y() * BoardGrid::BoxPixels / height()));
    emit boardMouseUp(qBound(0, x, BoardGrid::BoxPixels - 1), qBound(0, y, BoardGrid::BoxPixels - 1));
}

void BoardCanvas::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: setCursorCell(m_cursor.x() - 1, m_cursor.y()); break;
    case Qt::Key_Right: setCursorCell(m_cursor.x() + 1, m_cursor.y()); break;
    case Qt::Key_Up: setCursorCell(m_cursor.x(), m_cursor.y() - 1); break;
    case Qt::Key_Down: setCursorCell(m_cursor.x(), m_cursor.y() + 1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The middle of the cell, so the pick takes the click's road: the
        // same checks, the same sounds.
        const QPoint middle =
            cellOrigin(m_cursor.x(), m_cursor.y()) + QPoint(BoardGrid::CellPixels / 2, BoardGrid::CellPixels / 2);
        emit boardMouseUp(middle.x(), middle.y());
        break;
    }
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void BoardCanvas::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    announceCursor();
}

void BoardCanvas::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
