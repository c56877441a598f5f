#include "server.h"

#include "host_options.h"
#include "player_names.h"
#include "table_text.h"
#include "server_observer.h"

#include "net/message.h"
#include "net/text_limits.h"

namespace {
// Internal queue entries carry the connection they came on: "from+slot+serial+message".
const QByteArray QueuedFrom = "from";
} // namespace

Server::Server(const HostOptions& host, quint16 port, QObject* parent)
    : QObject(parent), Outbox(m_game.players), m_host(host), m_port(port),
      m_table(m_game, *this, host), m_socktimer(10)
{
    Sock1.setSocketType(TSock::stStream);
    Sock1.setBlocking(false);
    Sock1.setAutoAccept(false);
    Sock1.setLineBreak(TSock::lbSmart);
    Sock1.setBlockingTimeout(0);
    connect(&Sock1, &TSock::OnAccept, this, &Server::Sock1Accept);

    m_handlers = {
        {"CMD_logininfo", &Server::receivedlogininfo},
        {"CMD_kickhim", &Server::kickhim},
        {"CMD_chat", &Server::chat},
        {"CMD_action", &Server::action},
        {"CMD_startgame", &Server::startgame},
        {"CMD_justwatch", &Server::justwatch},
        {"CMD_selecttile", &Server::selecttile},
        {"CMD_phrase", &Server::phrase},
        {"CMD_playasound", &Server::playasound},
    };
    m_socktimer.on(QueuedFrom, [this](FieldReader& queued) { socktimerTimer(queued); });
}

Server::~Server() = default;

void Server::listen()
{
    Sock1.setPortName(QString::number(m_port));
    Sock1.setListen(true);
}

quint16 Server::port() const
{
    return Sock1.boundPort();
}

void Server::setListenAddress(const QString& address)
{
    Sock1.setHostName(address);
}

void Server::setObserver(ServerObserver* observer)
{
    m_observer = observer;
    m_table.setObserver(observer);
}

void Server::disconnectsock(int slot)
{
    if (m_game.players.connected(slot) && m_connection[size_t(slot)].sock)
        m_connection[size_t(slot)].sock->Close();
}

void Server::disconnectAll()
{
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        disconnectsock(slot);
}

void Server::deliver(int slot, const QByteArray& message)
{
    TSock* sock = m_connection[size_t(slot)].sock.get();
    if (sock && sock->Connected())
        sock->Send(message);
}

int Server::freeSlot()
{
    PlayerTable& players = m_game.players;
    if (players.slotcount == 0) {
        players.slotcount = 1;
        return 1;
    }
    for (int slot = 1; slot <= players.slotcount; ++slot)
        if (!players[slot].connected)
            return slot;
    if (players.slotcount < Table::MaxSlots)
        return ++players.slotcount;
    return 0;
}

void Server::Sock1Accept(TSock*)
{
    std::unique_ptr<TSock> sock = Sock1.Accept();
    if (!sock)
        return;
    const int slot = freeSlot();
    if (slot == 0) {
        refuse(std::move(sock));
        return;
    }
    Connection& c = m_connection[size_t(slot)];
    // The slot's previous connection, long closed, goes now.
    c.sock = std::move(sock);
    c.pending.clear();
    c.serial = ++m_serials;
    c.waiting = 0;
    c.waitingBytes = 0;
    c.sock->Tag = slot;
    c.sock->setSendLimit(SendLimit);
    connect(c.sock.get(), &TSock::OnDisconnect, this, &Server::tempsockDisconnect);
    connect(c.sock.get(), &TSock::OnInfo, this, &Server::tempsockInfo);
    connect(c.sock.get(), &TSock::OnRead, this, &Server::Sock1Read);
    m_game.players[slot].connected = true;
    c.sock->Send(Message("CMD_sendlogininfo").field(slot));
    if (m_observer)
        m_observer->connected(slot, c.sock->HostName());
}

void Server::refuse(std::unique_ptr<TSock> sock)
{
    sock->Tag = Table::RefusedSlot;
    if (m_observer)
        m_observer->refused(sock->HostName());
    sock->Send(Message("CMD_full").field(""));
    // Closing hands the message over before the connection goes.
    sock->Close();
}

