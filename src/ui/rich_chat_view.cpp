#include "rich_chat_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

// Styles are numbered by whoever fills the view; more than this is a caller's fault.
constexpr int kMaxStyles = 256;

} // namespace

RichChatView::RichChatView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setMouseTracking(true);
    // Tab reaches it too, so a screen reader can read the chat from the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    m_styles.fill(RichTextStyle{font(), QColor(Qt::black)}, DefaultStyleCount);
}

RichTextStyle RichChatView::TextStyle(int n) const
{
    return n >= 0 && n < m_styles.size() ? m_styles.at(n) : RichTextStyle{font(), Qt::black};
}

void RichChatView::SetTextStyle(int n, const RichTextStyle& style)
{
    if (n < 0 || n >= kMaxStyles)
        return;
    if (n >= m_styles.size())
        m_styles.resize(n + 1, RichTextStyle{font(), QColor(Qt::black)});
    m_styles[n] = style;
}

void RichChatView::append(RichItem item)
{
    item.startsLine = item.startsLine || m_items.isEmpty();
    m_lines += item.startsLine;
    m_items.append(std::move(item));
}

void RichChatView::dropOldLines()
{
    if (m_lineLimit == 0 || m_lines <= m_lineLimit)
        return;
    int count = 0;
    for (int excess = m_lines - m_lineLimit; excess > 0; --excess) {
        do
            ++count;
        while (count < m_items.size() && !m_items.at(count).startsLine);
    }
    const int rowsBefore = int(m_layout.rows().size());
    m_items.remove(0, count);
    m_layout.dropItems(count);
    m_lines = m_lineLimit;
    // Keep the rows in sight where they are when the view is not following the end.
    const int rowsGone = rowsBefore - int(m_layout.rows().size());
    const int position = std::max(0, verticalScrollBar()->value() - rowsGone);
    const auto shift = [count](RichPos p) { return p.item < count ? RichPos{} : RichPos{p.item - count, p.offset}; };
    m_anchor = shift(m_anchor);
    m_focus = shift(m_focus);
    m_pressedLink = -1;
    updateScrollRange();
    verticalScrollBar()->setValue(position);
}

int RichChatView::FirstLink() const
{
    for (const RichItem& item : m_items) {
        if (item.kind == RichItem::Kind::Link)
            return item.link;
    }
    return -1;
}

void RichChatView::StartLine(const QString& text, int style)
{
    append({RichItem::Kind::Text, text, style, -1, {}, true});
}

void RichChatView::AppendText(const QString& text, int style)
{
    append({RichItem::Kind::Text, text, style, -1, {}, false});
}

void RichChatView::AppendLink(const QString& text, int linkNumber)
{
    append({RichItem::Kind::Link, text, m_linkStyle, linkNumber, {}, false});
}

void RichChatView::AppendImage(int index, const RichImageList& images)
{
    if (index < 0 || index >= images.size())
        return;
    append({RichItem::Kind::Image, {}, 0, -1, images.at(index), false});
}

void RichChatView::Reformat()
{
    dropOldLines();
    const int width = viewport()->width();
    m_layout.build(m_items, m_styles, m_linkStyle, Margin, width - Margin);
    m_laidOutWidth = width;
    updateScrollRange();
    viewport()->update();
}

void RichChatView::ClearView()
{
    m_items.clear();
    m_lines = 0;
    m_layout.clear();
    m_anchor = m_focus = {};
    m_selecting = false;
    m_pressedLink = -1;
    updateScrollRange();
    viewport()->update();
}

void RichChatView::SelectAllText()
{
    if (m_items.isEmpty())
        return;
    m_anchor = {0, 0};
    m_focus = {int(m_items.size()) - 1, m_items.last().length()};
    viewport()->update();
}

void RichChatView::CopySelection()
{
    if (!HasSelection())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(SelectedText());
}

void RichChatView::SetScrollPosition(int position)
{
    verticalScrollBar()->setValue(position);
}

int RichChatView::ScrollPosition() const
{
    return verticalScrollBar()->value();
}

int RichChatView::ScrollMaximum() const
{
    return verticalScrollBar()->maximum();
}

std::pair<RichPos, RichPos> RichChatView::selection() const
{
    return std::minmax(m_anchor, m_focus);
}

QString RichChatView::SelectedText() const
{
    const auto [first, last] = selection();
    QString out;
    for (int i = first.item; i <= last.item && i < m_items.size(); ++i) {
        const RichItem& item = m_items.at(i);
        if (item.startsLine && i != first.item)
            out += QLatin1String("\r\n");
        if (item.kind == RichItem::Kind::Image)
            continue;
        const int from = i == first.item ? first.offset : 0;
        const int to = i == last.item ? last.offset : item.length();
        out += item.text.mid(from, std::max(0, to - from));
    }
    return out;
}

QRect RichChatView::ItemRect(int item) const
{
    for (const RichRow& row : m_layout.rows()) {
        for (const RichFragment& f : row.fragments) {
            if (f.item == item)
                return QRect(f.x, row.top - contentTop(), f.width, row.height);
        }
    }
    return {};
}

