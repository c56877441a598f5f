#include "dedicated_server.h"
#include "admin_socket.h"
#include "gd_version.h"
#include "table_registrar.h"
#include "table_summary.h"

#include "server/discovery_responder.h"
#include "server/server.h"

#include <QHostAddress>

DedicatedServer::DedicatedServer(const ServerOptions& options, std::FILE* log, QObject* parent)
    : QObject(parent), m_options(options), m_log(log), m_banFile(options.bans)
{
    m_host.winnersPath = options.winnersPath;
    m_host.version = GD_VERSION_TEXT;
    m_host.name = options.name.toUtf8();
    m_host.listed = options.discovery;
    m_server = std::make_unique<Server>(m_host, options.port);
    m_commands = std::make_unique<AdminCommands>(*m_server, m_banFile, m_log);
    m_server->setListenAddress(options.listen);
    // No player of its own: the powers go to whoever has sat longest.
    m_server->setHostRule(HostPowers::Rule::LongestSeated);
    m_server->setObserver(this);
    m_server->setBans(&m_banFile.list());
    if (!options.registerUrl.isEmpty()) {
        m_registrar = std::make_unique<TableRegistrar>(
            options.registerUrl, [this] { return TableSummary::of(m_server->game(), m_options.name, port()); },
            [this](const QString& text) { m_log.line(text); });
    }
}

DedicatedServer::~DedicatedServer()
{
    m_console.reset();
    m_bots.removeAll();
    m_server->setObserver(nullptr);
}

bool DedicatedServer::start()
{
    if (!loadBans())
        return false;
    try {
        m_server->listen();
    } catch (const ESockException& e) {
        m_log.line(QStringLiteral("cannot listen on port %1: %2").arg(m_options.port).arg(e.text()));
        return false;
    }
    m_bots.setServer(botAddress(), m_server->port());
    // Bound before the table says it listens: whoever reads that line may ask
    // at once, and a query sent before the bind would be lost.
    DiscoveryResponder* responder = nullptr;
    if (m_options.discovery) {
        responder = new DiscoveryResponder(m_server->game(), m_host, m_server->port(), m_server.get());
        if (!responder->start())
            responder = nullptr;
    }
    m_log.line(QStringLiteral("listening on %1 port %2, version %3, winner's path %4, %5 %6 bots")
                   .arg(m_options.listen.isEmpty() ? QStringLiteral("all addresses") : m_options.listen)
                   .arg(m_server->port())
                   .arg(QStringLiteral(GD_VERSION_TEXT))
                   .arg(m_options.winnersPath ? QStringLiteral("on") : QStringLiteral("off"))
                   .arg(m_options.bots)
                   .arg(BotLevels::name(m_options.botLevel)));
    if (responder)
        m_log.line(QStringLiteral("answering discovery queries as \"%1\"").arg(responder->announcement().name));
    if (m_registrar)
        m_registrar->start();
    return openConsole();
}

bool DedicatedServer::loadBans()
{
    QString error;
    int skipped = 0;
    if (!m_banFile.load(&error, &skipped)) {
        m_log.line(QStringLiteral("cannot read the bans in %1: %2").arg(m_options.bans, error));
        return false;
    }
    if (!m_options.bans.isEmpty())
        m_log.line(QStringLiteral("%1 bans from %2%3")
                       .arg(m_banFile.list().entries().size())
                       .arg(m_options.bans)
                       .arg(skipped ? QStringLiteral(", %1 lines left out").arg(skipped) : QString()));
    return true;
}

bool DedicatedServer::openConsole()
{
    if (m_options.admin.isEmpty())
        return true;
    m_console = std::make_unique<AdminSocket>([this](const QString& line) { return m_commands->run(line); });
    QString error;
    if (!m_console->listen(m_options.admin, &error)) {
        m_log.line(QStringLiteral("cannot open the console at %1: %2").arg(m_options.admin, error));
        m_console.reset();
        return false;
    }
    m_log.line(QStringLiteral("console at %1").arg(m_options.admin));
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
    if (m_registrar) {
        connect(m_registrar.get(), &TableRegistrar::withdrawn, this, &DedicatedServer::stopped);
        m_registrar->withdraw();
    } else {
        QMetaObject::invokeMethod(this, &DedicatedServer::stopped, Qt::QueuedConnection);
    }
}

void DedicatedServer::tableChanged()
{
    if (m_registrar)
        m_registrar->changed();
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
    QList<QByteArray> seated;
    const PlayerTable& players = m_server->game().players;
    for (int slot = 1; slot <= players.slotcount; ++slot)
        if (players.loggedin(slot))
            seated.append(players[slot].name);
    while (m_bots.count() < m_options.bots && m_bots.add(m_options.botLevel, seated)) { }
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
    tableChanged();
    // Queued: the server is in the middle of its login handling.
    if (slot == m_server->hostSlot() && m_bots.count() < m_options.bots)
        QMetaObject::invokeMethod(this, &DedicatedServer::seatBots, Qt::QueuedConnection);
}

void DedicatedServer::left(int slot, const QByteArray& name)
{
    m_log.left(slot, name);
    tableChanged();
}

void DedicatedServer::gameStarted(const QByteArray& starter, int mode)
{
    m_log.gameStarted(starter, mode);
    tableChanged();
}

void DedicatedServer::roundEnded(int round, const QList<SeatScore>& scores)
{
    m_log.roundEnded(round, scores);
    tableChanged();
}

void DedicatedServer::winner(const QByteArray& name)
{
    m_log.winner(name);
    tableChanged();
}
