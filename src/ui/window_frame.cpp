#include "window_frame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QWidget>

namespace WindowFrame {

int titleWidth(const QWidget* window)
{
    // Frames draw their titles in a bold face, a little larger than the
    // program's own text.
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    const QString title = window->windowTitle().isEmpty() ? QApplication::applicationName() : window->windowTitle();
    return QFontMetrics(font).horizontalAdvance(title) + TitleChrome;
}

void fitTitle(QWidget* window)
{
    Qt::WindowFlags flags = window->windowFlags();
    flags &= ~Qt::WindowMaximizeButtonHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);

    // A minimum width set here replaces the one the window's layout would
    // set: never go below what the layout needs, or its widgets get clipped.
    const int needed = qMax(titleWidth(window), window->minimumSizeHint().width());
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        // A message box sizes itself from its layout and ignores a minimum
        // width: a spacer across the layout widens it for good.
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
            grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                          1, grid->columnCount());
        return;
    }
    if (window->maximumWidth() < needed)
        window->setMaximumWidth(needed);
    if (window->minimumWidth() < needed)
        window->setMinimumWidth(needed);
    if (window->width() < needed)
        window->resize(needed, window->height());
}

void fitDialog(QWidget* dialog)
{
    dialog->setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    fitTitle(dialog);
}

} // namespace WindowFrame
