#include "board_canvas.h"

#include "board_pictures.h"

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