void RichChatView::updateScrollRange()
{
    // The last position is the first row from which the rest fits the view.
    const QList<RichRow>& rows = m_layout.rows();
    const int visible = viewport()->height();
    int last = int(rows.size()) - 1;
    while (last > 0 && m_layout.height() - rows.at(last - 1).top <= visible)
        --last;
    const int maximum = std::max(0, last);
    verticalScrollBar()->setRange(0, maximum);
    verticalScrollBar()->setPageStep(std::max(1, int(rows.size()) - maximum));
}

int RichChatView::contentTop() const
{
    const QList<RichRow>& rows = m_layout.rows();
    if (rows.isEmpty())
        return 0;
    return rows.at(std::clamp(verticalScrollBar()->value(), 0, int(rows.size()) - 1)).top;
}

QPoint RichChatView::toContent(QPoint viewportPoint) const
{
    return viewportPoint + QPoint(0, contentTop());
}

int RichChatView::linkAt(QPoint viewportPoint) const
{
    const RichFragment* f = m_layout.fragmentAt(toContent(viewportPoint));
    if (!f || m_items.at(f->item).kind != RichItem::Kind::Link)
        return -1;
    return m_items.at(f->item).link;
}

void RichChatView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const QList<RichRow>& rows = m_layout.rows();
    const int top = contentTop();
    for (int r = std::max(0, m_layout.rowAt(top)); r < rows.size(); ++r) {
        const int y = rows.at(r).top - top;
        if (y >= viewport()->height())
            break;
        paintRow(painter, rows.at(r), y);
    }
}

void RichChatView::paintRow(QPainter& painter, const RichRow& row, int top) const
{
    for (const RichFragment& f : row.fragments) {
        // Items added since the last layout are not in it; those removed are
        // removed together with the layout, so every index here is valid.
        paintFragment(painter, f, top, row.baseline, false);
        const auto [first, last] = selection();
        const int from = RichPos{f.item, f.from} < first ? first.offset : f.from;
        const int to = last < RichPos{f.item, f.from + f.length} ? last.offset : f.from + f.length;
        if (first.item > f.item || last.item < f.item || from >= to)
            continue;
        const RichItem& item = m_items.at(f.item);
        const int x0 = f.x + m_layout.offsetX(item, f, from);
        const int x1 = f.x + m_layout.offsetX(item, f, to);
        const QRect band(x0, top, x1 - x0, row.height);
        painter.save();
        painter.setClipRect(band);
        painter.fillRect(band, palette().color(QPalette::Highlight));
        paintFragment(painter, f, top, row.baseline, true);
        painter.restore();
    }
}

void RichChatView::paintFragment(QPainter& painter, const RichFragment& f, int top, int baseline, bool selected) const
{
    const RichItem& item = m_items.at(f.item);
    if (item.kind == RichItem::Kind::Image) {
        const int h = qRound(item.picture.deviceIndependentSize().height());
        painter.drawPixmap(f.x, top + baseline - h, item.picture);
        return;
    }
    const int s = m_layout.styleOf(item);
    const RichTextStyle look = s < 0 ? RichTextStyle{font(), Qt::black} : m_layout.styles().at(s);
    painter.setFont(look.font);
    painter.setPen(selected ? palette().color(QPalette::HighlightedText) : look.colour);
    painter.drawText(f.x, top + baseline, item.text.mid(f.from, f.length));
}

void RichChatView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // Words wrap at the width, so a new width needs a new layout.
    if (m_laidOutWidth >= 0 && viewport()->width() != m_laidOutWidth)
        Reformat();
    else
        updateScrollRange();
}

void RichChatView::scrollContentsBy(int, int)
{
    // Positions are rows of differing heights, so repaint rather than shift pixels.
    viewport()->update();
}

void RichChatView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    m_pressedLink = linkAt(p);
    m_anchor = m_focus = m_layout.positionAt(m_items, toContent(p));
    m_selecting = true;
    viewport()->update();
}

void RichChatView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (!m_selecting || !(event->buttons() & Qt::LeftButton)) {
        viewport()->setCursor(linkAt(p) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        return;
    }
    // Dragging past the top or bottom edge scrolls a row at a time.
    if (p.y() < 0)
        SetScrollPosition(ScrollPosition() - 1);
    else if (p.y() >= viewport()->height())
        SetScrollPosition(ScrollPosition() + 1);
    m_focus = m_layout.positionAt(m_items, toContent(p));
    viewport()->update();
}

void RichChatView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_selecting = false;
    const int link = linkAt(event->position().toPoint());
    const int pressed = m_pressedLink;
    m_pressedLink = -1;
    if (pressed >= 0 && link == pressed && !HasSelection())
        emit OnJump(link);
}

void RichChatView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        CopySelection();
    else if (event->matches(QKeySequence::SelectAll))
        SelectAllText();
    else
        QAbstractScrollArea::keyPressEvent(event);
}
