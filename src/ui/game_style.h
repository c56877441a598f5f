#pragma once

#include <QProxyStyle>

// The program's style: the desktop's own, except that the arrows of a menu
// bar's overflow button are read from Qt's pictures by their format. Left to
// Qt, making them loads every installed image plugin to ask it whether it
// reads PNG, while the main window is built for its first paint.
class GameStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
