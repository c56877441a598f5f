#pragma once

#include "client/core/board_grid.h"

#include <QImage>
#include <QWidget>

class BoardPictures;

// The 312 × 312 paint box of a board. Everything on it is drawn from the grid
// it mirrors, so a repaint (the window uncovered, a new tile set) shows the
// same board the handlers drew.
class BoardCanvas : public QWidget {
    Q_OBJECT
public:
    BoardCanvas(const BoardGrid& grid, const BoardPictures& pictures, QWidget* parent = nullptr);

    // The board background picture the cells are erased to (`mainimage`).
    void setBackground(const QImage& background);
    void setPictures(const BoardPictures& pictures);

    // Top-left pixel of a cell, and of the picture drawn in it.
    static QPoint cellOrigin(int x, int y);
    static QPoint pictureOrigin(int x, int y);

signals:
    // `boardMouseUp`: a mouse button was released over the paint box at (x, y).
    // Releases after dragging out of the box are not reported.
    void boardMouseUp(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Erases a cell to its piece of the background picture.
    void fillspace(QPainter& p, int x, int y) const;
    void boardPaint(QPainter& p) const;

    const BoardGrid* m_grid;
    const BoardPictures* m_pictures;
    QImage m_background;
};
