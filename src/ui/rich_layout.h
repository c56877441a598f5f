#pragma once

#include "rich_item.h"

#include <QList>
#include <QPoint>

// A run of one item placed on one row: characters [from, from + length) of its
// text (or its picture), starting at x.
struct RichFragment {
    int item = 0;
    int from = 0;
    int length = 0;
    int x = 0;
    int width = 0;
};

struct RichRow {
    int top = 0;
    int height = 0;
    int baseline = 0; // from top
    QList<RichFragment> fragments;
};

// Lays the items of the rich chat view out in rows between two margins: words
// wrap at blanks, a word wider than the room breaks between characters, and each
// row is as high as its tallest item. The looks of the styles are taken as they
// are when the layout is built and kept until the next build.
class RichLayout {
public:
    void build(const QList<RichItem>& items, const QList<RichTextStyle>& styles, int linkStyle,
               int left, int right);
    void clear();

    const QList<RichRow>& rows() const { return m_rows; }
    int height() const { return m_height; }
    // The style an item is drawn in (links in the link style), always a valid
    // index into styles() unless styles() is empty.
    int styleOf(const RichItem& item) const;
    const QList<RichTextStyle>& styles() const { return m_styles; }

    // The row at content height y, clamped to the first and last rows; -1 when
    // there are none.
    int rowAt(int y) const;
    // The closest place to a content point, for selecting.
    RichPos positionAt(const QList<RichItem>& items, QPoint point) const;
    // The fragment under a content point, or nullptr.
    const RichFragment* fragmentAt(QPoint point) const;
    // x of offset within a fragment, relative to the fragment's start.
    int offsetX(const RichItem& item, const RichFragment& fragment, int offset) const;

private:
    class Builder;

    QList<RichRow> m_rows;
    QList<RichTextStyle> m_styles;
    int m_linkStyle = 0;
    int m_height = 0;
};
