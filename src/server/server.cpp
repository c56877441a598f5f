#include "server.h"

#include "ban_list.h"
#include "host_options.h"
#include "player_names.h"
#include "server_log.h"
#include "server_observer.h"
#include "table_text.h"

#include "net/protocol.h"
#include "net/text_limits.h"

#include <QHostAddress>
#include <QNetworkInterface>

#include <utility>

template <class Msg>
void Server::route(void (Server::*handler)(int sender, const Msg& m))
{
    const QByteArrayView word = Commands::word(Msg::command);
    m_socktimer.on(word.toByteArray(), [this, handler, word](FieldReader& fields) {
        const int sender = speaker();
        if (sender == 0)
            return;
        const std::optional<Msg> m = Msg::decode(fields);
        if (!m) {
            qCDebug(lcServer) << "dropped a malformed" << word << "from slot" << sender;
            return;
        }
        m_tooLong = false;
        const Batch batch(*this);
        (this->*handler)(sender, *m);
        if (m_tooLong) {
            m_tooLong = false;
            qCWarning(lcServer) << "closed slot" << sender << "as its" << word << "would not fit a client";
            disconnectsock(sender);
        }
    });
}

Server::Server(const HostOptions& host, quint16 port, QObject* parent)
    : QObject(parent), Outbox(m_game.players), m_host(host), m_port(port), m_table(m_game, *this, host),
      m_socktimer(DispatchIntervalMs, this)
{
    Sock1.setSocketType(TSock::stStream);
    Sock1.setBlocking(false);
    Sock1.setAutoAccept(false);
    Sock1.setLineBreak(TSock::lbSmart);
    Sock1.setBlockingTimeout(0);
    connect(&Sock1, &TSock::OnAccept, this, &Server::Sock1Accept);

    route(&Server::receivedlogininfo);
    route(&Server::kickhim);
    route(&Server::chat);
    route(&Server::action);
    route(&Server::startgame);
    route(&Server::justwatch);
    route(&Server::selecttile);
    route(&Server::phrase);
    route(&Server::playasound);
    connect(&m_socktimer, &Dispatcher::unhandled, this, [this](const QByteArray& command) {
        if (command.isEmpty())
            qCDebug(lcServer) << "dropped a message without a command word from slot" << speaker();
        else
            qCDebug(lcServer) << "dropped a message of unknown word" << command << "from slot" << speaker();
    });
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
    if (!m_game.players.connected(slot) || !m_connection[size_t(slot)].sock)
        return;
    // What the slot was told before (why it is removed) still reaches it.
    flushHeld(slot);
    m_connection[size_t(slot)].sock->Close();
}

void Server::kick(int slot, const QString& reason)
{
    if (!Table::isSlot(slot) || !m_game.players.connected(slot))
        return;
    qCDebug(lcServer).noquote() << "closed slot" << slot << "as it was" << reason;
    if (m_observer)
        m_observer->dropped(slot, reason);
    // Tells the removed client why its connection ends, so it need not take
    // the close for a network failure.
    sendto(slot, ToClient::Kicked{}.bytes());
    disconnectsock(slot);
}

void Server::announce(const QByteArray& text)
{
    // Through QString and back: bytes that are no UTF-8 (an 0xFF would end
    // the message) become replacement characters.
    const QByteArray utf8 = QString::fromUtf8(text).toUtf8();
    const Batch batch(*this);
    sendall(ToClient::tableLine(TableText::cut(utf8, TextLimits::Chat)).bytes());
}

QString Server::address(int slot) const
{
    if (!Table::isSlot(slot) || !m_game.players.connected(slot) || !m_connection[size_t(slot)].sock)
        return {};
    return m_connection[size_t(slot)].sock->HostName();
}

void Server::disconnectAll()
{
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        disconnectsock(slot);
}

void Server::closeTable()
{
    const QByteArray farewell = ToClient::Closing{}.bytes();
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        sendto(slot, farewell);
    disconnectAll();
}

