#include "support_host.h"

#include "net/field_reader.h"
#include "net/message.h"

#include <algorithm>

#if defined(__SANITIZE_ADDRESS__)
// GCC ships no allocator_interface.h; the runtime has the function all the same.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

Host::Host(Pace pace) : m_pace(pace), m_server(std::make_unique<Server>(m_options, 0))
{
    m_server->listen();
    m_server->table().Timer1().setRealTime(false);
    if (m_pace == Pace::Fast) {
        m_server->socktimer().setManual(true);
        QObject::connect(&m_pump, &QTimer::timeout, [this] { pump(); });
        m_pump.setTimerType(Qt::PreciseTimer);
        m_pump.start(1);
    }
}

void Host::pump()
{
    if (m_held)
        return;
    while (m_server->socktimer().dispatchOne()) { }
}

void Host::holdQueue(bool hold)
{
    m_held = hold;
    if (m_pace == Pace::Real)
        m_server->socktimer().setManual(hold);
}

Host::~Host()
{
    m_peers.clear();
    m_server.reset();
}

Player* Host::join(const QByteArray& name)
{
    auto player = std::make_unique<Player>();
    if (!player->login(port(), name))
        return nullptr;
    m_peers.push_back(std::move(player));
    return static_cast<Player*>(m_peers.back().get());
}

WireClient* Host::connect(int receiveBuffer)
{
    auto peer = std::make_unique<WireClient>();
    if (!peer->connectTo(port(), receiveBuffer))
        return nullptr;
    (void)peer->nextOf("CMD_sendlogininfo");
    m_peers.push_back(std::move(peer));
    return m_peers.back().get();
}

void Host::drop(WireClient* peer)
{
    const auto it = std::find_if(m_peers.begin(), m_peers.end(),
                                 [peer](const std::unique_ptr<WireClient>& p) { return p.get() == peer; });
    if (it != m_peers.end())
        m_peers.erase(it);
}

void Host::timeOut()
{
    GameTable& table = m_server->table();
    const RoundPhase phase = table.phase();
    // A round lasts 93 ticks and a pause at most 41; 200 is past both.
    for (int i = 0; i < 200 && table.phase() == phase && m_server->game().gamerunning; ++i)
        table.Timer1Timer();
    for (const auto& peer : m_peers)
        peer->recordTimeOut();
}

bool Host::settle(int timeoutMs)
{
    return waitUntil([this] { return m_server->socktimer().queued() == 0; }, timeoutMs);
}

qint64 Host::liveHeap()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

QString Host::honestRound(const QList<Player*>& players, int picksEach)
{
    Player& first = *players.front();
    first.send("CMD_startgame+" + first.name + "+1+");
    for (Player* p : players)
        if (!p->awaitDeal())
            return QStringLiteral("%1 got no deal").arg(QString::fromUtf8(p->name));
    for (Player* p : players) {
        for (int i = 0; i < picksEach && p->tilesLeft() > 0; ++i) {
            const Player::Pick result = p->pick();
            if (result != Player::Pick::Taken && result != Player::Pick::Cleared)
                return QStringLiteral("%1's honest pick %2 failed (%3)")
                    .arg(QString::fromUtf8(p->name))
                    .arg(i)
                    .arg(int(result));
        }
    }
    Player& last = *players.back();
    last.send("CMD_chat+" + QByteArray::number(last.slot) + "+still here|clBlue");
    const QByteArray relayed =
        "CMD_chat+" + QByteArray::number(last.slot) + '+' + last.name + " chats: still here|clBlue";
    for (Player* p : players)
        if (p->nextOf("CMD_chat") != relayed)
            return QStringLiteral("%1 missed the chat line").arg(QString::fromUtf8(p->name));
    if (!settle())
        return QStringLiteral("the queue was never worked off");
    timeOut();
    return checkScores(players);
}

QString Host::checkScores(const QList<Player*>& players)
{
    for (Player* p : players) {
        const QByteArray turnover = p->nextOf("CMD_turnover");
        const QByteArray expected =
            "CMD_turnover+" + QByteArray::number(p->slot) + '+' + QByteArray::number(p->roundResult()) + '+';
        if (!turnover.startsWith(expected) || !turnover.endsWith("+3"))
            return QStringLiteral("%1: %2, expected %3...+3")
                .arg(QString::fromUtf8(p->name), QString::fromUtf8(turnover), QString::fromUtf8(expected));
        const QByteArray scores = p->nextOf("CMD_postscores");
        FieldReader f(CommandLine::parse(scores).payload);
        bool listed = false;
        while (!f.atEnd()) {
            const auto slot = f.nextInt(), total = f.nextInt();
            const auto banked = f.remainder().contains('+') ? f.nextInt() : f.lastInt();
            if (!slot || !total || !banked)
                return QStringLiteral("bad score list %1").arg(QString::fromUtf8(scores));
            if (*slot == p->slot) {
                listed = true;
                if (*banked != p->roundResult())
                    return QStringLiteral("%1 added up %2, the server posted %3")
                        .arg(QString::fromUtf8(p->name))
                        .arg(p->roundResult())
                        .arg(*banked);
            }
        }
        if (!listed)
            return QStringLiteral("%1 is missing from %2").arg(QString::fromUtf8(p->name), QString::fromUtf8(scores));
    }
    return {};
}
