#include "board_pictures.h"

#include <QPainter>

namespace {

TilePictures builtIn()
{
    return TilePictures::fromStrip(QImage(QStringLiteral(":/pictures/board_tiles.png")));
}

} // namespace

BoardPictures::BoardPictures() : m_set(builtIn())
{
}

void BoardPictures::setPictures(const TilePictures& pictures)
{
    if (pictures.pieces.isEmpty() && pictures.bonus.isEmpty()) {
        m_set = builtIn();
        return;
    }
    m_set.pieces = pictures.pieces;
    m_set.bonus.clear();
    for (const QImage& picture : pictures.bonus)
        m_set.bonus.append(TilePictures::blackTransparent(picture));
}

const QImage* BoardPictures::piece(int code) const
{
    return code >= 0 && code < m_set.pieces.size() ? &m_set.pieces[code] : nullptr;
}

const QImage* BoardPictures::bonus(int code) const
{
    return code >= 0 && code < m_set.bonus.size() ? &m_set.bonus[code] : nullptr;
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