qsizetype Server::waiting(int slot) const
{
    return Table::isSlot(slot) ? m_socktimer.queued(m_connection[size_t(slot)].serial) : 0;
}

bool Server::reset()
{
    if (m_socktimer.queued() > 0 || m_holding > 0)
        return false;
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        if (m_game.players.connected(slot) && !m_connection[size_t(slot)].sock->Connected())
            return false;
    m_table.reset();
    for (int slot = 1; slot <= Table::MaxSlots; ++slot) {
        Connection& c = m_connection[size_t(slot)];
        if (m_game.players.connected(slot))
            continue;
        c.sock.reset();
        c.pending.clear();
        c.serial = 0;
        c.peerClosed = false;
    }
    m_held.fill({});
    m_tooLong = false;
    return true;
}

void Server::deliver(int slot, const QByteArray& message)
{
    if (message.size() - 1 > ClientCap) {
        // No client would take it whole; the message that caused it is refused.
        m_tooLong = true;
        return;
    }
    if (m_holding > 0)
        m_held[size_t(slot)].append(message);
    else
        write(slot, message);
}

void Server::release()
{
    if (--m_holding > 0)
        return;
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        flushHeld(slot);
}

void Server::flushHeld(int slot)
{
    if (!m_held[size_t(slot)].isEmpty())
        write(slot, std::exchange(m_held[size_t(slot)], {}));
}

