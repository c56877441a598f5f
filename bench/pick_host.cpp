#include "pick_host.h"

#include "net/tsock.h"
#include "server/discovery_responder.h"

PickHost::PickHost(quint16 port, QObject* parent) : QObject(parent), m_options(), m_server(m_options, port)
{
    m_options.winnersPath = false;
    // A round ends inside the handler of its last pick; the pause starts then.
    connect(&m_server.socktimer(), &Dispatcher::dispatched, this, &PickHost::skipPause);
}

PickHost::~PickHost() = default;

bool PickHost::answerDiscovery()
{
    m_discovery = std::make_unique<DiscoveryResponder>(m_server.game(), m_options, m_server.port());
    return m_discovery->start();
}

quint16 PickHost::listen()
{
    try {
        m_server.listen();
    } catch (const ESockException&) {
        return 0;
    }
    return m_server.port();
}

void PickHost::skipPause()
{
    if (m_server.table().phase() != RoundPhase::Pause || !m_server.game().gamerunning)
        return;
    // The clock's last tick of the pause: it deals the next round or names the winner.
    m_server.game().countdown = 0;
    m_server.table().Timer1Timer();
}
