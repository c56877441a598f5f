#pragma once

#include <QFont>
#include <QString>
#include <array>

// One look of the chat view: every line shown in a text style takes its look.
struct ChatTextStyle {
    QString fontName;
    int size = 10;
    quint32 colour = 0; // colour value, see ColourText
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    QFont font() const;
};

// The chat's fifteen text styles, numbered by sending slot (0 for the client's
// own status lines, 4 also for links). They are shared: showing a line in a
// style gives that style the line's colour, so every earlier line of the style
// changes with it at the next layout.
class ChatTextStyles {
public:
    static constexpr int Count = 15;
    static constexpr int BuiltInSize = 10;
    static constexpr int LinkStyle = 4;

    ChatTextStyles();

    static bool isStyle(int n) { return n >= 0 && n < Count; }
    // n must satisfy isStyle.
    const ChatTextStyle& style(int n) const { return m_styles[size_t(n)]; }

    // The size of all fifteen styles; size() reports style 0's.
    void setSize(int points);
    int size() const { return m_styles[0].size; }

    // The look of style n while it shows a line of that colour: the colour, and
    // bold alone. n must satisfy isStyle.
    void showLineIn(int n, quint32 colour);

private:
    std::array<ChatTextStyle, Count> m_styles;
};
