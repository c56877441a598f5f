#include "side/side_window_art.h"

#include "ui/jpeg_image.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmapCache>
#include <QScreen>
#include <QWidget>

QPixmap SideWindowArt::picture(const QString& name)
{
    // Several windows tile the same background: decode each picture once.
    const QString path = QStringLiteral(":/pictures/") + name;
    QPixmap cached;
    if (QPixmapCache::find(path, &cached))
        return cached;
    const QPixmap decoded = name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
        ? QPixmap::fromImage(JpegImage::fromFile(path))
        : QPixmap(path);
    if (!decoded.isNull())
        QPixmapCache::insert(path, decoded);
    return decoded;
}

void SideWindowArt::tile(QWidget* window, const QPixmap& tile)
{
    if (tile.isNull())
        return;
    QPalette pal = window->palette();
    pal.setBrush(QPalette::Window, QBrush(tile));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void SideWindowArt::centre(QWidget* window, const QWidget* anchor)
{
    QRect area;
    if (anchor && anchor->window()->isVisible())
        area = anchor->window()->frameGeometry();
    else if (const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}
