#pragma once

#include "framed_panel.h"

#include <QString>

class BoardCanvas;
class BoardPictures;
class QLabel;
struct BoardGrid;

// The names one board's controls carry: the game board and the replay board
// are built alike under names of their own.
struct BoardViewNames {
    QString panel; // the 314 × 314 framed panel
    QString image; // the background picture under the paint box
    QString canvas; // the paint box
    QString trail; // the label with the points of the last take
};

// A framed 314 × 314 panel holding the board background picture, the paint
// box over it, and the small label that marks the points of the last take.
class BoardView : public FramedPanel {
    Q_OBJECT
public:
    static constexpr int PanelSide = 314;

    BoardView(const BoardGrid& grid, const BoardPictures& pictures, const BoardViewNames& names, const QColor& border,
              QWidget* parent = nullptr);

    BoardCanvas* canvas() const { return m_canvas; }
    QLabel* trailLabel() const { return m_trail; }
    QLabel* image() const { return m_image; }

    // Redraws the board from its grid.
    void refresh();
    void setPictures(const BoardPictures& pictures);
    void setTrailText(const QString& text);
    // Places the trail label over cell (x, y) and brings it to the front.
    void moveTrailTo(int x, int y);

private:
    QLabel* m_image = nullptr;
    BoardCanvas* m_canvas = nullptr;
    QLabel* m_trail = nullptr;
};
