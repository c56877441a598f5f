#pragma once

#include "wire_client.h"

#include <QRandomGenerator>
#include <QTimer>

// A client that sends the server garbage: random bytes with stray message
// ends, and well-formed messages that name other slots or impossible values,
// none of which may change anything. It takes only a spectator's slot (a seat
// it held would keep every round open to its end), and comes and goes.
class GarbageClient : public WireClient {
public:
    GarbageClient(quint16 serverPort, quint32 seed, QObject* parent = nullptr);

    void join() { open(m_serverPort); }
    void leave();
    bool present() const { return isOpen() && slot > 6; }
    // Times a connection was turned away with "CMD_full".
    qint64 refusals() const { return m_refusals; }
    qint64 bytesSent() const { return m_sent; }

protected:
    void seen(const QByteArray& message) override;

private:
    void spray();
    QByteArray randomBytes();
    QByteArray spoofed();

    quint16 m_serverPort;
    QTimer m_timer;
    QRandomGenerator m_random;
    qint64 m_refusals = 0;
    qint64 m_sent = 0;
};
