#pragma once

#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// The reference for the pick round trip: two processes that bounce a message
// of a pick's size over a bare QTcpSocket, nothing of the game in between.

// Writes back whatever each connection sends, as soon as it is read.
class EchoServer : public QObject {
    Q_OBJECT
public:
    explicit EchoServer(QObject* parent = nullptr);
    // Listens on 127.0.0.1; returns the port, 0 on failure.
    quint16 listen();

private:
    void accept();

    QTcpServer m_server;
};

// Sends one message, waits for all of it to come back, waits the pace, and
// again, `count` times; each round trip timed from the write to the read that
// completes the echo.
class PingClient : public QObject {
    Q_OBJECT
public:
    PingClient(quint16 port, int count, int paceMin, int paceMax, QObject* parent = nullptr);
    void start();
    const QList<double>& roundTrips() const { return m_roundTrips; }

signals:
    void finished(int code);

private:
    void ping();
    void read();

    quint16 m_port;
    int m_count;
    int m_paceMin;
    int m_paceMax;
    QRandomGenerator m_rng{7772};
    QTcpSocket m_socket;
    QTimer m_pace;
    QByteArray m_message;
    qint64 m_received = 0;
    qint64 m_sentNs = 0;
    QList<double> m_roundTrips;
};
