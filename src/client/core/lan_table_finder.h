#pragma once

#include "table_source.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTimer>
#include <QUdpSocket>

// Looks for tables on the local network: every RepeatMs it sends a discovery
// query to 255.255.255.255, to each IPv4 interface's broadcast address and to
// ff02::1 on each IPv6 interface, on the game port and on every port the
// player added, and reports each answer as a row. The same table answers once
// per address family it is heard on; the list merges them by the table's id.
class LanTableFinder : public TableSource {
    Q_OBJECT
public:
    static constexpr int RepeatMs = 2000;
    // Rounds whose answers are still taken: a late answer of an older round
    // would report a wrong answer time.
    static constexpr int RoundsKept = 3;
    // Ports asked besides the game port, at most: each costs a datagram per
    // address in every round.
    static constexpr int MaxExtraPorts = 16;

    enum class Families { Both, IPv4Only, IPv6Only };

    explicit LanTableFinder(QObject* parent = nullptr);

    void start() override;
    void stop() override;
    bool running() const { return m_repeat.isActive(); }

    // The game port is always asked; these besides it.
    void setExtraPorts(const QList<quint16>& ports) { m_extraPorts = ports; }
    QList<quint16> ports() const;
    void setFamilies(Families families) { m_families = families; }
    // Asks exactly these addresses instead of the interfaces' broadcast and
    // multicast addresses (a machine without a network, or loopback); the
    // environment's GLOOPDASH_DISCOVERY_ADDRESSES (comma-separated) sets them
    // at the start.
    void setAddresses(const QList<QHostAddress>& addresses) { m_fixed = addresses; }
    // Where a round of queries goes now.
    QList<QHostAddress> addresses() const;
    static QList<QHostAddress> interfaceAddresses(Families families);

private:
    void sendRound();
    void bindSockets();
    void readAnswers(QUdpSocket& socket);

    QUdpSocket m_ipv4;
    QUdpSocket m_ipv6;
    QTimer m_repeat;
    QElapsedTimer m_clock;
    QList<quint16> m_extraPorts;
    QList<QHostAddress> m_fixed;
    Families m_families = Families::Both;
    QByteArray m_session;
    int m_round = 0;
    // Each recent round's token and when it went out (nanoseconds of m_clock).
    QHash<QByteArray, qint64> m_sent;
};
