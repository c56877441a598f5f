#pragma once

#include "tsock.h"

#include <QByteArray>
#include <QString>
#include <utility>

// An accepted connection whose bytes travel in memory instead of over the
// network, for driving a server without sockets or an event loop. The peer's
// bytes go in with peerSends(); what the server sends collects in sent(). The
// peer reads at once, so the send limit never trips. Everything from TSock's
// reports up to the owner's handlers runs as for a network connection.
class MemorySock : public TSock {
    Q_OBJECT
public:
    explicit MemorySock(const QString& peerHost = QStringLiteral("127.0.0.1"), QObject* parent = nullptr);

    // The peer sends `bytes`: they arrive at once (OnRead) while the link is up.
    void peerSends(const QByteArray& bytes);
    // The peer hangs up (OnDisconnect, then the close).
    void peerCloses();
    // Everything sent to the peer since the last take.
    QByteArray takeSent() { return std::exchange(m_sent, {}); }
    const QByteArray& sent() const { return m_sent; }
    // Whether the link is still up (neither side has closed it).
    bool open() const { return m_open; }

protected:
    bool linked() const override { return m_open; }
    void writeToLink(const QByteArray& bytes) override { m_sent += bytes; }
    qint64 linkBacklog() const override { return 0; }
    void dropLink(bool) override { m_open = false; }

private:
    bool m_open = true;
    QByteArray m_sent;
};
