#pragma once

#include "char_widths.h"
#include "rich_item.h"

#include <QFontMetrics>
#include <QList>
#include <QPoint>
#include <vector>

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
// are when the layout is built and kept until the next build. A build expects
// the items of the previous one still in place, possibly with more after them;
// after items were removed, clear() first.
class RichLayout {
public:
    void build(const QList<RichItem>& items, const QList<RichTextStyle>& styles, int linkStyle, int left, int right);
    // Forgets the rows and the measurements (the items are gone).
    void clear();
    // The first `count` items, whole lines, were removed: their rows go and the
    // rest move up, without laying anything out again.
    void dropItems(int count);

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

    // Where an item's text may wrap: each chunk is a word with its trailing
    // blanks, ending at `end`, measured with and without those blanks.
    struct Chunk {
        int end = 0;
        int visibleWidth = 0;
        int width = 0;
    };
    // Measuring is the costly part of a layout, and the chat lays everything out
    // again for every line added; so chunks are kept per item for as long as the
    // item's font stays the same.
    struct Measure {
        QFont font;
        bool valid = false;
        QList<Chunk> chunks;
    };

    // A style's font with what measuring it needs; kept while the fonts stay.
    struct StyleFont {
        explicit StyleFont(const QFont& f) : font(f), metrics(f), widths(f) { }
        QFont font;
        QFontMetrics metrics;
        CharWidths widths;
    };

    bool keepsGeometry(const QList<RichTextStyle>& styles, int linkStyle, int left, int right,
                       qsizetype itemCount) const;
    // Drops the rows of the last laid-out line and returns its first item.
    int rewindToLastLine(const QList<RichItem>& items);
    static int wordWidth(const QString& text, int from, int end, StyleFont& style);
    const QList<Chunk>& chunksOf(int index, const QString& text, StyleFont& style);
    void placeText(Builder& b, int index, const QString& text, StyleFont& style);

    QList<Measure> m_measures;
    // One per style, then one for items drawn without styles.
    std::vector<StyleFont> m_fonts;
    QList<RichRow> m_rows;
    QList<RichTextStyle> m_styles;
    int m_linkStyle = 0;
    int m_left = 0;
    int m_right = 0;
    int m_laidItems = 0;
    int m_height = 0;
};
