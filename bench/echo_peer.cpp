#include "echo_peer.h"

#include "bench_support.h"
#include "net/protocol_to_server.h"

EchoServer::EchoServer(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &EchoServer::accept);
}

quint16 EchoServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0) ? m_server.serverPort() : 0;
}

void EchoServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->write(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

PingClient::PingClient(quint16 port, int count, int paceMin, int paceMax, QObject* parent)
    : QObject(parent), m_port(port), m_count(count), m_paceMin(paceMin), m_paceMax(paceMax),
      // As long as a pick, terminator included.
      m_message(ToServer::SelectTile{1, 3, 4}.bytes())
{
    m_pace.setSingleShot(true);
    m_pace.setTimerType(Qt::PreciseTimer);
    connect(&m_pace, &QTimer::timeout, this, &PingClient::ping);
    connect(&m_socket, &QTcpSocket::connected, this, &PingClient::ping);
    connect(&m_socket, &QTcpSocket::readyRead, this, &PingClient::read);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { emit finished(1); });
}

void PingClient::start()
{
    m_socket.connectToHost(QHostAddress::LocalHost, m_port);
}

void PingClient::ping()
{
    m_received = 0;
    m_sentNs = bench::monotonicNs();
    m_socket.write(m_message);
}

void PingClient::read()
{
    const qint64 now = bench::monotonicNs();
    m_received += m_socket.readAll().size();
    if (m_received < m_message.size())
        return;
    m_roundTrips << double(now - m_sentNs) / 1000.0;
    if (m_roundTrips.size() >= m_count) {
        emit finished(0);
        return;
    }
    const int spread = m_paceMax - m_paceMin;
    m_pace.start(m_paceMin + (spread > 0 ? int(m_rng.bounded(spread + 1)) : 0));
}
