#include "message.h"

#include "message_splitter.h"

#include <charconv>
#include <iterator>

Message::Message(QByteArrayView command, qsizetype room)
{
    m_text.reserve(command.size() + 1 + room);
    m_text.append(command).append(MessageSplitter::Terminator);
}

void Message::append(QByteArrayView text)
{
    m_text.insert(m_text.size() - 1, text);
}

Message& Message::field(QByteArrayView text)
{
    append("+");
    append(text);
    return *this;
}

Message& Message::field(int value)
{
    // Written in place rather than through a string of its own: a deal's
    // messages carry over a hundred numbers.
    char text[12] = {'+'};
    const char* end = std::to_chars(std::begin(text) + 1, std::end(text), value).ptr;
    append(QByteArrayView(text, end - text));
    return *this;
}

Message& Message::fields(std::span<const int> values)
{
    // Gathered and put in at once: the deal's and the path's lists run to
    // hundreds of numbers.
    char text[96];
    char* at = std::begin(text);
    for (const int value : values) {
        if (std::end(text) - at < 12) {
            append(QByteArrayView(std::begin(text), at));
            at = std::begin(text);
        }
        *at++ = '+';
        at = std::to_chars(at, std::end(text), value).ptr;
    }
    append(QByteArrayView(std::begin(text), at));
    return *this;
}

Message& Message::raw(QByteArrayView text)
{
    append(text);
    return *this;
}

CommandLine CommandLine::parse(const QByteArray& message)
{
    const qsizetype plus = commandEnd(message);
    if (plus < 0)
        return {};
    return {message.left(plus), message.mid(plus + 1)};
}
