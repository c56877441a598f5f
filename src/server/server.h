#pragma once

#include "admission.h"
#include "game_state.h"
#include "game_table.h"
#include "host_powers.h"
#include "outbox.h"

#include "net/dispatcher.h"
#include "net/message_splitter.h"
#include "net/protocol_to_client.h"
#include "net/protocol_to_server.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>

class BanList;
class HostOptions;
class ServerObserver;

// The game server: listens on `Sock1`, gives each connection a slot, logs
// players in, relays chat, actions, phrases and chatter sounds, lets the
// holder of the host's powers remove a connection, and runs the game table. Every message from a
// connection is checked against the slot that connection holds; a message that
// names another slot, or a number out of range, is dropped without a reply.
class Server : public QObject, private Outbox {
    Q_OBJECT
public:
    // Messages one connection may have waiting in the queue; past it the
    // connection is closed.
    static constexpr int FloodLimit = 256;
    // Bytes of messages one connection may have waiting in the queue: two of
    // the longest lines it may send. Past it the connection is closed, so a
    // peer sending long lines fast cannot make the queue hold hundreds of
    // megabytes while it stays under the message count.
    static constexpr qint64 FloodBytes = 2 * MessageSplitter::DefaultCap;
    // Longest chatter-sound text relayed ("wave20+" with room to spare).
    static constexpr int ChatterSoundBytes = 32;
    // Bytes a connection may leave unread for long (see TSock::setSendLimit).
    static constexpr qint64 SendLimit = 1024 * 1024;
    // The longest message (without its end byte) a client takes in: a relay
    // that would not fit is refused and its sender cut off.
    static constexpr qsizetype ClientCap = MessageSplitter::DefaultCap;
    // Messages a second for all connections together, and how many may pass
    // at once after a quiet spell.
    static constexpr int DispatchIntervalMs = 10;
    static constexpr int DispatchBurst = 10;
    // A connection that has not logged in, or has left a message unfinished,
    // for this long is closed so it cannot squat a seat.
    static constexpr int IdleLimitMs = 30000;

    // `host` must outlive the server. Port 0 picks a free port (tests).
    explicit Server(const HostOptions& host, quint16 port = 7772, QObject* parent = nullptr);
    ~Server() override;

    // Starts listening; throws ESockException ("Listen - Error Binding Socket"
    // when the port is taken) for the hosting window to show.
    void listen();
    // The port actually bound once listening.
    quint16 port() const;
    // An address of this machine to listen on, before listen(); empty (the
    // default) listens on every IPv4 and IPv6 address.
    void setListenAddress(const QString& address);
    // Who holds the host's powers (slot 1 unless told otherwise).
    void setHostRule(HostPowers::Rule rule) { m_hostPowers.setRule(rule); }
    // The slot holding the host's powers now; 0 when no person sits.
    int hostSlot() const { return m_hostPowers.holder(m_game.players); }
    // Told of connections, logins, games and rounds; may be null. Must
    // outlive the server or be reset first.
    void setObserver(ServerObserver* observer);

    // Seats a connection just accepted as a newcomer: the listener's, or one
    // that carries its bytes in memory (the fuzz harness). Returns its slot,
    // or 0 when every slot was taken and it was refused.
    int takeConnection(std::unique_ptr<TSock> sock);
    // Names and addresses turned away at login; may be null. Must outlive the
    // server or be reset first.
    void setBans(const BanList* bans) { m_bans = bans; }
    // Removes a player as slot 1's kick does: the player is told CMD_kicked,
    // then the connection closes. `reason` goes to the observer.
    void kick(int slot, const QString& reason);
    // A chat line of the table itself that every connection sees in the
    // clients' own status style; no player's slot speaks it.
    void announce(const QByteArray& text);
    // Where a slot's connection came from; empty for a slot without one.
    QString address(int slot) const;
    // Closes a slot's connection; the cleanup follows from its close report.
    // Whatever the connection still had waiting in the queue is dropped.
    void disconnectsock(int slot);
    // Closes every connection (the host is shutting down).
    void disconnectAll();
    // The table closes on purpose: every connection is told so first, so its
    // player does not take the close for a broken link and try to come back.
    void closeTable();
    // Time a connection may take to log in, or to finish a message it began.
    void setIdleLimit(int ms) { m_idleLimitMs = ms; }
    // How many connections one address may open in a row, and then how many a
    // second (see Admission).
    void setConnectionPace(int burst, int perSecond) { m_admission.setPace(burst, perSecond); }
    // Messages of this slot's connection waiting in the queue.
    qsizetype waiting(int slot) const;
    // Ends the game in play, if any, and puts the table back as it stands
    // before a first game: no deal, no totals, none kept for a rejoin. A slot
    // whose connection is open keeps it, and a seat that has logged in is as
    // it was right after its login; any other slot is as if never used. Only
    // between messages, once every closed connection's departure has been
    // handled: false, and nothing changed, while one has not. Lets one server
    // host game after game with nothing of the last one left over (the fuzz
    // harness).
    bool reset();

