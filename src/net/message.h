#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <initializer_list>
#include <span>

// Builds one wire message: command word, each field preceded by "+", then the
// terminator 0xFF. A message without fields is written with one empty field
// (the word and a "+"), since every message carries at least one "+".
class Message {
public:
    // `room` is the bytes of fields expected: a long list gets its whole
    // buffer at once instead of a short one and then a long one.
    explicit Message(QByteArrayView command, qsizetype room = DefaultRoom);

    Message& field(QByteArrayView text);
    Message& field(int value);
    // Several integer fields in a row, as field() would write each.
    Message& fields(std::initializer_list<int> values) { return fields(std::span(values.begin(), values.size())); }
    Message& fields(std::span<const int> values);
    // Appends text as it is (list payloads that already start with "+").
    Message& raw(QByteArrayView text);

    // The finished message with its terminator; shares the built text.
    QByteArray bytes() const { return m_text; }
    operator QByteArray() const { return bytes(); }

    // Room for the fields of most messages, so they do not grow it again and again.
    static constexpr qsizetype DefaultRoom = 48;

private:
    // Puts text before the terminator.
    void append(QByteArrayView text);

    // The message so far, always ending in the terminator, so that handing
    // it out copies nothing.
    QByteArray m_text;
};

// Splits a queued message into command word and payload at the first "+".
// A message without "+" has an empty command word.
struct CommandLine {
    QByteArray command;
    QByteArray payload;
    static CommandLine parse(const QByteArray& message);
    // Where the command word ends (the first "+"), or -1 when there is none.
    static qsizetype commandEnd(const QByteArray& message) { return message.indexOf('+'); }
};
