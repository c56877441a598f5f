#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

// A spectator that keeps about 200 messages waiting in the server's queue for
// the whole run: requests the server ignores, with every tenth one a chatter
// sound that comes back to it, which tells it how many have been handled. The
// honest seats must play on beside it at their usual pace.
class Flooder : public QObject {
    Q_OBJECT
public:
    explicit Flooder(quint16 serverPort, QObject* parent = nullptr);

    void join();
    bool present() const { return m_socket.state() == QAbstractSocket::ConnectedState && m_slot > 6; }
    // Messages the server has handled, and times it was cut off.
    qint64 handled() const { return m_handled; }
    qint64 cuts() const { return m_cuts; }

private:
    static constexpr int Backlog = 200;
    static constexpr int MarkEvery = 10;

    void read();
    void topUp();

    quint16 m_serverPort;
    QTcpSocket m_socket;
    QTimer m_timer;
    QByteArray m_pending;
    QByteArray m_mark;
    int m_slot = 0;
    qint64 m_sent = 0;
    qint64 m_handled = 0;
    qint64 m_cuts = 0;
};
