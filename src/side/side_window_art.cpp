#include "side/side_window_art.h"

#include "ui/built_in_picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
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
    QPixmap decoded = BuiltInPicture::pixmap(name);
    if (!decoded.isNull())
        QPixmapCache::insert(path, decoded);
    return decoded;
}

void SideWindowArt::tile(QWidget* window, const QPixmap& tile)
{
    if (tile.isNull())
        return;
    QPalette pal = window->palette();
    pal.setBrush(QPalette::Window, QBrush(seamless(tile)));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

QPixmap SideWindowArt::seamless(const QPixmap& picture)
{
    if (picture.isNull())
        return picture;
    // Several windows tile the same picture: mirror each one once.
    const QString key = QStringLiteral("gd_seamless_%1").arg(picture.cacheKey());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    const QImage image = picture.toImage();
    QImage tile(image.width() * 2, image.height() * 2, QImage::Format_RGB32);
    QPainter painter(&tile);
    painter.drawImage(0, 0, image);
    painter.drawImage(image.width(), 0, image.mirrored(true, false));
    painter.drawImage(0, image.height(), image.mirrored(false, true));
    painter.drawImage(image.width(), image.height(), image.mirrored(true, true));
    painter.end();
    QPixmap result = QPixmap::fromImage(tile);
    QPixmapCache::insert(key, result);
    return result;
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
