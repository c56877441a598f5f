#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QPalette;

// Colours as the chat, the phrases and the settings file write them. A colour is
// a 32-bit value: 0x00BBGGRR for ordinary colours (red in the low byte),
// SystemBase + k for the desktop's k-th system colour, None for no colour. As
// text it is one of 42 names ("clNavy", "clWindowText", "clNone", ...) or "$"
// with eight upper-case hexadecimal digits.
class ColourText {
public:
    static constexpr quint32 Black = 0x000000;
    static constexpr quint32 Maroon = 0x000080;
    static constexpr quint32 Green = 0x008000;
    static constexpr quint32 Navy = 0x800000;
    static constexpr quint32 Silver = 0xC0C0C0;
    static constexpr quint32 Red = 0x0000FF;
    static constexpr quint32 Blue = 0xFF0000;
    static constexpr quint32 SystemBase = 0x80000000u;
    static constexpr quint32 WindowText = SystemBase + 8;
    static constexpr quint32 None = 0x1FFFFFFF;

    // The name when the value has one, else "$" and eight hexadecimal digits.
    static QString toText(quint32 colour);
    // A name in any letter case, else a whole number (see IntegerText); nullopt
    // when the text is neither.
    static std::optional<quint32> fromText(QStringView text);

    // The colour to draw with. System colours come from the palette; any other
    // value uses its low three bytes as blue, green and red.
    static QColor toColor(quint32 colour, const QPalette& palette);
    // The same with the application's palette.
    static QColor toColor(quint32 colour);
    static quint32 fromColor(const QColor& colour);
    static quint32 fromRgb(int red, int green, int blue);
};
