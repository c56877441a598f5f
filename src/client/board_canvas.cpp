#include "board_canvas.h"

#include "board_pictures.h"

#include <QMouseEvent>
#include <QPainter>

BoardCanvas::BoardCanvas(const BoardGrid& grid, const BoardPictures& pictures, QWidget* parent)
    : QWidget(parent), m_grid(&grid), m_pictures(&pictures)
{
    setFixedSize(BoardGrid::BoxPixels, BoardGrid::BoxPixels);
    // Every pixel is painted from the grid each time: nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
}

void BoardCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    boardPaint(p);
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (rect().contains(at))
        emit boardMouseUp(at.x(), at.y());
}