QByteArray Server::queuedFrom(int slot, qint64 serial)
{
    return QueuedFrom + '+' + QByteArray::number(slot) + '+' + QByteArray::number(serial) + '+';
}

Server::Connection* Server::current(TSock* sender)
{
    const int slot = sender->Tag;
    if (!Table::isSlot(slot) || m_connection[size_t(slot)].sock.get() != sender)
        return nullptr;
    return &m_connection[size_t(slot)];
}

void Server::Sock1Read(TSock* sender)
{
    const QByteArray bytes = sender->Receive();
    Connection* c = current(sender);
    if (!c)
        return;
    const QList<QByteArray> messages = c->pending.feed(bytes);
    const QByteArray from = queuedFrom(sender->Tag, c->serial);
    for (const QByteArray& message : messages) {
        if (c->waiting >= FloodLimit || c->waitingBytes + message.size() > FloodBytes) {
            drop(sender, QStringLiteral("flooding"));
            return;
        }
        ++c->waiting;
        c->waitingBytes += message.size();
        m_socktimer.enqueue(from + message);
    }
    if (c->pending.overflowed())
        drop(sender, QStringLiteral("message too long"));
}

void Server::drop(TSock* sender, const QString& reason)
{
    if (m_observer)
        m_observer->dropped(sender->Tag, reason);
    sender->Close();
}

void Server::tempsockDisconnect(TSock* sender)
{
    if (current(sender) && m_game.players.connected(sender->Tag))
        sender->Close();
}

void Server::tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg)
{
    if (info != TSocketInfo::Close || msg != QLatin1String("Socket Closed") || !current(sender))
        return;
    const int slot = sender->Tag;
    tplayer& p = m_game.players[slot];
    if (p.connected) {
        const QByteArray gone = Message("CMD_playerdisconnected").field(slot).field(p.name);
        for (int other = 1; other <= m_game.players.slotcount; ++other)
            if (other != slot)
                sendto(other, gone);
    }
    m_table.leave(slot);
    const bool wasConnected = p.connected;
    const QByteArray name = p.name;
    p.connected = false;
    p.name.clear();
    // What the connection still had waiting speaks for nobody now. Dropped at
    // once, it cannot hold up everybody else one tick per message, and a peer
    // that floods, leaves and comes back cannot grow the queue without end.
    Connection& c = m_connection[size_t(slot)];
    const QByteArray from = queuedFrom(slot, c.serial);
    m_socktimer.discard([&from](const QByteArray& queued) { return queued.startsWith(from); });
    c.waiting = 0;
    c.waitingBytes = 0;
    if (wasConnected && m_observer)
        m_observer->left(slot, name);
}

void Server::socktimerTimer(FieldReader& queued)
{
    const std::optional<int> slot = queued.nextInt();
    bool ok = false;
    const qint64 serial = queued.next().toLongLong(&ok);
    if (!slot || !ok || !Table::isSlot(*slot))
        return;
    Connection& c = m_connection[size_t(*slot)];
    if (c.serial != serial)
        return; // an earlier connection of this slot; its count went with it
    const QByteArray message = queued.rest();
    --c.waiting;
    c.waitingBytes -= message.size();
    // A connection that has closed no longer speaks for its slot.
    if (!m_game.players[*slot].connected || !c.sock || !c.sock->Connected())
        return;
    const CommandLine line = CommandLine::parse(message);
    const auto handler = m_handlers.constFind(line.command);
    if (line.command.isEmpty() || handler == m_handlers.constEnd())
        return;
    FieldReader fields(line.payload);
    (this->*(*handler))(*slot, fields);
}

bool Server::ownSlot(int sender, FieldReader& fields)
{
    const std::optional<int> slot = fields.nextInt();
    return slot && *slot == sender;
}

bool Server::acts(int sender, FieldReader& fields) const
{
    return m_game.players.loggedin(sender) && ownSlot(sender, fields);
}

