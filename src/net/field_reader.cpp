#include "field_reader.h"

#include <limits>

QByteArray FieldReader::next()
{
    const qsizetype plus = m_rest.indexOf('+');
    if (plus < 0)
        return {};
    QByteArray field = m_rest.left(plus);
    m_rest.remove(0, plus + 1);
    return field;
}

QByteArray FieldReader::rest()
{
    QByteArray all;
    all.swap(m_rest);
    return all;
}

QByteArray FieldReader::last()
{
    return m_rest.contains('+') ? next() : rest();
}

std::optional<int> FieldReader::nextInt()
{
    return toInt(next());
}

std::optional<int> FieldReader::lastInt()
{
    return toInt(last());
}

std::optional<int> FieldReader::toInt(const QByteArray& text)
{
    qsizetype i = 0;
    const bool negative = text.startsWith('-');
    if (negative)
        i = 1;
    // At most ten digits fit a 32-bit value; longer text is refused before it can overflow.
    const qsizetype digits = text.size() - i;
    if (digits < 1 || digits > 10)
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}
