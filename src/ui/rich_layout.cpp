#include "rich_layout.h"

#include <QFontMetrics>
#include <QtMath>
#include <algorithm>
#include <vector>

// Collects fragments into rows, opening a row lazily and closing it with the
// height of its tallest fragment.
class RichLayout::Builder {
public:
    Builder(QList<RichRow>& rows, int left, int right, int top)
        : m_rows(rows), m_left(left), m_right(right), m_x(left), m_top(top)
    {
    }

    int x() const { return m_x; }
    int room() const { return m_right - m_x; }
    int full() const { return m_right - m_left; }
    bool rowEmpty() const { return m_row.fragments.isEmpty(); }

    void place(int item, int from, int length, int width, int ascent, int descent)
    {
        QList<RichFragment>& frags = m_row.fragments;
        if (!frags.isEmpty() && frags.last().item == item && frags.last().from + frags.last().length == from) {
            frags.last().length += length;
            frags.last().width += width;
        } else {
            frags.append({item, from, length, m_x, width});
        }
        m_x += width;
        m_ascent = std::max(m_ascent, ascent);
        m_descent = std::max(m_descent, descent);
    }

    void newRow()
    {
        if (rowEmpty())
            return;
        m_row.top = m_top;
        m_row.baseline = m_ascent;
        m_row.height = m_ascent + m_descent;
        m_top += m_row.height;
        m_rows.append(m_row);
        m_row = {};
        m_ascent = m_descent = 0;
        m_x = m_left;
    }

    int finish()
    {
        newRow();
        return m_top;
    }

private:
    QList<RichRow>& m_rows;
    RichRow m_row;
    int m_left;
    int m_right;
    int m_x = 0;
    int m_top = 0;
    int m_ascent = 0;
    int m_descent = 0;
};

namespace {

// Words up to this length are measured whole, with their kerning; longer ones
// character by character, so measuring stays linear in the word's length.
constexpr int kShapedWordLength = 64;

// Breaks a word wider than a row between characters: each row takes as many
// characters as fit (at least one, never half of a surrogate pair).
template <typename Builder>
void placeLongWord(Builder& b, int index, const QString& text, int from, int end, CharWidths& widths,
                   const QFontMetrics& fm)
{
    while (from < end) {
        const qreal room = std::max(b.room(), 1);
        qreal width = 0;
        int n = 0;
        while (from + n < end) {
            int size = 1;
            const qreal w = widths.at(text, from + n, &size);
            if (n > 0 && width + w > room)
                break;
            width += w;
            n = std::min(n + size, end - from);
        }
        b.place(index, from, n, qCeil(width), fm.ascent(), fm.descent());
        from += n;
        if (from < end)
            b.newRow();
    }
}

} // namespace

int RichLayout::wordWidth(const QString& text, int from, int end, StyleFont& style)
{
    if (end - from <= kShapedWordLength)
        return style.metrics.horizontalAdvance(text.mid(from, end - from));
    return qCeil(style.widths.of(text, from, end));
}

const QList<RichLayout::Chunk>& RichLayout::chunksOf(int index, const QString& text, StyleFont& style)
{
    const QFont& font = style.font;
    Measure& m = m_measures[index];
    if (m.valid && m.font == font)
        return m.chunks;
    m.font = font;
    m.valid = true;
    m.chunks.clear();
    int from = 0;
    while (from < text.size()) {
        int end = int(text.indexOf(QLatin1Char(' '), from));
        end = end < 0 ? int(text.size()) : end;
        const int visibleEnd = end;
        while (end < text.size() && text.at(end) == QLatin1Char(' '))
            ++end;
        const int visible = wordWidth(text, from, visibleEnd, style);
        // Blanks are measured apart from the word: a long run of them is
        // then summed rather than shaped.
        m.chunks.append({end, visible, visible + wordWidth(text, visibleEnd, end, style)});
        from = end;
    }
    return m.chunks;
}

void RichLayout::placeText(Builder& b, int index, const QString& text, StyleFont& style)
{
    const QFontMetrics& fm = style.metrics;
    if (text.isEmpty()) {
        b.place(index, 0, 0, 0, fm.ascent(), fm.descent());
        return;
    }
    int from = 0;
    for (const Chunk& chunk : chunksOf(index, text, style)) {
        if (chunk.visibleWidth > b.room() && !b.rowEmpty())
            b.newRow();
        if (chunk.visibleWidth > b.full())
            placeLongWord(b, index, text, from, chunk.end, style.widths, fm);
        else
            b.place(index, from, chunk.end - from, chunk.width, fm.ascent(), fm.descent());
        from = chunk.end;
    }
}

bool RichLayout::keepsGeometry(const QList<RichTextStyle>& styles, int linkStyle, int left, int right,
                               qsizetype itemCount) const
{
    if (m_laidItems == 0 || itemCount < m_laidItems || left != m_left || right != m_right || linkStyle != m_linkStyle
        || styles.size() != m_styles.size())
        return false;
    for (qsizetype n = 0; n < styles.size(); ++n) {
        if (!(styles.at(n).font == m_styles.at(n).font))
            return false;
    }
    return true;
}

