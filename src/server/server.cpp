#include "server.h"

#include "host_options.h"
#include "player_names.h"
#include "table_text.h"
#include "server_observer.h"

#include "net/message.h"
#include "net/text_limits.h"

Server::Server(const HostOptions& host, quint16 port, QObject* parent)
    : QObject(parent), Outbox(m_game.players), m_host(host), m_port(port),
      m_table(m_game, *this, host), m_socktimer(DispatchIntervalMs, this)
{
    Sock1.setSocketType(TSock::stStream);
    Sock1.setBlocking(false);
    Sock1.setAutoAccept(false);
    Sock1.setLineBreak(TSock::lbSmart);
    Sock1.setBlockingTimeout(0);
    connect(&Sock1, &TSock::OnAccept, this, &Server::Sock1Accept);

    const std::pair<const char*, Handler> handlers[] = {
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
    for (const auto& [command, handler] : handlers)
        m_socktimer.on(command, [this, h = handler](FieldReader& fields) { socktimerTimer(h, fields); });
    m_socktimer.setBurst(DispatchBurst);
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

qsizetype Server::waiting(int slot) const
{
    return Table::isSlot(slot) ? m_socktimer.queued(m_connection[size_t(slot)].serial) : 0;
}

void Server::deliver(int slot, const QByteArray& message)
{
    if (message.size() - 1 > ClientCap) {
        // No client would take it whole; the message that caused it is refused.
        m_tooLong = true;
        return;
    }
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
    c.peerClosed = false;
    c.sock->Tag = slot;
    c.sock->setSendLimit(SendLimit);
    connect(c.sock.get(), &TSock::OnDisconnect, this, &Server::tempsockDisconnect);
    connect(c.sock.get(), &TSock::OnInfo, this, &Server::tempsockInfo);
    connect(c.sock.get(), &TSock::OnRead, this, &Server::Sock1Read);
    m_game.players[slot].connected = true;
    startDeadlines(slot);
    c.sock->Send(Message("CMD_sendlogininfo").field(slot));
    if (m_observer)
        m_observer->connected(slot, c.sock->HostName());
}

void Server::startDeadlines(int slot)
{
    Connection& c = m_connection[size_t(slot)];
    const qint64 serial = c.serial;
    // A connection that squats a slot without playing is closed.
    const auto squatter = [this, slot, serial] {
        Connection& now = m_connection[size_t(slot)];
        if (now.serial == serial && now.sock)
            now.sock->Close();
    };
    for (auto* timer : {&c.loginDeadline, &c.partialDeadline}) {
        *timer = std::make_unique<QTimer>(this);
        (*timer)->setSingleShot(true);
        (*timer)->setInterval(m_idleLimitMs);
        connect(timer->get(), &QTimer::timeout, this, squatter);
    }
    c.loginDeadline->start();
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
    if (!queueFrom(*c, c->pending.feed(bytes))) {
        drop(sender, QStringLiteral("flooding"));
        return;
    }
    if (c->pending.overflowed()) {
        drop(sender, QStringLiteral("message too long"));
        return;
    }
    // A message begun and never finished must not hold the slot for ever.
    if (c->pending.pending().isEmpty())
        c->partialDeadline->stop();
    else
        c->partialDeadline->start();
}

bool Server::queueFrom(Connection& c, const QList<QByteArray>& messages)
{
    for (const QByteArray& message : messages) {
        if (m_socktimer.queued(c.serial) >= FloodLimit
            || m_socktimer.queuedBytes(c.serial) + message.size() > FloodBytes)
            return false;
        m_socktimer.enqueue(c.serial, message);
    }
    return true;
}

void Server::drop(TSock* sender, const QString& reason)
{
    if (m_observer)
        m_observer->dropped(sender->Tag, reason);
    sender->Close();
}

void Server::tempsockDisconnect(TSock* sender)
{
    Connection* c = current(sender);
    if (c && m_game.players.connected(sender->Tag)) {
        c->peerClosed = true;
        sender->Close();
    }
}

void Server::tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg)
{
    if (info != TSocketInfo::Close || msg != QLatin1String("Socket Closed") || !current(sender))
        return;
    const int slot = sender->Tag;
    Connection& c = m_connection[size_t(slot)];
    c.loginDeadline->stop();
    c.partialDeadline->stop();
    // A player who hung up is still heard to the end of what it sent; one the
    // server cut off (kicked, flooding, squatting, not reading) is not.
    if (!c.peerClosed)
        m_socktimer.discard(c.serial);
    // The slot stays taken until then, so no newcomer can be spoken for by
    // the leaver's last messages.
    const qint64 serial = c.serial;
    m_socktimer.enqueueCall(serial, [this, slot, serial] { playerleft(slot, serial); });
}

void Server::playerleft(int slot, qint64 serial)
{
    if (m_connection[size_t(slot)].serial != serial)
        return;
    tplayer& p = m_game.players[slot];
    if (p.connected) {
        QByteArray gone = Message("CMD_playerdisconnected").field(slot).field(p.name);
        if (gone.size() - 1 > ClientCap)
            gone = Message("CMD_playerdisconnected").field(slot).field("");
        for (int other = 1; other <= m_game.players.slotcount; ++other)
            if (other != slot)
                sendto(other, gone);
    }
    m_table.leave(slot);
    const bool wasConnected = p.connected;
    const QByteArray name = p.name;
    p.connected = false;
    p.name.clear();
    if (wasConnected && m_observer)
        m_observer->left(slot, name);
}

void Server::socktimerTimer(Handler handler, FieldReader& fields)
{
    const qint64 serial = m_socktimer.currentSource();
    int slot = 1;
    while (slot <= Table::MaxSlots && m_connection[size_t(slot)].serial != serial)
        ++slot;
    // An earlier connection of a slot never speaks for the one holding it now.
    if (slot > Table::MaxSlots || !m_game.players[slot].connected)
        return;
    m_tooLong = false;
    (this->*handler)(slot, fields);
    if (m_tooLong) {
        m_tooLong = false;
        disconnectsock(slot);
    }
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
    m_connection[size_t(sender)].loginDeadline->stop();
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
    // A chatter sound is "wave" and a number; anything much longer is no
    // sound, and relaying it would only load every reader.
    if (!acts(sender, fields))
        return;
    const QByteArray sound = fields.rest();
    if (sound.size() <= ChatterSoundBytes)
        sendall(Message("CMD_playasound").field(sender).field(sound));
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
