#include "discovery_asker.h"

#include "bench_support.h"

#include "net/discovery_datagram.h"

#include <QNetworkDatagram>

DiscoveryAsker::DiscoveryAsker(const Options& options, QObject* parent) : QObject(parent), m_options(options)
{
    for (int i = 0; i < qMax(1, options.sources); ++i) {
        auto socket = std::make_unique<QUdpSocket>();
        // 127.0.0.1, .2, ...: every address of 127/8 is this machine's.
        socket->bind(QHostAddress(quint32(0x7f000001 + i)), 0);
        QUdpSocket* s = socket.get();
        connect(s, &QUdpSocket::readyRead, this, [this, s] { read(*s); });
        m_sockets.push_back(std::move(socket));
    }
    m_pace.setTimerType(Qt::PreciseTimer);
    m_pace.setInterval(options.intervalMs);
    connect(&m_pace, &QTimer::timeout, this, &DiscoveryAsker::ask);
}

void DiscoveryAsker::start()
{
    m_pace.start();
}

void DiscoveryAsker::ask()
{
    if (m_asked == m_options.count) {
        m_pace.stop();
        QTimer::singleShot(m_options.graceMs, this, &DiscoveryAsker::finished);
        return;
    }
    const QByteArray token = "bench-" + QByteArray::number(m_asked);
    QUdpSocket& socket = *m_sockets[size_t(m_asked % int(m_sockets.size()))];
    ++m_asked;
    const QByteArray query = DiscoveryDatagram::query(token);
    m_lastNs = bench::monotonicNs();
    if (m_asked == 1)
        m_firstNs = m_lastNs;
    m_sentNs.insert(token, m_lastNs);
    m_bytesSent += socket.writeDatagram(query, QHostAddress::LocalHost, m_options.port);
}

void DiscoveryAsker::read(QUdpSocket& socket)
{
    while (socket.hasPendingDatagrams()) {
        const QByteArray reply = socket.receiveDatagram().data();
        const qint64 now = bench::monotonicNs();
        m_bytesReceived += reply.size();
        m_longestReply = qMax(m_longestReply, reply.size());
        // A table answers with the token; the echo sends the query back.
        const auto answer = DiscoveryDatagram::readAnswer(reply);
        const QByteArray token = answer ? answer->token : DiscoveryDatagram::readQuery(reply).value_or(QByteArray());
        const auto sent = m_sentNs.constFind(token);
        if (sent == m_sentNs.constEnd())
            continue;
        m_roundTrips << double(now - *sent) / 1000.0;
        m_sentNs.erase(sent);
    }
}
