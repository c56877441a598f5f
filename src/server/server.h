#pragma once

#include "game_state.h"
#include "game_table.h"
#include "outbox.h"

#include "net/dispatcher.h"
#include "net/message_splitter.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <array>
#include <memory>

class HostOptions;
class ServerObserver;

// The game server: listens on `Sock1`, gives each connection a slot, logs
// players in, relays chat, actions, phrases and chatter sounds, lets slot 1
// remove a connection, and runs the game table. Every message from a
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
    // Bytes a connection may leave unread before it is closed.
    static constexpr qint64 SendLimit = 1024 * 1024;

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
    // Told of connections, logins, games and rounds; may be null. Must
    // outlive the server or be reset first.
    void setObserver(ServerObserver* observer);

    // Closes a slot's connection; the cleanup follows from its close report.
    void disconnectsock(int slot);
    // Closes every connection (the host is shutting down).
    void disconnectAll();

    const GameState& game() const { return m_game; }
    GameState& game() { return m_game; }
    GameTable& table() { return m_table; }
    // The incoming queue (`socktimer`): tests may switch it to manual dispatch.
    Dispatcher& socktimer() { return m_socktimer; }

private:
    using Handler = void (Server::*)(int sender, FieldReader& fields);

    struct Connection {
        std::unique_ptr<TSock> sock;
        MessageSplitter pending;
        // Tells this connection's queued messages from those of an earlier
        // connection that held the same slot.
        qint64 serial = 0;
        int waiting = 0;
        qint64 waitingBytes = 0;
    };

    void deliver(int slot, const QByteArray& message) override;

    int freeSlot();
    void Sock1Accept(TSock* sender);
    void refuse(std::unique_ptr<TSock> sock);
    void Sock1Read(TSock* sender);
    // The queue entry head that names a connection: its slot and serial.
    static QByteArray queuedFrom(int slot, qint64 serial);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void drop(TSock* sender, const QString& reason);
    // Runs one queued message: checks it still belongs to a live connection and
    // hands it to the command's handler with the connection's slot.
    void socktimerTimer(FieldReader& queued);
    Connection* current(TSock* sender);

    // Reads the slot field and accepts it only when it is the sender's own.
    static bool ownSlot(int sender, FieldReader& fields);
    // The sender has logged in and the slot field is its own: only then may
    // a connection talk or play.
    bool acts(int sender, FieldReader& fields) const;
    // The name a login may sit under: cleaned, and distinct from the names of
    // the others logged in.
    QByteArray seatName(int sender, const QByteArray& typed) const;
    void receivedlogininfo(int sender, FieldReader& fields);
    void kickhim(int sender, FieldReader& fields);
    void chat(int sender, FieldReader& fields);
    void action(int sender, FieldReader& fields);
    void phrase(int sender, FieldReader& fields);
    void playasound(int sender, FieldReader& fields);
    void startgame(int sender, FieldReader& fields);
    void justwatch(int sender, FieldReader& fields);
    void selecttile(int sender, FieldReader& fields);

    const HostOptions& m_host;
    quint16 m_port;
    GameState m_game;
    GameTable m_table;
    std::array<Connection, Table::MaxSlots + 1> m_connection;
    qint64 m_serials = 0;
    QHash<QByteArray, Handler> m_handlers;
    TSock Sock1;
    Dispatcher m_socktimer;
    ServerObserver* m_observer = nullptr;
};
