#pragma once

#include "net/message_splitter.h"

#include <QByteArray>
#include <QList>
#include <QTcpSocket>
#include <functional>

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
    // Resets the connection instead of closing it cleanly.
    void abort();

    // The next unread message; empty when none arrives within the wait.
    QByteArray next(int timeoutMs = 5000);
    // Skips to the next unread message with this command word and returns it.
    QByteArray nextOf(const QByteArray& command, int timeoutMs = 5000);
    bool waitClosed(int timeoutMs = 5000);
    bool isOpen() const;

    int slot = 0;

private:
    void pump();
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);

    QTcpSocket m_socket;
    MessageSplitter m_splitter{0};
    QList<QByteArray> m_received;
    qsizetype m_cursor = 0;
};

// Reads every client up to a chat line sent by the last of them, so that what
// the server sent before (logins, announcements) has been read by all.
bool settle(const QList<TestClient*>& clients);
