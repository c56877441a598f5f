#pragma once

#include "rich_item.h"
#include "rich_layout.h"

#include <QAbstractScrollArea>

// A scrolling view of rich lines: text in numbered styles, links and inline
// pictures. Items are added to the current line and shown at the next
// Reformat, which lays everything out with the styles' looks of that moment;
// the styles are shared, so changing one restyles earlier items too, at the next
// Reformat. The vertical scroll position counts rows from the top.
class RichChatView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int DefaultStyleCount = 15;
    static constexpr int Margin = 5;

    explicit RichChatView(QWidget* parent = nullptr);

    int TextStyleCount() const { return int(m_styles.size()); }
    RichTextStyle TextStyle(int n) const;
    void SetTextStyle(int n, const RichTextStyle& style);
    // Links are drawn in this style (4 unless changed).
    int LinkStyle() const { return m_linkStyle; }
    void SetLinkStyle(int n) { m_linkStyle = n; }

    void StartLine(const QString& text, int style);
    void AppendText(const QString& text, int style);
    void AppendLink(const QString& text, int linkNumber);
    // Does nothing when index is outside the list.
    void AppendImage(int index, const RichImageList& images);
    void Reformat();
    void ClearView();
    void SelectAllText();
    // Puts the selected text on the clipboard: items as they stand, CR LF before
    // each item that begins a line (but the first), pictures left out.
    void CopySelection();
    int ItemCount() const { return int(m_items.size()); }
    // Lines begun so far and still held.
    int LineCount() const { return m_lines; }
    // The view keeps at most this many lines (0: no limit); at each Reformat the
    // oldest lines beyond it are dropped whole.
    void SetLineLimit(int lines) { m_lineLimit = std::max(0, lines); }
    // The number of the first link still held, or -1 when none is.
    int FirstLink() const;
    void SetScrollPosition(int position);

    int ScrollPosition() const;
    int ScrollMaximum() const;
    bool HasSelection() const { return m_anchor != m_focus; }
    QString SelectedText() const;
    // Where the item's first piece is drawn in viewport coordinates, or an empty
    // rectangle when it is not laid out.
    QRect ItemRect(int item) const;

signals:
    void OnJump(int linkNumber);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void append(RichItem item);
    void dropOldLines();
    void updateScrollRange();
    int contentTop() const;
    QPoint toContent(QPoint viewportPoint) const;
    int linkAt(QPoint viewportPoint) const;
    void paintRow(QPainter& painter, const RichRow& row, int top) const;
    void paintFragment(QPainter& painter, const RichFragment& f, int top, int baseline, bool selected) const;
    std::pair<RichPos, RichPos> selection() const;

    QList<RichItem> m_items;
    int m_lines = 0;
    int m_lineLimit = 0;
    QList<RichTextStyle> m_styles;
    int m_linkStyle = 4;
    RichLayout m_layout;
    int m_laidOutWidth = -1;
    RichPos m_anchor;
    RichPos m_focus;
    bool m_selecting = false;
    int m_pressedLink = -1;
};
