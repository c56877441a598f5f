#pragma once

#include <QByteArray>
#include <optional>

// Takes a message payload apart from the left. `next()` is the text before the
// next "+" (removed with it); with no further "+" it reads as empty and leaves
// the remainder unchanged. `rest()` takes everything that remains.
class FieldReader {
public:
    explicit FieldReader(QByteArray payload) : m_rest(std::move(payload)) { }

    QByteArray next();
    QByteArray rest();
    // The last field of a message, which has no "+" after it: like next() when a
    // "+" follows, else everything that remains.
    QByteArray last();

    // Integer fields: decimal text with an optional leading "-", within 32 bits.
    // Anything else gives nullopt, and the handler drops the message there.
    std::optional<int> nextInt();
    std::optional<int> lastInt();

    bool atEnd() const { return m_rest.isEmpty(); }
    const QByteArray& remainder() const { return m_rest; }

    static std::optional<int> toInt(const QByteArray& text);

private:
    QByteArray m_rest;
};
