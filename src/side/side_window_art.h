#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// Pictures of the side windows and the tiled backgrounds they paint.
class SideWindowArt {
public:
    // A picture compiled into the program (":/pictures/<name>"); JPEG pictures
    // are decoded through libjpeg. Null when missing or damaged.
    static QPixmap picture(const QString& name);
    // Paints `tile` repeated over the whole window behind its children, as
    // `seamless` makes it.
    static void tile(QWidget* window, const QPixmap& tile);
    // The picture beside its mirror images, twice as wide and high: its copies
    // meet edge to matching edge, so a starfield shows no seams between them.
    static QPixmap seamless(const QPixmap& picture);
    // Places `window` centred over `anchor`'s window, or on its screen without one.
    static void centre(QWidget* window, const QWidget* anchor);
};
