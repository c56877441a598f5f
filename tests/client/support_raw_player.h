#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpSocket>
#include <QTest>

// A player that speaks the wire protocol by hand: it logs in to a game server
// and records every message it receives, byte for byte (terminator removed).
class RawPlayer {
public:
    bool login(quint16 port, const QByteArray& name)
    {
        m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        const QByteArray hello = nextOf("CMD_sendlogininfo");
        if (hello.isEmpty())
            return false;
        slot = hello.mid(hello.indexOf('+') + 1).toInt();
        send("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.12+" + name);
        return !nextOf("CMD_newplayerinfo").isEmpty();
    }

    void send(const QByteArray& message) { m_socket.write(message + char(0xFF)); }

    // Skips to the next unread message with this command word; empty when none
    // comes within the wait.
    QByteArray nextOf(const QByteArray& command, int timeoutMs = 5000)
    {
        QByteArray found;
        (void)QTest::qWaitFor(
            [&] {
                pump();
                while (m_cursor < m_received.size()) {
                    const QByteArray& m = m_received.at(m_cursor++);
                    if (m == command || m.startsWith(command + '+')) {
                        found = m;
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
        return found;
    }

    int slot = 0;

private:
    void pump()
    {
        m_pending += m_socket.readAll();
        qsizetype end;
        while ((end = m_pending.indexOf(char(0xFF))) >= 0) {
            m_received << m_pending.left(end);
            m_pending.remove(0, end + 1);
        }
    }

    QTcpSocket m_socket;
    QByteArray m_pending;
    QList<QByteArray> m_received;
    qsizetype m_cursor = 0;
};
