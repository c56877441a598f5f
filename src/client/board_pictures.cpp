#include "board_pictures.h"

#include <QPainter>

BoardPictures::BoardPictures()
{
    *this = fromStrip(QImage(QStringLiteral(":/pictures/board_tiles.png")));
}

BoardPictures BoardPictures::fromStrip(const QImage& strip)
{
    QList<QImage> pieces;
    QList<QImage> bonus;
    for (int i = 0; i < Pieces + Bonuses; ++i) {
        QImage work(Side, Side, QImage::Format_RGB32);
        work.fill(Qt::black);
        QPainter p(&work);
        p.drawImage(QPoint(0, 0), strip, QRect(i * Side, 0, Side, Side));
        p.end();
        (i < Pieces ? pieces : bonus).append(work);
    }
    BoardPictures set{Blank{}};
    set.setPictures(pieces, bonus);
    return set;
}

void BoardPictures::setPictures(const QList<QImage>& pieces, const QList<QImage>& bonus)
{
    m_pieces = pieces;
    m_bonus.clear();
    for (const QImage& picture : bonus)
        m_bonus.append(blackToTransparent(picture));
}

const QImage* BoardPictures::piece(int code) const
{
    return code >= 0 && code < m_pieces.size() ? &m_pieces[code] : nullptr;
}

const QImage* BoardPictures::bonus(int code) const
{
    return code >= 0 && code < m_bonus.size() ? &m_bonus[code] : nullptr;
}

bool BoardPictures::drawPiece(QPainter& p, int left, int top, int code) const
{
    const QImage* picture = piece(code);
    if (!picture)
        return false;
    p.drawImage(QPoint(left, top), *picture);
    return true;
}

bool BoardPictures::drawBonus(QPainter& p, int left, int top, int code) const
{
    const QImage* picture = bonus(code);
    if (!picture)
        return false;
    p.drawImage(QPoint(left, top), *picture);
    return true;
}

QImage BoardPictures::blackToTransparent(const QImage& picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00ffffffu) == 0)
                line[x] = 0;
        }
    }
    return out;
}
