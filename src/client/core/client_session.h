#pragma once

#include "game_link.h"
#include "net/dispatcher.h"
#include "net/message_splitter.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// The client's connection: who we are, where we connect, our slot, and the
// two sockets (`sock` to the game server, `Sock11` to the lobby) whose
// messages feed one incoming queue dispatched at most one per millisecond.
// What the table says about the game is the game model's; this only carries it.
class ClientSession : public QObject, public GameLink {
    Q_OBJECT
public:
    // Bytes of messages the incoming queue may hold: a round's end sends a few
    // kilobytes, so a peer past this is flooding, and the connection closes.
    static constexpr qint64 QueueBytes = 8 * 1024 * 1024;
    // Where the link to the game server stands.
    enum class State {
        // Not connected: before hosting or joining, and after leaving a table.
        Disconnected,
        // Connecting, or connected and waiting for the table to give us a slot.
        Connecting,
        // The table gave us a slot and we answered: messages may be sent.
        LoggedIn,
        // The table's connection (or the lobby link) closed.
        Closed,
    };
    Q_ENUM(State)

    explicit ClientSession(QObject* parent = nullptr);
    ~ClientSession() override;

    QString myname() const override { return m_myname; }
    void setMyname(const QString& name) { m_myname = name; }
    QString hostaddress() const { return m_hostaddress; }
    void setHostaddress(const QString& address) { m_hostaddress = address; }
    int myslot() const override { return m_myslot; }
    bool loggedin() const override { return m_state == State::LoggedIn; }
    State state() const { return m_state; }

    // Why a join asked for by the player came to nothing.
    enum class JoinFailure { Refused, NotFound, Unreachable, TimedOut, NotAGameServer };
    // The connection just opened must answer like a game server within
    // `timeoutMs`: a game server speaks first, with a command word. Refusal,
    // an unknown host, silence, or any other answer ends the attempt with
    // joinFailed instead of ending the program.
    void expectGameServer(int timeoutMs);
    // Closes both connections without ending the program and forgets the
    // login, the queue and the game, ready to host or join again.
    void disconnectFromServer();

    // Sends one finished message on `sock`, only while logged in; false otherwise.
    bool send(const QByteArray& message) override;

    // Connects `sock` to host:port (7772 unless a test says otherwise).
    void connectToServer(const QString& host, quint16 port = 7772);
    // Connects `Sock11` to the lobby on 127.0.0.1:port (9001 unless a test says otherwise).
    void connectToLobby(quint16 port = 9001);

    // `sendloginfo`: records the slot and sends the login reply.
    void sendloginfo(int slot, const QByteArray& version);

    // How long a join waits for the host's first word before `hostSilent`.
    void setAnswerWait(int ms) { m_answerWait.setInterval(ms); }
    // Whether the game server's connection (not the lobby link) was the one that closed.
    bool serverClosed() const { return m_serverClosed; }
    // The table said it was closing on purpose: its connection's end is no
    // broken link to come back over.
    void noteFarewell() { m_farewell = true; }
    bool farewell() const { return m_farewell; }

    Dispatcher& dispatcher() { return m_dispatcher; }
    TSock& sock() { return m_sock; }
    TSock& sock11() { return m_sock11; }

signals:
    void stateChanged(ClientSession::State state);
    // The close of either socket: the program ends. Emitted only after
    // every message received before the close has been dispatched.
    void connectionClosed();
    // The server gave us no slot within the answer wait after connecting.
    void hostSilent();
    // The attempt watched by expectGameServer reached a game server.
    void gameServerAnswered();
    // The attempt watched by expectGameServer failed; the connection is closed.
    void joinFailed(ClientSession::JoinFailure reason);

private:
    // `sockRead`: cuts the socket's bytes into messages for the queue.
    void sockRead(TSock* sender);
    // `sockInfo`: a failed attempt, and the close of either socket.
    void sockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void setState(State state);
    // Checks the first bytes of a watched attempt; false when they are not a game's.
    bool checkFirstAnswer(const QByteArray& bytes);
    void failJoin(JoinFailure reason);

    QString m_myname;
    QString m_hostaddress;
    int m_myslot = 0;
    State m_state = State::Disconnected;
    bool m_closeAnnounced = false;
    bool m_serverClosed = false;
    bool m_farewell = false;
    QTimer m_answerWait;
    // Set while our own close must not end the program.
    bool m_leaving = false;
    bool m_probing = false;
    QByteArray m_firstBytes;
    QTimer m_probeTimer;
    TSock m_sock;
    TSock m_sock11;
    MessageSplitter m_sockPending;
    MessageSplitter m_sock11Pending;
    Dispatcher m_dispatcher;
};
