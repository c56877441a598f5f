#include "colour_text.h"

#include "integer_text.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

struct NamedColour {
    const char* name;
    quint32 value;
};

constexpr quint32 sys(quint32 k)
{
    return ColourText::SystemBase + k;
}

// Order matters only for toText: the first name with a value wins.
constexpr std::array<NamedColour, 42> kNames{{
    {"clBlack", 0x000000},         {"clMaroon", 0x000080},        {"clGreen", 0x008000},
    {"clOlive", 0x008080},         {"clNavy", 0x800000},          {"clPurple", 0x800080},
    {"clTeal", 0x808000},          {"clGray", 0x808080},          {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},           {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},       {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},         {"clScrollBar", sys(0)},       {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},   {"clInactiveCaption", sys(3)}, {"clMenu", sys(4)},
    {"clWindow", sys(5)},          {"clWindowFrame", sys(6)},     {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},      {"clCaptionText", sys(9)},     {"clActiveBorder", sys(10)},
    {"clInactiveBorder", sys(11)}, {"clAppWorkSpace", sys(12)},   {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},  {"clBtnFace", sys(15)},        {"clBtnShadow", sys(16)},
    {"clGrayText", sys(17)},       {"clBtnText", sys(18)},        {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},   {"cl3DDkShadow", sys(21)},     {"cl3DLight", sys(22)},
    {"clInfoText", sys(23)},       {"clInfoBk", sys(24)},         {"clNone", ColourText::None},
}};

// The palette entry that plays the part of each desktop system colour.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles{{
    QPalette::Button,
    QPalette::Dark,
    QPalette::Highlight,
    QPalette::Mid,
    QPalette::Window,
    QPalette::Base,
    QPalette::Shadow,
    QPalette::WindowText,
    QPalette::WindowText,
    QPalette::HighlightedText,
    QPalette::Window,
    QPalette::Window,
    QPalette::Dark,
    QPalette::Highlight,
    QPalette::HighlightedText,
    QPalette::Button,
    QPalette::Dark,
    QPalette::PlaceholderText,
    QPalette::ButtonText,
    QPalette::Text,
    QPalette::Light,
    QPalette::Shadow,
    QPalette::Midlight,
    QPalette::ToolTipText,
    QPalette::ToolTipBase,
}};

} // namespace

QString ColourText::toText(quint32 colour)
{
    for (const NamedColour& named : kNames) {
        if (named.value == colour)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<quint32> ColourText::fromText(QStringView text)
{
    for (const NamedColour& named : kNames) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (const auto number = IntegerText::parse(text))
        return quint32(*number);
    return std::nullopt;
}

QColor ColourText::toColor(quint32 colour, const QPalette& palette)
{
    if ((colour & 0xFF000000u) == SystemBase) {
        const quint32 k = colour - SystemBase;
        // An unknown system colour draws black, as the desktop answers for it.
        return k < kSystemRoles.size() ? palette.color(kSystemRoles[k]) : QColor(Qt::black);
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QColor ColourText::toColor(quint32 colour)
{
    return toColor(colour, qGuiApp ? QGuiApplication::palette() : QPalette());
}

quint32 ColourText::fromColor(const QColor& colour)
{
    return fromRgb(colour.red(), colour.green(), colour.blue());
}

quint32 ColourText::fromRgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}
