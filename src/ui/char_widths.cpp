#include "char_widths.h"

namespace {

constexpr qsizetype kMaxRemembered = 4096;

} // namespace

CharWidths::CharWidths(const QFont& font) : m_metrics(font)
{
    m_latin.fill(-1);
}

qreal CharWidths::at(const QString& text, qsizetype at, int* size)
{
    const QChar c = text.at(at);
    *size = 1;
    if (c.unicode() < m_latin.size()) {
        qreal& w = m_latin[c.unicode()];
        if (w < 0)
            w = m_metrics.horizontalAdvance(c);
        return w;
    }
    char32_t code = c.unicode();
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(c, text.at(at + 1));
        *size = 2;
    }
    const auto found = m_other.constFind(code);
    if (found != m_other.cend())
        return *found;
    // A line of ever new characters must not grow the table without end.
    if (m_other.size() >= kMaxRemembered)
        m_other.clear();
    const qreal w = m_metrics.horizontalAdvance(text.mid(at, *size));
    m_other.insert(code, w);
    return w;
}

qreal CharWidths::of(const QString& text, qsizetype from, qsizetype end)
{
    qreal sum = 0;
    int size = 1;
    for (qsizetype i = from; i < end; i += size)
        sum += at(text, i, &size);
    return sum;
}
