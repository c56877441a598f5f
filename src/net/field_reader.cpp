#include "field_reader.h"

#include <algorithm>
#include <limits>
#include <utility>

QByteArray FieldReader::next()
{
    const qsizetype plus = nextEnd();
    if (plus < 0)
        return {};
    QByteArray field = m_text.sliced(m_at, plus - m_at);
    m_at = plus + 1;
    return field;
}

QByteArray FieldReader::rest()
{
    QByteArray all = m_at == 0 ? std::exchange(m_text, {}) : m_text.sliced(std::min(m_at, m_text.size()));
    m_text.clear();
    m_at = 0;
    return all;
}

QByteArray FieldReader::last()
{
    return nextEnd() >= 0 ? next() : rest();
}

qsizetype FieldReader::fieldsLeft() const
{
    if (atEnd())
        return 0;
    const QByteArrayView left = QByteArrayView(m_text).sliced(m_at);
    return left.count('+') + (left.endsWith('+') ? 0 : 1);
}

std::optional<int> FieldReader::nextInt()
{
    const qsizetype plus = nextEnd();
    if (plus < 0)
        return std::nullopt;
    const QByteArrayView field = QByteArrayView(m_text).sliced(m_at, plus - m_at);
    m_at = plus + 1;
    return toInt(field);
}

std::optional<int> FieldReader::lastInt()
{
    if (nextEnd() >= 0)
        return nextInt();
    // Read where it stands: a pick ends in one, and a copy for a few digits
    // would be the read's only allocation.
    const std::optional<int> value = toInt(QByteArrayView(m_text).sliced(std::min(m_at, m_text.size())));
    m_text.clear();
    m_at = 0;
    return value;
}

std::optional<int> FieldReader::toInt(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = negative ? text.sliced(1) : text;
    // At most ten digits fit a 32-bit value; longer text is refused before it can overflow.
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : digits) {
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