int RichLayout::rewindToLastLine(const QList<RichItem>& items)
{
    int first = m_laidItems - 1;
    while (first > 0 && !items.at(first).startsLine)
        --first;
    for (qsizetype r = m_rows.size() - 1; r >= 0; --r) {
        const RichFragment& f = m_rows.at(r).fragments.first();
        if (f.item == first && f.from == 0) {
            m_rows.resize(r);
            return first;
        }
    }
    m_rows.clear();
    return 0;
}

void RichLayout::build(const QList<RichItem>& items, const QList<RichTextStyle>& styles, int linkStyle, int left,
                       int right)
{
    right = std::max(right, left + 1);
    // Colours never move anything, so while no font and no width changed only
    // the last line and what follows it are laid out again; the chat adds one
    // line at a time to a view that keeps every line of the session.
    int first = 0;
    if (keepsGeometry(styles, linkStyle, left, right, items.size())) {
        first = rewindToLastLine(items);
    } else {
        m_rows.clear();
        m_fonts.clear();
    }
    m_styles = styles;
    m_linkStyle = linkStyle;
    m_left = left;
    m_right = right;
    m_measures.resize(items.size());
    if (m_fonts.empty()) {
        for (const RichTextStyle& style : m_styles)
            m_fonts.emplace_back(style.font);
        m_fonts.emplace_back(QFont()); // for items when there are no styles
    }
    const int top = m_rows.isEmpty() ? 0 : m_rows.last().top + m_rows.last().height;
    Builder b(m_rows, left, right, top);
    for (int i = first; i < items.size(); ++i) {
        const RichItem& item = items.at(i);
        if (item.startsLine)
            b.newRow();
        if (item.kind == RichItem::Kind::Image) {
            const QSizeF size = item.picture.deviceIndependentSize();
            const int w = qRound(size.width());
            if (w > b.room() && !b.rowEmpty())
                b.newRow();
            b.place(i, 0, 1, w, qRound(size.height()), 0);
            continue;
        }
        const int s = styleOf(item);
        placeText(b, i, item.text, m_fonts[s < 0 ? m_fonts.size() - 1 : size_t(s)]);
    }
    m_height = b.finish();
    m_laidItems = int(items.size());
}

void RichLayout::clear()
{
    m_rows.clear();
    m_measures.clear();
    m_laidItems = 0;
    m_height = 0;
}

void RichLayout::dropItems(int count)
{
    if (count <= 0)
        return;
    if (count >= m_laidItems) {
        clear();
        return;
    }
    qsizetype gone = 0;
    while (gone < m_rows.size() && m_rows.at(gone).fragments.first().item < count)
        ++gone;
    m_rows.remove(0, gone);
    const int shift = m_rows.isEmpty() ? m_height : m_rows.first().top;
    for (RichRow& row : m_rows) {
        row.top -= shift;
        for (RichFragment& f : row.fragments)
            f.item -= count;
    }
    m_height -= shift;
    m_measures.remove(0, std::min<qsizetype>(count, m_measures.size()));
    m_laidItems -= count;
}

int RichLayout::styleOf(const RichItem& item) const
{
    if (m_styles.isEmpty())
        return -1;
    const int s = item.kind == RichItem::Kind::Link ? m_linkStyle : item.style;
    return s >= 0 && s < m_styles.size() ? s : 0;
}

int RichLayout::rowAt(int y) const
{
    if (m_rows.isEmpty())
        return -1;
    const auto after = std::upper_bound(m_rows.cbegin(), m_rows.cend(), y,
                                        [](int value, const RichRow& row) { return value < row.top; });
    return std::max(0, int(after - m_rows.cbegin()) - 1);
}

int RichLayout::offsetX(const RichItem& item, const RichFragment& fragment, int offset) const
{
    const int n = std::clamp(offset - fragment.from, 0, fragment.length);
    if (item.kind == RichItem::Kind::Image)
        return n > 0 ? fragment.width : 0;
    const int s = styleOf(item);
    return QFontMetrics(s < 0 ? QFont() : m_styles.at(s).font).horizontalAdvance(item.text.mid(fragment.from, n));
}

RichPos RichLayout::positionAt(const QList<RichItem>& items, QPoint point) const
{
    const int r = rowAt(point.y());
    if (r < 0)
        return {};
    const RichRow& row = m_rows.at(r);
    const RichFragment& last = row.fragments.last();
    if (point.y() >= m_height)
        return {last.item, last.from + last.length};
    if (point.y() < 0)
        return {row.fragments.first().item, row.fragments.first().from};
    for (const RichFragment& f : row.fragments) {
        if (point.x() >= f.x + f.width)
            continue;
        const RichItem& item = items.at(f.item);
        // The boundary nearest to the point: the first whose x passes it halfway.
        int offset = f.from;
        while (offset < f.from + f.length) {
            const int a = offsetX(item, f, offset);
            const int b = offsetX(item, f, offset + 1);
            if (point.x() - f.x < (a + b) / 2)
                break;
            ++offset;
        }
        return {f.item, offset};
    }
    return {last.item, last.from + last.length};
}

const RichFragment* RichLayout::fragmentAt(QPoint point) const
{
    const int r = rowAt(point.y());
    if (r < 0 || point.y() < 0 || point.y() >= m_height)
        return nullptr;
    for (const RichFragment& f : m_rows.at(r).fragments) {
        if (point.x() >= f.x && point.x() < f.x + f.width)
            return &f;
    }
    return nullptr;
}
