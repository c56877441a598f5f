#include "board_pictures.h"

#include "ui/built_in_picture.h"

#include <QPainter>

namespace {

TilePictures builtIn()
{
    return TilePictures::fromStrip(BuiltInPicture::image(QStringLiteral("board_tiles.png")));
}

} // namespace

const TilePictures& BoardPictures::set() const
{
    if (!m_set)
        m_set = builtIn();
    return *m_set;
}

void BoardPictures::setPictures(const TilePictures& pictures)
{
    if (pictures.pieces.isEmpty() && pictures.bonus.isEmpty()) {
        m_set.reset();
        return;
    }
    TilePictures set;
    set.pieces = pictures.pieces;
    for (const QImage& picture : pictures.bonus)
        set.bonus.append(TilePictures::blackTransparent(picture));
    m_set = std::move(set);
}

const QImage* BoardPictures::piece(int code) const
{
    const TilePictures& s = set();
    return code >= 0 && code < s.pieces.size() ? &s.pieces[code] : nullptr;
}

const QImage* BoardPictures::bonus(int code) const
{
    const TilePictures& s = set();
    return code >= 0 && code < s.bonus.size() ? &s.bonus[code] : nullptr;
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
