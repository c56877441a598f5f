#pragma once

#include <QObject>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

// A client that sends the server garbage: random bytes with stray message
// ends, and well-formed messages that name other slots or impossible values,
// none of which may change anything. It takes only a spectator's slot (a seat
// it held would keep every round open to its end), and comes and goes.
class GarbageClient : public QObject {
    Q_OBJECT
public:
    GarbageClient(quint16 serverPort, quint32 seed, QObject* parent = nullptr);

    void join();
    void leave();
    bool present() const { return m_socket.state() == QAbstractSocket::ConnectedState && m_slot > 6; }
    // Times a connection was turned away with "CMD_full".
    qint64 refusals() const { return m_refusals; }
    qint64 bytesSent() const { return m_sent; }

private:
    void read();
    void spray();
    QByteArray randomBytes();
    QByteArray spoofed();

    quint16 m_serverPort;
    QTcpSocket m_socket;
    QTimer m_timer;
    QRandomGenerator m_random;
    QByteArray m_pending;
    int m_slot = 0;
    qint64 m_refusals = 0;
    qint64 m_sent = 0;
};
