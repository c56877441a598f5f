#pragma once

#include "wire_client.h"

#include <QTimer>

// A spectator that keeps about 200 messages waiting in the server's queue for
// the whole run: requests the server ignores, with every tenth one a chatter
// sound that comes back to it, which tells it how many have been handled. The
// honest seats must play on beside it at their usual pace.
class Flooder : public WireClient {
public:
    explicit Flooder(quint16 serverPort, QObject* parent = nullptr);

    void join();
    bool present() const { return isOpen() && slot > 6; }
    // Messages the server has handled, and times it was cut off.
    qint64 handled() const { return m_handled; }
    qint64 cuts() const { return m_cuts; }

protected:
    void seen(const QByteArray& message) override;

private:
    static constexpr int Backlog = 200;
    static constexpr int MarkEvery = 10;

    void topUp();

    quint16 m_serverPort;
    QTimer m_timer;
    QByteArray m_mark;
    qint64 m_sent = 0;
    qint64 m_handled = 0;
    qint64 m_cuts = 0;
};
