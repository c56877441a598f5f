#pragma once

#include <QImage>
#include <QList>

class QPainter;

// The picture lists the board is drawn from: piece pictures (48 × 48, opaque,
// picture number = tile code) and bonus pictures (48 × 48, black shows the
// piece beneath, picture number = bonus code). A tile set can replace both.
class BoardPictures {
public:
    static constexpr int Side = 48;
    static constexpr int Pieces = 7;
    static constexpr int Bonuses = 5;

    // The built-in set, cut from the program's own tile strip.
    BoardPictures();

    // Cuts a strip of 12 pictures side by side (7 pieces, then 5 bonuses);
    // parts of the strip that lie outside the image stay black.
    static BoardPictures fromStrip(const QImage& strip);

    // Replaces both lists. Bonus pictures get black as their see-through colour.
    void setPictures(const QList<QImage>& pieces, const QList<QImage>& bonus);

    // The picture of a code, or nullptr when the list has none for it.
    const QImage* piece(int code) const;
    const QImage* bonus(int code) const;

    // Draws a picture with its top-left corner at (left, top); false when the
    // code has no picture.
    bool drawPiece(QPainter& p, int left, int top, int code) const;
    bool drawBonus(QPainter& p, int left, int top, int code) const;

    static QImage blackToTransparent(const QImage& picture);

private:
    struct Blank {};
    explicit BoardPictures(Blank) {}

    QList<QImage> m_pieces;
    QList<QImage> m_bonus;
};
