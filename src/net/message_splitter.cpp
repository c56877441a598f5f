#include "message_splitter.h"

#include "net_log.h"

QList<QByteArray> MessageSplitter::feed(const QByteArray& bytes)
{
    QList<QByteArray> messages;
    m_pending.append(bytes);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_pending.indexOf(Terminator, start);
        if (end < 0)
            break;
        messages.append(m_pending.mid(start, end - start));
        start = end + 1;
    }
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
    return messages;
}

void MessageSplitter::clear()
{
    m_pending.clear();
    m_overflowed = false;
}
