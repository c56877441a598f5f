#include "link_relay.h"

#include <QHostAddress>
#include <sys/socket.h>

LinkRelay::LinkRelay(quint16 tablePort, QObject* parent) : QObject(parent), m_tablePort(tablePort)
{
    connect(&m_listener, &QTcpServer::newConnection, this, &LinkRelay::accept);
}

quint16 LinkRelay::listen()
{
    return m_listener.listen(QHostAddress::LocalHost, 0) ? m_listener.serverPort() : 0;
}

void LinkRelay::accept()
{
    while (QTcpSocket* window = m_listener.nextPendingConnection()) {
        // A window that comes back replaces whatever is left of its old link.
        reset();
        m_windowMessages.clear();
        m_tableMessages.clear();
        window->setParent(this);
        window->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto* table = new QTcpSocket(this);
        m_window = window;
        m_table = table;
        // Bytes the window sends before the table answers the connect wait in
        // the window's socket until the table's end is open.
        connect(table, &QTcpSocket::connected, this, [this, window, table] {
            table->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            pass(*window, table, m_windowMessages, false);
        });
        connect(window, &QTcpSocket::readyRead, this, [this, window, table] {
            if (table->state() == QAbstractSocket::ConnectedState)
                pass(*window, table, m_windowMessages, false);
        });
        connect(table, &QTcpSocket::readyRead, this,
                [this, window, table] { pass(*table, window, m_tableMessages, true); });
        // An end that closes closes the other: the relay is only a wire.
        connect(window, &QTcpSocket::disconnected, table, &QTcpSocket::disconnectFromHost);
        connect(table, &QTcpSocket::disconnected, window, &QTcpSocket::disconnectFromHost);
        table->connectToHost(QHostAddress::LocalHost, m_tablePort);
        emit windowConnected();
    }
}

void LinkRelay::pass(QTcpSocket& from, QTcpSocket* to, MessageSplitter& splitter, bool towardWindow)
{
    const QByteArray bytes = from.readAll();
    if (!to || bytes.isEmpty())
        return;
    to->write(bytes);
    to->flush();
    splitter.feedEach(bytes, [&](const QByteArray& message) {
        if (towardWindow)
            emit toWindow(message);
        else
            emit fromWindow(message);
        return true;
    });
}

void LinkRelay::reset()
{
    // Neither end may see the other close first: each gets a reset, nothing else.
    for (QTcpSocket* end : {m_window.data(), m_table.data()})
        if (end)
            end->disconnect();
    abortWithReset(m_window);
    abortWithReset(m_table);
}

void LinkRelay::abortWithReset(QTcpSocket* socket)
{
    if (!socket)
        return;
    // A zero linger makes the close send a reset instead of a farewell.
    const linger now{1, 0};
    if (socket->socketDescriptor() >= 0)
        setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
    socket->abort();
    socket->deleteLater();
}
