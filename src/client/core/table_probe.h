#pragma once

#include "client_session.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

// Asks whether a table answers at an address before the player leaves the
// game he is in for it: connects, reads the table's first word ("CMD_…")
// and hangs up without logging in, so a join that would fail keeps the
// current game.
class TableProbe : public QObject {
    Q_OBJECT
public:
    explicit TableProbe(QObject* parent = nullptr);

    // Starts a probe; one started before is dropped.
    void probe(const QString& host, quint16 port, int timeoutMs);

signals:
    void answered();
    void failed(ClientSession::JoinFailure reason);

private:
    void read();
    void error(QAbstractSocket::SocketError error);
    void finish();

    QTcpSocket m_socket;
    QTimer m_timeout;
    QByteArray m_first;
    bool m_busy = false;
};
