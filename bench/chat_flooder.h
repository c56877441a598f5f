#pragma once

#include "net/message_splitter.h"

#include <QObject>
#include <QTcpSocket>

// A player who floods the table with chat lines: it logs in, then keeps
// `window` of its own lines on their way at all times, sending another as each
// comes back relayed. The server's queue for it never empties, so it takes
// every turn the other connections leave, yet it stays under the queue cap
// that would cut it off.
class ChatFlooder : public QObject {
    Q_OBJECT
public:
    ChatFlooder(quint16 port, int window, QObject* parent = nullptr);
    void start();
    // Its lines the server has relayed so far.
    qint64 relayed() const { return m_relayed; }

signals:
    // The connection was lost.
    void failed();

private:
    void read();
    void handle(const QByteArray& message);
    void sendLine();

    quint16 m_port;
    int m_window;
    QTcpSocket m_socket;
    MessageSplitter m_pending;
    int m_slot = 0;
    bool m_flooding = false;
    qint64 m_relayed = 0;
};
