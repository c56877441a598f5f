#include "seat_proxy.h"

#include "net/message.h"

SeatProxy::SeatProxy(quint16 serverPort, QObject* parent) : QObject(parent), m_serverPort(serverPort)
{
    connect(&m_listener, &QTcpServer::newConnection, this, &SeatProxy::accept);
    m_listener.listen(QHostAddress::LocalHost, 0);
}

void SeatProxy::accept()
{
    while (QTcpSocket* next = m_listener.nextPendingConnection()) {
        if (m_down) {
            next->abort();
            next->deleteLater();
            continue;
        }
        m_down = next;
        m_up = new QTcpSocket(this);
        m_up->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_down->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_splitter.clear();
        m_check.reset();
        connect(m_down, &QTcpSocket::readyRead, this, &SeatProxy::fromPlayer);
        connect(m_up, &QTcpSocket::readyRead, this, &SeatProxy::fromServer);
        connect(m_down, &QTcpSocket::disconnected, this, &SeatProxy::hangUp);
        connect(m_up, &QTcpSocket::disconnected, this, &SeatProxy::hangUp);
        // Bytes the player sends before the server answers wait in the socket.
        m_up->connectToHost(QHostAddress::LocalHost, m_serverPort);
    }
}

void SeatProxy::fromPlayer()
{
    if (m_down && m_up)
        m_up->write(m_down->readAll());
}

void SeatProxy::startGame(int mode)
{
    if (m_up)
        m_up->write(Message("CMD_startgame").field("").field(mode).field("").bytes());
}

void SeatProxy::fromServer()
{
    if (!m_down || !m_up)
        return;
    const QByteArray bytes = m_up->readAll();
    m_down->write(bytes);
    const int before = m_check.slot();
    for (const QByteArray& message : m_splitter.feed(bytes))
        m_check.take(message);
    if (before == 0 && m_check.slot() != 0)
        emit slotGiven(m_check.slot());
}

void SeatProxy::hangUp()
{
    // Pass on what is left, then close the other side too.
    if (m_up && m_down && m_down->bytesAvailable() > 0)
        fromPlayer();
    if (m_up && m_down && m_up->bytesAvailable() > 0)
        fromServer();
    for (QTcpSocket* s : {m_down.data(), m_up.data()}) {
        if (!s)
            continue;
        s->disconnect(this);
        s->disconnectFromHost();
        s->deleteLater();
    }
    m_down.clear();
    m_up.clear();
}
