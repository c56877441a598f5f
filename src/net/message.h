#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <initializer_list>

// Builds one wire message: command word, each field preceded by "+", then the
// terminator 0xFF. A message without fields is written with one empty field
// (the word and a "+"), since every message carries at least one "+".
class Message {
public:
    explicit Message(QByteArrayView command);

    Message& field(QByteArrayView text);
    Message& field(int value);
    // Several integer fields in a row, as field() would write each.
    Message& fields(std::initializer_list<int> values);
    // Appends text as it is (list payloads that already start with "+").
    Message& raw(QByteArrayView text);
    // Makes room for `more` bytes of fields at once (a long list).
    Message& reserve(qsizetype more);

    // The finished message with its terminator; shares the built text.
    QByteArray bytes() const { return m_text; }
    operator QByteArray() const { return bytes(); }

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
