#pragma once

#include "client/core/board_grid.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <array>

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

    const BoardGrid& grid() const { return *m_grid; }

    // Keyboard play: the box takes focus by click or Tab, arrow keys move a
    // cursor over the cells and Space or Return picks the cell under it as a
    // click there would. Off for boards that only show (the replay).
    void setKeyboardPlay(bool on);
    // The cell (column x, row y) the cursor is on; it never leaves the board.
    QPoint cursorCell() const { return m_cursor; }
    void setCursorCell(int x, int y);
    // The grid changed: repaint, and tell assistive technology which cells
    // now read differently.
    void gridChanged();

signals:
    // `boardMouseUp`: a mouse button was released over the paint box at (x, y).
    // Releases after dragging out of the box are not reported.
    void boardMouseUp(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Erases a cell to its piece of the background picture.
    void fillspace(QPainter& p, int x, int y) const;
    void boardPaint(QPainter& p) const;
    void paintCursor(QPainter& p) const;
    void announceCursor();

    std::array<QString, BoardGrid::Size * BoardGrid::Size> m_cellNames;
    QPoint m_cursor{0, 0};

    const BoardGrid* m_grid;
    const BoardPictures* m_pictures;
    QImage m_background;
};
