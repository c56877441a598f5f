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
    char text[12] = {'+'};
    const char* end = std::to_chars(std::begin(text) + 1, std::end(text), value).ptr;
    m_text.append(text, end - text);
    return *this;
}

Message& Message::raw(QByteArrayView text)
{
    m_text.append(text);
    return *this;
}

Message::Message(QByteArrayView command)
{
    // Room for the fields of most messages, so they do not grow it again and again.
    m_text.reserve(command.size() + 48);
    m_text.append(command);
}

QByteArray Message::bytes() const
{
    QByteArray out;
    out.reserve(m_text.size() + 1);
    out.append(m_text).append(MessageSplitter::Terminator);
    return out;
}

CommandLine CommandLine::parse(const QByteArray& message)
{
    const qsizetype plus = message.indexOf('+');
    if (plus < 0)
        return {};
    return {message.left(plus), message.mid(plus + 1)};
}
