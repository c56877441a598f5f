#pragma once

#include "net/message_splitter.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A link between a player's window and a table that the bench can break, as a
// router that loses a connection does: the window connects to the relay, the
// relay connects on to the table and passes the bytes both ways, reading the
// messages as they pass. One window at a time; a new connection from it is
// passed on to the table afresh.
class LinkRelay : public QObject {
    Q_OBJECT
public:
    explicit LinkRelay(quint16 tablePort, QObject* parent = nullptr);

    // Listens on a loopback port of its own; 0 when it cannot.
    quint16 listen();
    // Resets both ends of the link at once (a TCP reset to each).
    void reset();
    bool linked() const { return m_window && m_table; }

signals:
    // The window opened a new link through the relay.
    void windowConnected();
    // A message the window sent (its login, its picks), without terminator.
    void fromWindow(const QByteArray& message);
    // A message the table sent to the window, once passed on to it.
    void toWindow(const QByteArray& message);

private:
    void accept();
    void pass(QTcpSocket& from, QTcpSocket* to, MessageSplitter& splitter, bool towardWindow);
    static void abortWithReset(QTcpSocket* socket);

    quint16 m_tablePort;
    QTcpServer m_listener;
    QPointer<QTcpSocket> m_window;
    QPointer<QTcpSocket> m_table;
    MessageSplitter m_windowMessages;
    MessageSplitter m_tableMessages;
};
