#pragma once

#include <QImage>
#include <QList>

// The board's two picture lists as a tile set gives them: piece picture k for
// tile code k (0 blasted cell, 1 ... 5 the colours, 6 wild), drawn opaque, and
// bonus picture k for bonus code k, whose black pixels are see-through.
struct TilePictures {
    static constexpr int Side = 48;
    static constexpr int PieceCount = 7;
    static constexpr int BonusCount = 5;
    // Width of a tile-set bitmap: all twelve pictures side by side.
    static constexpr int StripWidth = Side * (PieceCount + BonusCount);

    QList<QImage> pieces; // Format_RGB32
    QList<QImage> bonus; // Format_ARGB32, black turned transparent

    // Cuts a strip of pictures 48 pixels apart, left to right. What lies
    // outside a strip smaller than 576 x 48 stays black (so it is see-through
    // in the bonus pictures).
    static TilePictures fromStrip(const QImage& strip);

    static QImage blackTransparent(const QImage& picture);
};