QByteArray Server::seatName(int sender, const QByteArray& typed) const
{
    QList<QByteArray> taken;
    for (int other = 1; other <= m_game.players.slotcount; ++other)
        if (other != sender && m_game.players.loggedin(other))
            taken.append(m_game.players[other].name);
    return PlayerNames::distinct(PlayerNames::clean(typed), taken);
}

void Server::receivedlogininfo(int sender, FieldReader& fields)
{
    // One login per connection: a second one could take another player's
    // name, or a departed player's total, from under the table.
    if (m_game.players.loggedin(sender) || !ownSlot(sender, fields))
        return;
    const QByteArray version = fields.next();
    tplayer& p = m_game.players[sender];
    p.name = seatName(sender, fields.rest());
    p.connected = true;
    m_table.join(sender);
    // The newcomer's own copy learns here the name the others see.
    sendall(Message("CMD_newplayerinfo").field(sender).field(p.name));
    for (int other = 1; other <= m_game.players.slotcount; ++other)
        if (other != sender && m_game.players.connected(other))
            sendto(sender, Message("CMD_existingplayers").field(other).field(m_game.players[other].name));
    if (version != m_host.versionText()) {
        sendto(1, Message("CMD_havewrongversion").field(p.name));
        sendto(sender, Message("CMD_wrongversion").field(""));
    }
    if (m_game.gamerunning)
        sendto(sender, Message("CMD_loadstats").field(m_game.gamemode).field(""));
    if (m_observer)
        m_observer->loggedIn(sender, p.name);
}

void Server::kickhim(int sender, FieldReader& fields)
{
    if (!acts(sender, fields) || sender != 1)
        return;
    const std::optional<int> target = fields.lastInt();
    if (!target || !Table::isSlot(*target) || !m_game.players.connected(*target))
        return;
    if (m_observer)
        m_observer->dropped(*target, QStringLiteral("removed by slot 1"));
    // Tells the removed client why its connection ends, so it need not take
    // the close for a network failure.
    sendto(*target, Message("CMD_kicked").field(""));
    disconnectsock(*target);
}

void Server::chat(int sender, FieldReader& fields)
{
    if (acts(sender, fields))
        sendall(Message("CMD_chat").field(sender).field(m_game.players[sender].name + " chats: "
                                                         + TableText::cutLine(fields.rest(), TextLimits::Chat)));
}

void Server::action(int sender, FieldReader& fields)
{
    if (acts(sender, fields))
        sendall(Message("CMD_action").field(sender).field(m_game.players[sender].name + ' '
                                                           + TableText::cutLine(fields.rest(), TextLimits::Chat)));
}

void Server::phrase(int sender, FieldReader& fields)
{
    // Clients put " says: " before the phrase itself.
    static const QByteArray says = " says: ";
    if (!acts(sender, fields))
        return;
    const QByteArray text = fields.rest();
    const int limit = TextLimits::Phrase + (text.startsWith(says) ? int(says.size()) : 0);
    sendall(Message("CMD_phrase").field(m_game.players[sender].name + ' ' + TableText::cutLine(text, limit)));
}

void Server::playasound(int sender, FieldReader& fields)
{
    if (acts(sender, fields))
        sendall(Message("CMD_playasound").field(sender).field(fields.rest()));
}

void Server::startgame(int sender, FieldReader& fields)
{
    if (m_table.maystart(sender))
        m_table.startgame(sender, fields.rest());
}

void Server::justwatch(int sender, FieldReader& fields)
{
    if (!m_game.players.loggedin(sender))
        return;
    const std::optional<int> seat = fields.nextInt();
    const std::optional<int> value = fields.lastInt();
    // A seat switches itself; only slot 1 switches others.
    if (seat && value && Table::isSeat(*seat) && (*seat == sender || sender == 1))
        m_table.justwatch(*seat, *value);
}

void Server::selecttile(int sender, FieldReader& fields)
{
    if (!acts(sender, fields))
        return;
    const std::optional<int> x = fields.nextInt();
    const std::optional<int> y = fields.lastInt();
    if (x && y)
        m_table.selecttile(sender, *x, *y);
}
