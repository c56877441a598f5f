#include "table_text.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <string>

namespace {
// Bytes of the UTF-8 sequence that `lead` starts, and the UTF-16 units it
// decodes to. A byte that starts no valid sequence counts as one byte and one
// unit (the replacement character a reader shows for it).
struct Step {
    int bytes = 1;
    int units = 1;
};

bool continuation(char byte)
{
    return (uchar(byte) & 0xC0) == 0x80;
}

Step stepAt(const QByteArray& utf8, qsizetype at)
{
    const uchar lead = uchar(utf8.at(at));
    int length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + length > utf8.size())
        return {};
    for (int i = 1; i < length; ++i)
        if (!continuation(utf8.at(at + i)))
            return {};
    return {length, length == 4 ? 2 : 1};
}
} // namespace

QByteArray TableText::cut(const QByteArray& utf8, int limit)
{
    // No sequence decodes to more units than it has bytes.
    if (utf8.size() <= limit)
        return utf8;
    qsizetype at = 0;
    int units = 0;
    while (at < utf8.size()) {
        const Step step = stepAt(utf8, at);
        if (units + step.units > limit)
            return utf8.left(at);
        units += step.units;
        at += step.bytes;
    }
    return utf8;
}

QByteArray TableText::cutLine(const QByteArray& text, int limit)
{
    const qsizetype bar = text.lastIndexOf('|');
    if (bar < 0 || text.size() - bar - 1 > ColourLength)
        return visible(cut(text, limit));
    return visible(cut(text.left(bar), limit)) + text.mid(bar);
}

bool TableText::invisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control: // C0, DEL, C1
    case QChar::Other_Format: // bidi marks, overrides, isolates, zero-width
    case QChar::Separator_Line: // breaks a chat line in two
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned: return true;
    default: return false;
    }
}

QByteArray TableText::visible(const QByteArray& utf8)
{
    // Printable ASCII, nearly every line, has nothing to drop.
    const bool plain = std::all_of(utf8.cbegin(), utf8.cend(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (plain)
        return utf8;
    std::u32string kept;
    const QList<uint> all = QString::fromUtf8(utf8).toUcs4();
    for (const uint c : all)
        if (!invisible(c))
            kept += char32_t(c);
    if (qsizetype(kept.size()) == all.size())
        return utf8;
    return QString::fromUcs4(kept.data(), qsizetype(kept.size())).toUtf8();
}