void Server::write(int slot, const QByteArray& bytes)
{
    TSock* sock = m_connection[size_t(slot)].sock.get();
    if (sock && sock->Connected())
        sock->Send(bytes);
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

int Server::makeRoomFor(const QString& address)
{
    QList<Admission::Waiting> waiting;
    for (int slot = 1; slot <= m_game.players.slotcount; ++slot) {
        const Connection& c = m_connection[size_t(slot)];
        if (m_game.players.connected(slot) && !m_game.players.loggedin(slot) && c.sock && c.sock->Connected())
            waiting.append({slot, c.sock->HostName(), c.serial});
    }
    const int slot = Admission::roomFor(address, waiting);
    if (slot == 0)
        return 0;
    TSock& squatter = *m_connection[size_t(slot)].sock;
    qCDebug(lcServer).noquote() << "closed slot" << slot << "of" << squatter.HostName()
                                << "to seat a newcomer, as that address holds too many slots without a login";
    if (m_observer)
        m_observer->dropped(slot, QStringLiteral("too many connections without a login from one address"));
    squatter.Send(ToClient::Full{}.bytes());
    // Its departure, queued by the close, finds the slot taken anew and does
    // nothing: nobody was ever told of a connection that never logged in.
    squatter.Close();
    m_table.leave(slot);
    m_game.players[slot].connected = false;
    m_game.players[slot].name.clear();
    return slot;
}

void Server::Sock1Accept(TSock*)
{
    std::unique_ptr<TSock> sock = Sock1.Accept();
    // An address opening connections faster than any player is turned away
    // without a word; closing the socket costs no timer and no log line.
    if (sock && m_admission.mayConnect(sock->HostName(), DispatchClock::steady().nowNs()))
        takeConnection(std::move(sock));
}

int Server::takeConnection(std::unique_ptr<TSock> sock)
{
    int slot = freeSlot();
    if (slot == 0)
        slot = makeRoomFor(sock->HostName());
    if (slot == 0) {
        refuse(std::move(sock));
        return 0;
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
    c.sock->Send(ToClient::SendLoginInfo{slot}.bytes());
    if (m_observer)
        m_observer->connected(slot, c.sock->HostName());
    return slot;
}

void Server::startDeadlines(int slot)
{
    Connection& c = m_connection[size_t(slot)];
    // The slot's timers serve each of its connections in turn: they are
    // stopped when a connection closes and started afresh for the next.
    if (!c.loginDeadline) {
        // A connection that squats a slot without playing is closed.
        const auto squatter = [this, slot] {
            Connection& now = m_connection[size_t(slot)];
            if (now.sock && now.sock->Connected()) {
                qCDebug(lcServer) << "closed slot" << slot << "as it sat silent without a login or a whole message";
                now.sock->Close();
            }
        };
        for (auto* timer : {&c.loginDeadline, &c.partialDeadline}) {
            *timer = std::make_unique<QTimer>(this);
            (*timer)->setSingleShot(true);
            connect(timer->get(), &QTimer::timeout, this, squatter);
        }
    }
    c.loginDeadline->setInterval(m_idleLimitMs);
    c.partialDeadline->setInterval(m_idleLimitMs);
    c.partialDeadline->stop();
    c.loginDeadline->start();
}

void Server::refuse(std::unique_ptr<TSock> sock)
{
    sock->Tag = Table::RefusedSlot;
    qCDebug(lcServer).noquote() << "refused a connection from" << sock->HostName() << "as every slot is taken";
    if (m_observer)
        m_observer->refused(sock->HostName());
    sock->Send(ToClient::Full{}.bytes());
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
    if (!c->pending.feedEach(bytes, [this, c](const QByteArray& message) { return queueFrom(*c, message); })) {
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

bool Server::queueFrom(Connection& c, const QByteArray& message)
{
    if (m_socktimer.queued(c.serial) >= FloodLimit || m_socktimer.queuedBytes(c.serial) + message.size() > FloodBytes)
        return false;
    m_socktimer.enqueue(c.serial, message);
    return true;
}

void Server::drop(TSock* sender, const QString& reason)
{
    qCWarning(lcServer).noquote() << "closed slot" << sender->Tag << "for" << reason;
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
    const Batch batch(*this);
    tplayer& p = m_game.players[slot];
    if (p.connected) {
        QByteArray gone = ToClient::PlayerDisconnected{slot, p.name}.bytes();
        if (gone.size() - 1 > ClientCap)
            gone = ToClient::PlayerDisconnected{slot, {}}.bytes();
        for (int other = 1; other <= m_game.players.slotcount; ++other)
            if (other != slot)
                sendto(other, gone);
    }
    m_table.leave(slot);
    const bool wasConnected = p.connected;
    const QByteArray name = p.name;
    p.connected = false;
    p.bot = false;
    p.name.clear();
    if (wasConnected && m_observer)
        m_observer->left(slot, name);
    announceHost();
}

int Server::speaker() const
{
    const qint64 serial = m_socktimer.currentSource();
    int slot = 1;
    while (slot <= Table::MaxSlots && m_connection[size_t(slot)].serial != serial)
        ++slot;
    // An earlier connection of a slot never speaks for the one holding it now.
    if (slot > Table::MaxSlots || !m_game.players[slot].connected)
        return 0;
    return slot;
}

bool Server::ownSlot(int sender, int slot, Command command)
{
    if (slot == sender)
        return true;
    qCDebug(lcServer) << "dropped" << Commands::word(command) << "from slot" << sender << "naming slot" << slot;
    return false;
}

bool Server::loggedIn(int sender, Command command) const
{
    if (m_game.players.loggedin(sender))
        return true;
    qCDebug(lcServer) << "dropped" << Commands::word(command) << "from slot" << sender << "before its login";
    return false;
}

bool Server::acts(int sender, int slot, Command command) const
{
    return loggedIn(sender, command) && ownSlot(sender, slot, command);
}

QByteArray Server::seatName(int sender, const QByteArray& name) const
{
    QList<QString> taken;
    for (int other = 1; other <= m_game.players.slotcount; ++other)
        if (other != sender && m_game.players.loggedin(other))
            taken.append(looksOf(other));
    return PlayerNames::distinct(name, taken);
}

const QString& Server::looksOf(int slot) const
{
    SeatLook& seat = m_seatLooks[size_t(slot)];
    const QByteArray& name = m_game.players[slot].name;
    if (seat.looks.isNull() || seat.name != name) {
        seat.name = name;
        seat.looks = PlayerNames::looks(name);
    }
    return seat.looks;
}

void Server::receivedlogininfo(int sender, const ToServer::LoginInfo& m)
{
    // One login per connection: a second one could take another player's
    // name, or a departed player's total, from under the table.
    if (m_game.players.loggedin(sender)) {
        qCDebug(lcServer) << "dropped a second login from slot" << sender;
        return;
    }
    if (!ownSlot(sender, m.slot, m.command) || turnAwayBanned(sender, m.name))
        return;
    m_connection[size_t(sender)].loginDeadline->stop();
    const QByteArray name = PlayerNames::clean(m.name);
    if (const int ghost = ghostOf(sender, name))
        replaceGhost(ghost, sender);
    else
        m_hostPowers.seated(sender);
    tplayer& p = m_game.players[sender];
    p.name = seatName(sender, name);
    p.connected = true;
    p.bot = isLocalBot(sender, p.name);
    m_table.join(sender);
    // The newcomer's own copy learns here the name the others see.
    sendall(ToClient::NewPlayerInfo{sender, p.name}.bytes());
    for (int other = 1; other <= m_game.players.slotcount; ++other)
        if (other != sender && m_game.players.connected(other))
            sendto(sender, ToClient::ExistingPlayers{other, m_game.players[other].name}.bytes());
    if (m.version != m_host.versionText()) {
        sendto(hostSlot(), ToClient::HaveWrongVersion{p.name}.bytes());
        sendto(sender, ToClient::WrongVersion{}.bytes());
    }
    if (m_game.gamerunning) {
        sendto(sender, ToClient::LoadStats{GameModes::code(m_game.gamemode)}.bytes());
        sendto(sender, standings().bytes());
    }
    announceHost(sender);
    if (m_observer)
        m_observer->loggedIn(sender, p.name);
}

ToClient::PostScores Server::standings() const
{
    // Totals as a round's end posts them, with no round result: a newcomer's
    // rows show the game so far instead of nought for everybody.
    ToClient::PostScores scores;
    for (int seat = 1; seat <= Table::Seats; ++seat)
        scores.rows.append({seat, m_game.players[seat].total, 0});
    return scores;
}

int Server::ghostOf(int sender, const QByteArray& name) const
{
    const TSock* sock = m_connection[size_t(sender)].sock.get();
    const QHostAddress from(sock ? sock->HostName() : QString());
    if (from.isNull())
        return 0;
    const QString looks = PlayerNames::looks(name);
    for (int other = 1; other <= m_game.players.slotcount; ++other) {
        const TSock* old = m_connection[size_t(other)].sock.get();
        if (other != sender && m_game.players.loggedin(other) && old && looksOf(other) == looks
            && from.isEqual(QHostAddress(old->HostName())))
            return other;
    }
    return 0;
}

void Server::replaceGhost(int ghost, int sender)
{
    qCDebug(lcServer) << "slot" << sender << "logs in again as slot" << ghost << "whose connection is gone";
    if (m_observer)
        m_observer->dropped(ghost, QStringLiteral("replaced by a new login"));
    // Leaving now puts the total where the new login's seat finds it; the
    // close below then announces the departure like any other.
    m_table.leave(ghost);
    m_hostPowers.seated(sender, m_hostPowers.since(ghost));
    disconnectsock(ghost);
}

bool Server::isLocalBot(int slot, const QByteArray& name) const
{
    if (!name.startsWith("Bot "))
        return false;
    const TSock* sock = m_connection[size_t(slot)].sock.get();
    const QHostAddress from(sock ? sock->HostName() : QString());
    if (from.isLoopback())
        return true;
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return std::any_of(own.begin(), own.end(), [&from](const QHostAddress& a) { return a.isEqual(from); });
}

void Server::announceHost(int newcomer)
{
    // A hosting copy's own player holds them for good, and knows it.
    if (m_hostPowers.rule() == HostPowers::Rule::SlotOne)
        return;
    const int holder = hostSlot();
    if (holder != m_announcedHost) {
        m_announcedHost = holder;
        const QByteArray message = ToClient::Host{holder}.bytes();
        for (int slot = 1; slot <= m_game.players.slotcount; ++slot)
            if (m_game.players.loggedin(slot))
                sendto(slot, message);
    } else if (newcomer != 0) {
        sendto(newcomer, ToClient::Host{holder}.bytes());
    }
}

void Server::kickhim(int sender, const ToServer::KickHim& m)
{
    if (!acts(sender, m.slot, m.command))
        return;
    if (sender != hostSlot()) {
        qCDebug(lcServer) << "ignored a removal asked by slot" << sender;
        return;
    }
    kick(m.target, QStringLiteral("removed by slot %1").arg(sender));
}

bool Server::turnAwayBanned(int sender, const QByteArray& name)
{
    if (!m_bans)
        return false;
    const auto ban = m_bans->find(PlayerNames::clean(name), address(sender), QDateTime::currentDateTimeUtc());
    if (!ban)
        return false;
    const QByteArray term = ban->until.isValid()
        ? " until " + ban->until.toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")).toUtf8()
        : QByteArray();
    // The line arrives before the close, so the player reads why in the chat.
    sendto(sender, ToClient::tableLine("You are banned from this table" + term + '.').bytes());
    kick(sender, QStringLiteral("banned"));
    return true;
}

void Server::chat(int sender, const ToServer::Chat& m)
{
    if (acts(sender, m.slot, m.command))
        sendall(ToClient::Chat{sender,
                               m_game.players[sender].name + " chats: " + TableText::cutLine(m.text, TextLimits::Chat)}
                    .bytes());
}

void Server::action(int sender, const ToServer::Action& m)
{
    if (acts(sender, m.slot, m.command))
        sendall(
            ToClient::Action{sender, m_game.players[sender].name + ' ' + TableText::cutLine(m.text, TextLimits::Chat)}
                .bytes());
}

void Server::phrase(int sender, const ToServer::Phrase& m)
{
    // Clients put " says: " before the phrase itself.
    static const QByteArray says = " says: ";
    if (!acts(sender, m.slot, m.command))
        return;
    const int limit = TextLimits::Phrase + (m.text.startsWith(says) ? int(says.size()) : 0);
    sendall(ToClient::Phrase{m_game.players[sender].name + ' ' + TableText::cutLine(m.text, limit)}.bytes());
}

void Server::playasound(int sender, const ToServer::PlayASound& m)
{
    // A chatter sound is "wave" and a number; anything much longer is no
    // sound, and relaying it would only load every reader.
    if (!acts(sender, m.slot, m.command))
        return;
    if (m.text.size() <= ChatterSoundBytes)
        sendall(ToClient::PlayASound{sender, m.text}.bytes());
    else
        qCDebug(lcServer) << "dropped a chatter sound of" << m.text.size() << "bytes from slot" << sender;
}

void Server::startgame(int sender, const ToServer::StartGame& m)
{
    if (m_table.maystart(sender, sender == hostSlot()))
        m_table.startgame(sender, m);
}

void Server::justwatch(int sender, const ToServer::JustWatch& m)
{
    if (!loggedIn(sender, m.command))
        return;
    // A seat switches itself; only the host switches others.
    if (Table::isSeat(m.seat) && (m.seat == sender || sender == hostSlot()))
        m_table.justwatch(m.seat, m.value);
}

void Server::selecttile(int sender, const ToServer::SelectTile& m)
{
    if (acts(sender, m.slot, m.command))
        m_table.selecttile(sender, m.x, m.y);
}
