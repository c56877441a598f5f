#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Takes a message payload apart from the left. `next()` is the text before the
// next "+" (removed with it); with no further "+" it reads as empty and leaves
// the remainder unchanged. `rest()` takes everything that remains.
class FieldReader {
public:
    explicit FieldReader(QByteArray payload) : m_text(std::move(payload)) { }
    // Reads a whole message's payload, which starts at `from`.
    FieldReader(QByteArray message, qsizetype from) : m_text(std::move(message)), m_at(from) { }

    QByteArray next();
    QByteArray rest();
    // The last field of a message, which has no "+" after it: like next() when a
    // "+" follows, else everything that remains.
    QByteArray last();

    // Integer fields: decimal text with an optional leading "-", within 32 bits.
    // Anything else gives nullopt, and the handler drops the message there.
    std::optional<int> nextInt();
    std::optional<int> lastInt();

    bool atEnd() const { return m_at >= m_text.size(); }
    // Fields still to read: one more than the "+" left, unless the payload
    // ends in one (next() never reads the empty field after a final "+").
    qsizetype fieldsLeft() const;
    QByteArray remainder() const { return m_text.sliced(m_at); }

    static std::optional<int> toInt(QByteArrayView text);

private:
    // Where the next field ends (at its "+"), or -1 when no "+" follows.
    qsizetype nextEnd() const { return m_text.indexOf('+', m_at); }

    // The payload stays whole; what has been read is skipped, not cut off, so
    // reading a long list moves no bytes, and an integer is read in place.
    QByteArray m_text;
    qsizetype m_at = 0;
};
