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
    static constexpr qsizetype DefaultCap = 1024 * 1024;

    explicit MessageSplitter(qsizetype cap = DefaultCap) : m_cap(cap) { }

    // Appends `bytes` and returns the completed messages, oldest first, without
    // their terminators. Sets overflowed() (and drops the tail) when the
    // unterminated tail grows past the cap.
    QList<QByteArray> feed(const QByteArray& bytes);

    const QByteArray& pending() const { return m_pending; }
    bool overflowed() const { return m_overflowed; }
    void clear();

private:
    QByteArray m_pending;
    qsizetype m_cap;
    bool m_overflowed = false;
};
