#include "dedicated_server.h"
#include "gd_version.h"

#include "server/server.h"

#include <QHostAddress>

DedicatedServer::DedicatedServer(const ServerOptions& options, std::FILE* log, QObject* parent)
    : QObject(parent), m_options(options), m_log(log)
{
    m_host.winnersPath = options.winnersPath;
    m_host.version = GD_VERSION_TEXT;
    m_server = std::make_unique<Server>(m_host, options.port);
    m_server->setListenAddress(options.listen);
    // No player of its own: the powers go to whoever has sat longest.
    m_server->setHostRule(HostPowers::Rule::LongestSeated);
    m_server->setObserver(this);
}

DedicatedServer::~DedicatedServer()
{
    m_bots.removeAll();
    m_server->setObserver(nullptr);
}

bool DedicatedServer::start()
{
    try {
        m_server->listen();
    } catch (const ESockException& e) {
        m_log.line(QStringLiteral("cannot listen on port %1: %2").arg(m_options.port).arg(e.text()));
        return false;
    }
    m_bots.setServer(botAddress(), m_server->port());
    m_log.line(QStringLiteral("listening on %1 port %2, version %3, winner's path %4, %5 %6 bots")
                   .arg(m_options.listen.isEmpty() ? QStringLiteral("all addresses") : m_options.listen)
                   .arg(m_server->port())
                   .arg(QStringLiteral(GD_VERSION_TEXT))
                   .arg(m_options.winnersPath ? QStringLiteral("on") : QStringLiteral("off"))
                   .arg(m_options.bots)
                   .arg(BotLevels::name(m_options.botLevel)));
    return true;
}

quint16 DedicatedServer::port() const
{
    return m_server->port();
}

void DedicatedServer::stop()
{
    // A second signal while the first is being served changes nothing.
    if (m_stopped)
        return;
    m_stopped = true;
    m_log.line(QStringLiteral("stopping"));
    m_bots.removeAll();
    m_server->closeTable();
}

QString DedicatedServer::botAddress() const
{
    // Bots reach the table over loopback, or over the one address it listens on.
    const QHostAddress address(m_options.listen);
    if (m_options.listen.isEmpty() || address == QHostAddress(QHostAddress::AnyIPv4))
        return QStringLiteral("127.0.0.1");
    if (address == QHostAddress(QHostAddress::AnyIPv6))
        return QStringLiteral("::1");
    return m_options.listen;
}

void DedicatedServer::seatBots()
{
    // The host may have gone again before this ran: then the next person's
    // login seats them.
    if (m_server->hostSlot() == 0)
        return;
    while (m_bots.count() < m_options.bots && m_bots.add(m_options.botLevel)) { }
}

void DedicatedServer::connected(int slot, const QString& address)
{
    m_log.connected(slot, address);
}

void DedicatedServer::refused(const QString& address)
{
    m_log.refused(address);
}

void DedicatedServer::dropped(int slot, const QString& reason)
{
    m_log.dropped(slot, reason);
}

void DedicatedServer::loggedIn(int slot, const QByteArray& name)
{
    m_log.loggedIn(slot, name);
    // Queued: the server is in the middle of its login handling.
    if (slot == m_server->hostSlot() && m_bots.count() < m_options.bots)
        QMetaObject::invokeMethod(this, &DedicatedServer::seatBots, Qt::QueuedConnection);
}

void DedicatedServer::left(int slot, const QByteArray& name)
{
    m_log.left(slot, name);
}

void DedicatedServer::gameStarted(const QByteArray& starter, int mode)
{
    m_log.gameStarted(starter, mode);
}

void DedicatedServer::roundEnded(int round, const QList<SeatScore>& scores)
{
    m_log.roundEnded(round, scores);
}

void DedicatedServer::winner(const QByteArray& name)
{
    m_log.winner(name);
}
