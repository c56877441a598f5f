#include "message.h"

#include "message_splitter.h"

Message& Message::field(QByteArrayView text)
{
    m_text.append('+');
    m_text.append(text);
    return *this;
}

Message& Message::field(int value)
{
    m_text.append('+');
    m_text.append(QByteArray::number(value));
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
