#include "message.h"

#include "message_splitter.h"

#include <charconv>
#include <iterator>

Message& Message::field(QByteArrayView text)
{
    m_text.append('+');
    m_text.append(text);
    return *this;
}

Message& Message::field(int value)
{
    // Written in place rather than through a string of its own: a deal's
    // messages carry over a hundred numbers.
    char digits[12];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    m_text.append('+');
    m_text.append(digits, end - digits);
    return *this;
}

Message& Message::raw(QByteArrayView text)
{
    m_text.append(text);
    return *this;
}

QByteArray Message::bytes() const
{
    QByteArray out = m_text;
    out.append(MessageSplitter::Terminator);
    return out;
}

CommandLine CommandLine::parse(const QByteArray& message)
{
    const qsizetype plus = message.indexOf('+');
    if (plus < 0)
        return {};
    return {message.left(plus), message.mid(plus + 1)};
}
