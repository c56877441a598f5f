#include "lan_table_finder.h"

#include "client_log.h"
#include "game_address.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QRandomGenerator>

namespace {

// An answer is never longer than its query; longer datagrams are not answers.
constexpr qint64 ReadBytes = DiscoveryDatagram::QueryBytes;
constexpr int ReadsPerWake = 64;

bool usable(const QNetworkInterface& i)
{
    return i.flags().testFlag(QNetworkInterface::IsUp) && i.flags().testFlag(QNetworkInterface::IsRunning)
        && !i.flags().testFlag(QNetworkInterface::IsLoopBack);
}

QHostAddress allNodes(const QNetworkInterface& i)
{
    QHostAddress a(QStringLiteral("ff02::1"));
    a.setScopeId(i.name());
    return a;
}

} // namespace

LanTableFinder::LanTableFinder(QObject* parent) : TableSource(parent), m_ipv4(this), m_ipv6(this), m_repeat(this)
{
    m_clock.start();
    // Tests and measurements on a shared machine keep their queries on
    // loopback: GLOOPDASH_DISCOVERY_ADDRESSES lists the only addresses asked.
    for (const QString& text : qEnvironmentVariable("GLOOPDASH_DISCOVERY_ADDRESSES").split(QLatin1Char(','))) {
        const QHostAddress address(text.trimmed());
        if (!address.isNull())
            m_fixed.append(address);
    }
    m_repeat.setInterval(RepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &LanTableFinder::sendRound);
    // Queries go to the local network, never through a proxy.
    m_ipv4.setProxy(QNetworkProxy::NoProxy);
    m_ipv6.setProxy(QNetworkProxy::NoProxy);
    connect(&m_ipv4, &QUdpSocket::readyRead, this, [this] { readAnswers(m_ipv4); });
    connect(&m_ipv6, &QUdpSocket::readyRead, this, [this] { readAnswers(m_ipv6); });
}

QList<quint16> LanTableFinder::ports() const
{
    QList<quint16> all{GameAddress::DefaultPort};
    for (const quint16 p : m_extraPorts)
        if (p != 0 && !all.contains(p) && all.size() <= MaxExtraPorts)
            all.append(p);
    return all;
}

QList<QHostAddress> LanTableFinder::interfaceAddresses(Families families)
{
    QList<QHostAddress> out;
    const bool v4 = families != Families::IPv6Only;
    const bool v6 = families != Families::IPv4Only;
    if (v4)
        out.append(QHostAddress::Broadcast);
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!usable(i))
            continue;
        bool hasIpv6 = false;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            if (v4 && !e.broadcast().isNull() && !out.contains(e.broadcast()))
                out.append(e.broadcast());
            hasIpv6 = hasIpv6 || e.ip().protocol() == QAbstractSocket::IPv6Protocol;
        }
        if (v6 && hasIpv6 && i.flags().testFlag(QNetworkInterface::CanMulticast))
            out.append(allNodes(i));
    }
    return out;
}

QList<QHostAddress> LanTableFinder::addresses() const
{
    return m_fixed.isEmpty() ? interfaceAddresses(m_families) : m_fixed;
}

void LanTableFinder::bindSockets()
{
    // A family the machine lacks stays unbound; the other still works.
    if (m_ipv4.state() != QAbstractSocket::BoundState)
        m_ipv4.bind(QHostAddress::AnyIPv4, 0);
    if (m_ipv6.state() != QAbstractSocket::BoundState)
        m_ipv6.bind(QHostAddress::AnyIPv6, 0);
}

void LanTableFinder::start()
{
    bindSockets();
    m_session = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
    m_sent.clear();
    m_round = 0;
    sendRound();
    m_repeat.start();
}

void LanTableFinder::stop()
{
    m_repeat.stop();
    m_sent.clear();
}

void LanTableFinder::sendRound()
{
    const QByteArray token = m_session + '-' + QByteArray::number(++m_round);
    m_sent.insert(token, m_clock.nsecsElapsed());
    m_sent.remove(m_session + '-' + QByteArray::number(m_round - RoundsKept));
    const QByteArray query = DiscoveryDatagram::query(token);
    for (const QHostAddress& address : addresses()) {
        QUdpSocket& socket = address.protocol() == QAbstractSocket::IPv6Protocol ? m_ipv6 : m_ipv4;
        if (socket.state() != QAbstractSocket::BoundState)
            continue;
        for (const quint16 port : ports())
            if (socket.writeDatagram(query, address, port) < 0)
                qCDebug(lcClient) << "discovery query to" << address << "failed:" << socket.errorString();
    }
}

void LanTableFinder::readAnswers(QUdpSocket& socket)
{
    for (int read = 0; read < ReadsPerWake && socket.hasPendingDatagrams(); ++read) {
        const QNetworkDatagram datagram = socket.receiveDatagram(ReadBytes);
        const auto answer = DiscoveryDatagram::readAnswer(datagram.data());
        const auto sent = answer ? m_sent.constFind(answer->token) : m_sent.constEnd();
        if (sent == m_sent.constEnd())
            continue;
        TableRow row;
        row.table = answer->table;
        bool mapped = false;
        const QHostAddress ipv4(datagram.senderAddress().toIPv4Address(&mapped));
        const QHostAddress from = mapped ? ipv4 : datagram.senderAddress();
        row.ipv6 = from.protocol() == QAbstractSocket::IPv6Protocol;
        row.address = GameAddress{from.toString(), answer->table.port}.text();
        row.answerMs = double(m_clock.nsecsElapsed() - *sent) / 1e6;
        row.heardMs = QDeadlineTimer::current().deadline();
        emit rowHeard(row);
    }
}
