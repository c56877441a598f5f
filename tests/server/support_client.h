#pragma once

#include "net/message_splitter.h"

#include <QByteArray>
#include <QList>
#include <QTcpSocket>

// A bare TCP client for the server tests: sends raw messages and keeps every
// message it receives, read in order through a cursor.
class TestClient {
public:
    TestClient();

    bool connectTo(quint16 port);
    // Connects and answers CMD_sendlogininfo with this name and version.
    bool login(quint16 port, const QByteArray& name, const QByteArray& version = "1.0.12");

    // Sends one message; the terminator is added here.
    void send(const QByteArray& message);
    void sendRaw(const QByteArray& bytes);
    void close();

    // The next unread message; empty when none arrives within the wait.
    QByteArray next(int timeoutMs = 5000);
    // Skips to the next unread message with this command word and returns it.
    QByteArray nextOf(const QByteArray& command, int timeoutMs = 5000);
    // Unread messages that have arrived so far, without waiting.
    QList<QByteArray> unread();
    bool waitClosed(int timeoutMs = 5000);
    bool isOpen() const;

    int slot = 0;

private:
    void pump();

    QTcpSocket m_socket;
    MessageSplitter m_splitter{0};
    QList<QByteArray> m_received;
    qsizetype m_cursor = 0;
};
