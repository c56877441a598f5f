#pragma once

#include "chat/core/tile_pictures.h"

#include <optional>

class QPainter;

// The picture lists the board is drawn from: piece pictures (48 × 48, opaque,
// picture number = tile code) and bonus pictures (48 × 48, black shows the
// piece beneath, picture number = bonus code). A tile set can replace both.
class BoardPictures {
public:
    // The built-in set, cut from the program's own tile strip when first
    // drawn: an empty board, as the window first shows it, needs none.
    BoardPictures() = default;

    // Replaces both lists; black in the bonus pictures becomes see-through.
    // Empty lists (no tile set in use) bring back the built-in set.
    void setPictures(const TilePictures& pictures);

    // The picture of a code, or nullptr when the list has none for it.
    const QImage* piece(int code) const;
    const QImage* bonus(int code) const;

    // Draws a picture with its top-left corner at (left, top); false when the
    // code has no picture.
    bool drawPiece(QPainter& p, int left, int top, int code) const;
    bool drawBonus(QPainter& p, int left, int top, int code) const;

private:
    const TilePictures& set() const;

    // Empty while the built-in set is in use and not yet needed.
    mutable std::optional<TilePictures> m_set;
};
