#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QString>

// The look of one numbered text style of the rich chat view.
struct RichTextStyle {
    QFont font;
    QColor colour;
};

// The pictures AppendImage picks from by index.
using RichImageList = QList<QPixmap>;

// One item of the rich chat view: a piece of text, a link, or a picture. Text
// and links refer to their style by number, so they take the style's look at
// each layout.
struct RichItem {
    enum class Kind { Text, Link, Image };
    Kind kind = Kind::Text;
    QString text;
    int style = 0;
    int link = -1;
    QPixmap picture;
    bool startsLine = false;

    // Positions inside the item: characters of text, 0 or 1 for a picture.
    int length() const { return kind == Kind::Image ? 1 : int(text.size()); }
};

// A place between two characters (or before/after a picture) of the items.
struct RichPos {
    int item = 0;
    int offset = 0;

    auto operator<=>(const RichPos&) const = default;
};
