#pragma once

#include <QByteArray>
#include <QList>

// Cuts a connection's received bytes into messages at the terminator byte 0xFF.
// Whatever follows the last terminator waits in `pending` for the next read.
class MessageSplitter {
public:
    static constexpr char Terminator = char(0xFF);
    // Largest unterminated tail a connection may hold; no honest message comes
    // near it, so a peer that passes it is cut off.
    static constexpr qsizetype DefaultCap = qsizetype(1024) * 1024;

    explicit MessageSplitter(qsizetype cap = DefaultCap) : m_cap(cap) { }

    // Appends `bytes` and returns the completed messages, oldest first, without
    // their terminators. Sets overflowed() (and drops the tail) when the
    // unterminated tail grows past the cap.
    QList<QByteArray> feed(const QByteArray& bytes);
    // As feed(), but hands each message to `each` as it is cut off, with no list
    // to allocate: a read mostly brings one message. Stops cutting when `each`
    // returns false, and returns false then; the rest stays pending.
    template <typename Each>
    bool feedEach(const QByteArray& bytes, Each&& each);

    const QByteArray& pending() const { return m_pending; }
    bool overflowed() const { return m_overflowed; }
    void clear();

private:
    // Keeps what follows the last terminator cut at `start`; checks the cap.
    void keepTail(qsizetype start);

    QByteArray m_pending;
    // Leading bytes of m_pending already searched and holding no terminator:
    // a long message dribbled in small reads is searched once, not once per read.
    qsizetype m_searched = 0;
    qsizetype m_cap;
    bool m_overflowed = false;
};

template <typename Each>
bool MessageSplitter::feedEach(const QByteArray& bytes, Each&& each)
{
    m_pending.append(bytes);
    qsizetype start = 0;
    bool more = true;
    for (qsizetype end = m_pending.indexOf(Terminator, m_searched); more && end >= 0;
         end = m_pending.indexOf(Terminator, start)) {
        more = each(m_pending.sliced(start, end - start));
        start = end + 1;
    }
    keepTail(start);
    // Cut short, the rest may still hold whole messages.
    m_searched = more ? m_pending.size() : 0;
    return more;
}
