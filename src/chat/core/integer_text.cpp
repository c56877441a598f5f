#include "integer_text.h"

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    return value < base ? value : -1;
}

// Reads the digits of text in base, giving nullopt past limit or on a bad digit.
std::optional<quint64> readDigits(QStringView digits, int base, quint64 limit)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * quint64(base) + quint64(d);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<qint32> IntegerText::parse(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const bool hex = i < text.size() && text[i] == u'$';
    if (hex)
        ++i;
    // Decimal is bounded by the signed range (one more below zero); hexadecimal
    // by the full 32 bits, which then wrap to the signed value.
    const quint64 limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    const auto magnitude = readDigits(text.mid(i), hex ? 16 : 10, limit);
    if (!magnitude)
        return std::nullopt;
    const quint32 bits = quint32(*magnitude);
    return qint32(negative ? quint32(0u - bits) : bits);
}
