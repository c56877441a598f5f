#include "tile_pictures.h"

#include <QPainter>

TilePictures TilePictures::fromStrip(const QImage& strip)
{
    TilePictures t;
    const QImage source = strip.convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < PieceCount + BonusCount; ++i) {
        QImage work(Side, Side, QImage::Format_RGB32);
        work.fill(Qt::black);
        QPainter p(&work);
        p.drawImage(QPoint(0, 0), source, QRect(i * Side, 0, Side, Side));
        p.end();
        if (i < PieceCount)
            t.pieces.append(work);
        else
            t.bonus.append(blackTransparent(work));
    }
    return t;
}

QImage TilePictures::blackTransparent(const QImage& picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0)
                line[x] = 0;
        }
    }
    return out;
}