    const GameState& game() const { return m_game; }
    GameState& game() { return m_game; }
    GameTable& table() { return m_table; }
    // The incoming queue (`socktimer`): tests may switch it to manual dispatch.
    Dispatcher& socktimer() { return m_socktimer; }

private:
    // Registers the handler of one message: it runs with the decoded message,
    // and only for a well-formed one from the connection that holds its slot.
    template <class Msg>
    void route(void (Server::*handler)(int sender, const Msg& m));

    struct Connection {
        std::unique_ptr<TSock> sock;
        MessageSplitter pending;
        // This connection's queue in the dispatcher; tells its messages from
        // those of an earlier connection that held the same slot.
        qint64 serial = 0;
        // The peer hung up: what it sent before is still handled.
        bool peerClosed = false;
        // Close the connection when it stays silent in these states too long.
        std::unique_ptr<QTimer> loginDeadline;
        std::unique_ptr<QTimer> partialDeadline;
    };

    void deliver(int slot, const QByteArray& message) override;
    void hold() override { ++m_holding; }
    void release() override;
    // Hands bytes to a slot's connection, if it still has one.
    void write(int slot, const QByteArray& bytes);
    // Sends what a batch gathered for the slot so far.
    void flushHeld(int slot);

    int freeSlot();
    // Frees the slot of a connection squatting for a crowded address, so a
    // newcomer from `address` finds room at a full table; 0 when none may go.
    int makeRoomFor(const QString& address);
    void Sock1Accept(TSock* sender);
    void refuse(std::unique_ptr<TSock> sock);
    void startDeadlines(int slot);
    void Sock1Read(TSock* sender);
    // Queues one message of the connection; false when it floods (too many or too many bytes waiting).
    bool queueFrom(Connection& c, const QByteArray& message);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void drop(TSock* sender, const QString& reason);
    // Announces a closed connection's departure and frees its slot; runs in
    // the connection's turn, after its last messages.
    void playerleft(int slot, qint64 serial);
    // The slot of the connection whose queued message (`socktimer`) is being
    // handled; 0 when that connection no longer holds its slot.
    int speaker() const;
    Connection* current(TSock* sender);

    // Accepts a message's slot field only when it is the sender's own.
    static bool ownSlot(int sender, int slot, Command command);
    bool loggedIn(int sender, Command command) const;
    // The sender has logged in and the slot field is its own: only then may
    // a connection talk or play.
    bool acts(int sender, int slot, Command command) const;
    // The name a login may sit under: its cleaned name (PlayerNames::clean),
    // made distinct from the names of the others logged in.
    QByteArray seatName(int sender, const QByteArray& name) const;
    // Closes a login whose name or address is banned, after telling the
    // player why; false when the login may go on.
    bool turnAwayBanned(int sender, const QByteArray& name);
    void receivedlogininfo(int sender, const ToServer::LoginInfo& m);
    ToClient::PostScores standings() const;
    // The look of a seat's name (PlayerNames::looks). Every login compares
    // its name with every seat's, so each seat's look is kept with the name
    // it was worked out for and worked out again only when that changed.
    const QString& looksOf(int slot) const;
    // A login under the name of a seat whose old connection, from the same
    // address, has not been found dead yet: that seat is this player's ghost.
    int ghostOf(int sender, const QByteArray& name) const;
    // Lets the ghost go as a leaver, so its total and place wait for `sender`.
    void replaceGhost(int ghost, int sender);
    // A bot of this machine: a bot's name, from one of this machine's addresses.
    bool isLocalBot(int slot, const QByteArray& name) const;
    // Tells everybody who holds the host's powers when that changed, and a
    // newcomer in any case.
    void announceHost(int newcomer = 0);
    void kickhim(int sender, const ToServer::KickHim& m);
    void chat(int sender, const ToServer::Chat& m);
    void action(int sender, const ToServer::Action& m);
    void phrase(int sender, const ToServer::Phrase& m);
    void playasound(int sender, const ToServer::PlayASound& m);
    void startgame(int sender, const ToServer::StartGame& m);
    void justwatch(int sender, const ToServer::JustWatch& m);
    void selecttile(int sender, const ToServer::SelectTile& m);

    const HostOptions& m_host;
    quint16 m_port;
    GameState m_game;
    GameTable m_table;
    std::array<Connection, Table::MaxSlots + 1> m_connection;
    qint64 m_serials = 0;
    int m_idleLimitMs = IdleLimitMs;
    Admission m_admission;
    // Set when a message built while handling one would not fit a client.
    bool m_tooLong = false;
    // Open batches, and what they gathered for each slot.
    int m_holding = 0;
    std::array<QByteArray, Table::MaxSlots + 1> m_held;
    TSock Sock1;
    Dispatcher m_socktimer;
    ServerObserver* m_observer = nullptr;
    HostPowers m_hostPowers;
    // The holder last announced; -1 before any announcement.
    int m_announcedHost = -1;
    const BanList* m_bans = nullptr;
    struct SeatLook {
        QByteArray name;
        QString looks;
    };
    mutable std::array<SeatLook, Table::MaxSlots + 1> m_seatLooks;
};
