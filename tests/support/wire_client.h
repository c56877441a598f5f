#pragma once

#include "gd_version.h"
#include "net/message_splitter.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Runs this thread's event loop until `done` holds or the time is up; reacts as
// soon as an event arrives (QTest's waits sleep 10 ms between looks, which would
// dominate tests that trade thousands of messages).
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A game client over a real loopback socket that sends whatever it is told, byte
// for byte, and keeps every message it receives in order. Tests read them
// through a cursor (next, nextOf, readUntil); long-running clients (the soak
// run) follow them in `seen` instead and keep none. Received bytes are taken as
// soon as they arrive, whichever wait turns the event loop. It may live on a
// thread of its own (beside a stalled window, say).
//
// With GD_RECORD_DIR set, every client writes the bytes it sends to
// "<dir>/<pid>-<n>.sent" and the bytes it receives to "<dir>/<pid>-<n>.recv" (n
// counts the clients of the process); fuzz/record_corpus turns them into seed corpora.
class WireClient : public QObject {
    Q_OBJECT
public:
    explicit WireClient(QObject* parent = nullptr);
    ~WireClient() override;

    // Starts connecting without waiting, unless a connection is open or under
    // way (false then); what a former connection left is forgotten.
    bool open(quint16 port);
    // Connects and waits. receiveBuffer > 0 shrinks the kernel's receive buffer
    // (a client that never reads then backs up into the server sooner).
    bool connectTo(quint16 port, int receiveBuffer = 0);
    // Connects, takes its slot from CMD_sendlogininfo and logs in; true once
    // the server has announced its arrival.
    bool login(quint16 port, const QByteArray& name, const QByteArray& version = GD_VERSION_TEXT);

    // A message of the protocol catalogue, or a text whose terminator is added here.
    template <class Msg, class = decltype(std::declval<const Msg&>().bytes())>
    void send(const Msg& message)
    {
        sendRaw(message.bytes());
    }
    void send(const QByteArray& message);
    // Bytes exactly as given: half messages, bursts, garbage.
    void sendRaw(const QByteArray& bytes);
    // A clean close (FIN) or a hard one (RST, unsent bytes dropped).
    void close();
    void abort();

    // The next unread message; empty when none arrives within the wait.
    QByteArray next(int timeoutMs = 5000);
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

    // The slot the server gave this connection (0 until CMD_sendlogininfo comes).
    int slot = 0;
    QByteArray name;
    // The loopback address to connect from when not 127.0.0.1: another one
    // (127.0.0.2) is another player's machine to the server.
    QString from;
    // Where open() connects: loopback unless a test on a real link says.
    QString host = QStringLiteral("127.0.0.1");

protected:
    // Sees every message as it arrives, before anyone reads it.
    virtual void seen(const QByteArray& message);
    // Keep received messages for the cursor (tests) or only show them to
    // `seen` (clients that run for hours).
    void keepMessages(bool keep) { m_keep = keep; }
    QTcpSocket& socket() { return m_socket; }

private:
    void pump();

    QTcpSocket m_socket;
    MessageSplitter m_splitter{0};
    QList<QByteArray> m_received;
    qsizetype m_cursor = 0;
    bool m_reading = true;
    bool m_keep = true;
    std::unique_ptr<QFile> m_sentLog;
    std::unique_ptr<QFile> m_recvLog;
};
