#include "message_splitter.h"

#include "net_log.h"

QList<QByteArray> MessageSplitter::feed(const QByteArray& bytes)
{
    QList<QByteArray> messages;
    feedEach(bytes, [&messages](QByteArray message) {
        messages.append(std::move(message));
        return true;
    });
    return messages;
}

void MessageSplitter::keepTail(qsizetype start)
{
    // Most reads end on a terminator: then nothing is left to keep.
    if (start == m_pending.size())
        m_pending.clear();
    else
        m_pending.remove(0, start);
    if (m_cap > 0 && m_pending.size() > m_cap) {
        // No honest message is this long: drop the tail rather than keep growing.
        qCWarning(lcNet) << "dropped" << m_pending.size() << "bytes that end no message; the peer is cut off";
        m_overflowed = true;
        m_pending.clear();
    }
}

void MessageSplitter::clear()
{
    m_pending.clear();
    m_searched = 0;
    m_overflowed = false;
}
