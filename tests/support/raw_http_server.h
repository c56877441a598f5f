#pragma once

// A loopback HTTP server for tests that must see requests byte for byte and
// control exactly how an answer arrives (held back midway, cut short, refused).
// Header-only and without Q_OBJECT, so any test folder can include it.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

class RawHttpServer {
public:
    struct Reply {
        // Status line and header lines, each ended by CRLF, without the blank line.
        QByteArray head = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n";
        QByteArray body;
        // Adds "Content-Length" for the whole body; off lets a test announce its own.
        bool announceLength = true;
        // Bytes of the body sent at once; the rest waits for releaseRest(). -1: all.
        qsizetype sendFirst = -1;
    };

    RawHttpServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return m_server.serverPort(); }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }
    QString url(const QString& target) const { return QStringLiteral("http://") + host() + target; }

    void setReply(const Reply& reply) { m_reply = reply; }
    // The answer to requests for one target; others get setReply's.
    void setReplyFor(const QByteArray& target, const Reply& reply) { m_replies.insert(target, reply); }
    // Every request received so far, request line and headers as they came.
    const QList<QByteArray>& requests() const { return m_requests; }
    bool holding() const { return !m_held.isNull(); }

    // Sends what was held back and ends the answer.
    void releaseRest()
    {
        if (!m_held)
            return;
        m_held->write(m_rest);
        m_held->disconnectFromHost();
        m_held.clear();
    }
    // Ends a held answer without the rest of its body.
    void closeHeld()
    {
        if (m_held)
            m_held->disconnectFromHost();
        m_held.clear();
    }

private:
    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray request = pending.left(end + 4);
        m_requests.append(request);
        m_pending.remove(socket);
        answer(socket, m_replies.value(request.split(' ').value(1), m_reply));
    }

    void answer(QTcpSocket* socket, const Reply& reply)
    {
        QByteArray head = reply.head;
        if (reply.announceLength)
            head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        head += "\r\n";
        if (reply.sendFirst < 0) {
            socket->write(head + reply.body);
            socket->disconnectFromHost();
            return;
        }
        socket->write(head + reply.body.left(reply.sendFirst));
        m_rest = reply.body.mid(reply.sendFirst);
        m_held = socket;
    }

    QTcpServer m_server;
    Reply m_reply;
    QHash<QByteArray, Reply> m_replies;
    QList<QByteArray> m_requests;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QPointer<QTcpSocket> m_held;
    QByteArray m_rest;
};
