#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Builds one wire message: command word, each field preceded by "+", then the
// terminator 0xFF. A message without fields is written with one empty field
// (the word and a "+"), since every message carries at least one "+".
class Message {
public:
    explicit Message(QByteArrayView command);

    Message& field(QByteArrayView text);
    Message& field(int value);
    // Appends text as it is (list payloads that already start with "+").
    Message& raw(QByteArrayView text);

    // The finished message with its terminator.
    QByteArray bytes() const;
    operator QByteArray() const { return bytes(); }

private:
    QByteArray m_text;
};

// Splits a queued message into command word and payload at the first "+".
// A message without "+" has an empty command word.
struct CommandLine {
    QByteArray command;
    QByteArray payload;
    static CommandLine parse(const QByteArray& message);
};
