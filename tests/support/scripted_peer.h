#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A scripted far end on a free local port, playing the game server or the
// lobby for a client under test. Waits run the event loop.
class ScriptedPeer {
public:
    ScriptedPeer() { m_server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return m_server.serverPort(); }

    bool accept()
    {
        if (!QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 5000))
            return false;
        m_peer = m_server.nextPendingConnection();
        return m_peer != nullptr;
    }
    // Whether the client connected, without waiting for it.
    bool contacted() const { return m_peer || m_server.hasPendingConnections(); }
    void write(const QByteArray& bytes) { m_peer->write(bytes); }
    void close() { m_peer->disconnectFromHost(); }
    // Everything received so far, once at least `size` bytes have come.
    QByteArray read(qsizetype size)
    {
        (void)QTest::qWaitFor(
            [&] {
                m_received += m_peer->readAll();
                return m_received.size() >= size;
            },
            5000);
        return m_received;
    }

private:
    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_received;
};

// The byte that ends every message.
inline const QByteArray FF(1, char(0xFF));
