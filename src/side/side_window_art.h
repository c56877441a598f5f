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
    // Paints `tile` repeated over the whole window behind its children.
    static void tile(QWidget* window, const QPixmap& tile);
    // Places `window` centred over `anchor`'s window, or on its screen without one.
    static void centre(QWidget* window, const QWidget* anchor);
};
