#include "chat_text_styles.h"

#include "colour_text.h"

#include <algorithm>

namespace {

ChatTextStyle look(quint32 colour, bool bold = false, bool italic = false, bool underline = false)
{
    ChatTextStyle s;
    s.fontName = QStringLiteral("Arial");
    s.size = ChatTextStyles::BuiltInSize;
    s.colour = colour;
    s.bold = bold;
    s.italic = italic;
    s.underline = underline;
    return s;
}

} // namespace

QFont ChatTextStyle::font() const
{
    QFont f(fontName);
    // A stored size can be anything a settings file holds; a font needs a
    // positive size and a sane upper bound to lay out at all.
    f.setPointSize(std::clamp(size, 1, 144));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

ChatTextStyles::ChatTextStyles()
{
    m_styles[0] = look(ColourText::Navy);
    m_styles[1] = look(ColourText::Blue, true);
    m_styles[2] = look(ColourText::Navy, true);
    m_styles[3] = look(ColourText::Maroon, false, true);
    m_styles[4] = look(ColourText::Green, false, false, true);
    m_styles[5] = look(ColourText::Green, false, false, true);
    m_styles[6] = look(ColourText::Silver);
    m_styles[7] = look(ColourText::Silver);
    for (int n = 8; n < Count; ++n)
        m_styles[size_t(n)] = look(ColourText::WindowText);
}

void ChatTextStyles::setSize(int points)
{
    for (ChatTextStyle& s : m_styles)
        s.size = points;
}

void ChatTextStyles::showLineIn(int n, quint32 colour)
{
    ChatTextStyle& s = m_styles[size_t(n)];
    s.colour = colour;
    s.bold = true;
    s.italic = false;
    s.underline = false;
    s.strikeOut = false;
}
