#pragma once

#include <QRect>

class QLabel;
class QWidget;
struct DesignRecord;

// Lays a tree of widgets out at a multiple of the size it was designed at.
// Every widget keeps its design rectangle (in the units of the 713 × 568 main
// window); the tree's root carries the scale, and each widget's real geometry
// is its design rectangle times that scale. Fonts, button icons and pictures
// grow with it; a widget marked `keepText` (the chat) grows in area only, so
// its text stays at the size the player chose.
//
// Code that moves or sizes a widget of the tree at run time must go through
// move/resize here, in design units: a plain QWidget::move would be taken for
// a design position at the next rescale and put the widget in the wrong place.
class DesignScale {
public:
    // Scales `root`'s whole subtree to `scale`. A widget seen for the first
    // time has not been scaled yet, so its present geometry is its design.
    static void apply(QWidget* root, qreal scale);
    // Places `w`, built after its tree was last scaled, and everything inside
    // it at the scale in force for its parent.
    static void placeLate(QWidget* w);
    // The scale in force for `w`: that of its nearest scaled ancestor, else 1.
    static qreal scaleOf(const QWidget* w);

    static QRect designRect(const QWidget* w);
    static void setGeometry(QWidget* w, const QRect& design);
    static void move(QWidget* w, const QPoint& design);
    static void resize(QWidget* w, const QSize& design);
    // After a widget sized itself to its contents (QLabel::adjustSize), takes
    // its real size back as its design size.
    static void keepSize(QWidget* w);
    // `w` is placed by the scale but its text, and everything inside it, is not.
    static void keepText(QWidget* w);

    // Shows a picture label's picture at the label's size under `scale`.
    static void fitPicture(QLabel* label, qreal scale);

    // A design rectangle at `scale`: corners are rounded, so neighbours stay edge to edge.
    static QRect scaled(const QRect& design, qreal scale);

private:
    static bool record(QWidget* w, DesignRecord& d);
    // Returns whether the widget's inside follows the scale (not `keepText`).
    static bool place(QWidget* w, qreal scale);
    static void applyBelow(QWidget* parent, qreal scale);
};
