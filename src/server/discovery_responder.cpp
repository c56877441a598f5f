#include "discovery_responder.h"

#include "host_options.h"
#include "player_names.h"
#include "server_log.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QRandomGenerator>
#include <QSysInfo>
#include <algorithm>

namespace {

// Longest datagram read whole: a query longer than this is read cut short,
// which only shortens the answer's limit.
constexpr qint64 ReadBytes = 2048;
// Queries read per wake-up: under a flood the socket reports itself readable
// again at once, and the round clock and the seats get their turns between.
constexpr int ReadsPerWake = 64;

QString randomId()
{
    // The system's generator, not the game's: tests seed the game's with fixed
    // values, and two tables must never share an id.
    const quint64 value = QRandomGenerator::system()->generate64();
    return QStringLiteral("%1").arg(value, 16, 16, QLatin1Char('0'));
}

} // namespace

DiscoveryResponder::DiscoveryResponder(const GameState& game, const HostOptions& host, quint16 gamePort,
                                       QObject* parent)
    : QObject(parent), m_game(game), m_host(host), m_port(gamePort), m_id(randomId()), m_socket(this)
{
    m_clock.start();
    // Queries come from the local network, never through a proxy; asking the
    // system for one would start a proxy-resolving thread on the way.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    connect(&m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readQueries);
}

bool DiscoveryResponder::start()
{
    // Both families on one socket where the machine has IPv6, IPv4 alone
    // where it has not. Not shared: another socket on the port would take
    // some of the queries.
    const auto mode = QAbstractSocket::DontShareAddress;
    if (m_socket.bind(QHostAddress::Any, m_port, mode) || m_socket.bind(QHostAddress::AnyIPv4, m_port, mode))
        return true;
    qCWarning(lcServer) << "cannot answer discovery queries on UDP port" << m_port << ":" << m_socket.errorString();
    return false;
}

QString DiscoveryResponder::tableName() const
{
    QByteArray name = m_host.tableName();
    // A hosting copy is named after its host, who holds slot 1.
    if (name.isEmpty() && m_game.players.loggedin(1))
        name = m_game.players[1].name;
    if (name.isEmpty())
        name = QSysInfo::machineHostName().toUtf8();
    return QString::fromUtf8(PlayerNames::clean(name));
}

TableAnnouncement DiscoveryResponder::announcement() const
{
    TableAnnouncement t;
    t.version = QString::fromUtf8(m_host.versionText());
    t.id = m_id;
    t.name = tableName();
    t.port = m_port;
    for (int slot = 1; slot <= Table::MaxSlots; ++slot) {
        if (!m_game.players.loggedin(slot))
            continue;
        if (Table::isSpectator(slot)) {
            ++t.watchers;
            continue;
        }
        ++t.players;
        if (m_game.players[slot].bot)
            ++t.bots;
    }
    t.state = m_game.gamerunning ? QStringLiteral("playing") : QStringLiteral("waiting");
    t.mode = GameModes::name(m_game.gamemode);
    t.missions = std::clamp(m_game.rounds, 0, int(DiscoveryDatagram::MissionsMax));
    t.mission = m_game.gamerunning ? std::clamp(m_game.round, 0, t.missions) : 0;
    return t;
}

void DiscoveryResponder::forgetQuietSources(qint64 nowNs)
{
    for (auto it = m_sources.begin(); it != m_sources.end();)
        it = nowNs - it->lastNs > 1'000'000'000 ? m_sources.erase(it) : std::next(it);
}

bool DiscoveryResponder::admit(const QHostAddress& source, qint64 nowNs)
{
    auto it = m_sources.find(source);
    if (it == m_sources.end()) {
        if (m_sources.size() >= MaxSources)
            forgetQuietSources(nowNs);
        if (m_sources.size() >= MaxSources)
            return false;
        it = m_sources.insert(source, Source{});
    }
    it->lastNs = nowNs;
    return it->bucket.take(nowNs);
}

void DiscoveryResponder::readQueries()
{
    for (int read = 0; read < ReadsPerWake && m_socket.hasPendingDatagrams(); ++read)
        answer(m_socket.receiveDatagram(ReadBytes));
}

void DiscoveryResponder::answer(const QNetworkDatagram& query)
{
    if (!m_host.listedOnNetwork() || !query.isValid())
        return;
    const QByteArray bytes = query.data();
    const auto token = DiscoveryDatagram::readQuery(bytes);
    if (!token || !admit(query.senderAddress(), m_clock.nsecsElapsed()))
        return;
    const auto reply = DiscoveryDatagram::answer(*token, announcement(), bytes.size());
    if (!reply) {
        qCDebug(lcServer) << "a discovery answer would be longer than the query from" << query.senderAddress();
        return;
    }
    m_socket.writeDatagram(*reply, query.senderAddress(), quint16(query.senderPort()));
}
