#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

// A scripted far end on a free local port: plays the game server or the lobby.
class ScriptedPeer {
public:
    ScriptedPeer();
    quint16 port() const { return m_server.serverPort(); }
    bool listening() const { return m_server.isListening(); }

    // Waits (event loop running) for the client's connection.
    bool accept();
    // Whether a connection came, without waiting for one.
    bool contacted() const { return m_peer != nullptr || m_server.hasPendingConnections(); }
    void write(const QByteArray& bytes);
    // Everything received so far, after waiting until at least `size` bytes came.
    QByteArray read(qsizetype size);
    void close();

private:
    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_received;
};

// The byte that ends every message.
inline const QByteArray FF(1, char(0xFF));
