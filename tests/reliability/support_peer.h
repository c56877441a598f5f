#pragma once

#include "net/field_reader.h"
#include "net/message_splitter.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTcpSocket>
#include <array>
#include <functional>
#include <memory>
#include <optional>

// Runs the event loop until `done` holds or the time is up; reacts as soon as
// an event arrives (QTest's waits sleep 10 ms between looks, which would
// dominate tests that trade thousands of messages).
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A client of the game server over a real socket that sends whatever it is told,
// byte for byte, and keeps every message it receives in order.
//
// With GD_RECORD_DIR set, every peer writes the bytes it sends to
// "<dir>/<n>.sent" and the bytes it receives to "<dir>/<n>.recv" (n counts the
// peers of the process); fuzz/record_corpus turns them into seed corpora.
class Peer {
public:
    Peer();
    virtual ~Peer();

    // receiveBuffer > 0 shrinks the kernel's receive buffer (a peer that never
    // reads then backs up into the server sooner).
    bool connectTo(quint16 port, int receiveBuffer = 0);
    // Connects, takes the slot from CMD_sendlogininfo and logs in.
    bool login(quint16 port, const QByteArray& name);

    // One message; the terminator is added here.
    void send(const QByteArray& message);
    void sendRaw(const QByteArray& bytes);
    // A clean close (FIN) or a hard one (RST, unsent bytes dropped).
    void close();
    void abort();

    // Skips to the next unread message with one of these command words; empty
    // when none arrives within the wait.
    QByteArray nextOf(const QList<QByteArray>& commands, int timeoutMs = 5000);
    QByteArray nextOf(const QByteArray& command, int timeoutMs = 5000);
    // The messages that arrive before this exact one (which is read too);
    // nullopt when it never comes.
    std::optional<QList<QByteArray>> readUntil(const QByteArray& expected, int timeoutMs = 5000);
    // Every message received so far and not yet read, without waiting; they
    // are forgotten (a long test must not hoard what it has read).
    QList<QByteArray> unread();
    bool waitClosed(int timeoutMs = 5000);
    bool isOpen() const;
    // Bytes written but not yet taken by the network.
    qint64 pendingBytes() const { return m_socket.bytesToWrite(); }
    // Stops taking bytes from the socket (a client that never reads): the
    // socket's own buffer is capped too, so the kernel's buffers fill up.
    void stopReading();

    // Marks a moment the fuzz harness replays as "time runs out" (an empty
    // message in the recorded stream; the server ignores empty messages).
    void recordTimeOut();

    int slot = 0;
    QByteArray name;

protected:
    // Sees every message as it arrives, before anyone reads it.
    virtual void seen(const QByteArray& message);

private:
    void pump();

    QTcpSocket m_socket;
    MessageSplitter m_splitter{0};
    QList<QByteArray> m_received;
    qsizetype m_cursor = 0;
    bool m_reading = true;
    std::unique_ptr<QFile> m_sentLog;
    std::unique_ptr<QFile> m_recvLog;
};

// An honest player: keeps a mirror of its board from what the server tells it,
// picks only tiles its current tile matches, and adds up its own round result
// from the server's move replies, the way a bot checks the server's sums.
class Player : public Peer {
public:
    enum class Pick { Taken, Cleared, Refused, NoReply, NothingToPick };

    // Picks one matching tile and waits for the server's answer.
    Pick pick();
    // Picks this cell and waits for the server's answer.
    Pick pickAt(int x, int y);
    // The message that picks this cell.
    QByteArray pickMessage(int x, int y) const;
    // Whether the current tile lets this cell be picked.
    bool matches(int x, int y) const;
    // Reads up to this seat's deal (its CMD_setnntile) of the next round.
    bool awaitDeal(int timeoutMs = 5000);

    // Own view of the round: tiles left, the current tile and the round result
    // (banked trails plus the running one) as the move replies add up.
    int tilesLeft() const;
    int tile() const { return m_tile; }
    int roundResult() const { return m_banked + m_trail; }
    int total() const { return m_total; }

    using Grid = std::array<std::array<int, 6>, 6>;
    const Grid& board() const { return m_board; }
    const Grid& bonus() const { return m_bonus; }

protected:
    void seen(const QByteArray& message) override;

private:
    void newDeal(const QByteArray& list);
    void removed(FieldReader& f);
    void bombed(FieldReader& f);
    // The move is complete: the next tile or the end of the board came.
    void drawn();

    Grid m_board{};
    Grid m_bonus{};
    int m_tile = 0;
    int m_banked = 0;
    int m_trail = 0;
    int m_total = 0;
    int m_chain = 0;
    bool m_firstPick = true;
    bool m_quietBomb = false;
};
