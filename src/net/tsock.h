#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>

class QTcpServer;
class QTcpSocket;
class QTimer;

// Progress and error reports of a socket, in the order the component defines them.
enum class TSocketInfo { Lookup, Connect, Close, Listen, Receive, Send, Accept, Error };

// Misuse of a socket (sending while closed, a port already taken, ...). The
// message is one of the component's fixed texts, e.g. "Send - Socket Not Connected".
class ESockException : public std::runtime_error {
public:
    explicit ESockException(const QString& message);
    QString text() const;
};

// The one socket class of the program: the server's listener, each accepted
// connection, and a client's own connection. Events arrive as signals on the
// thread that owns the object: the game's own connection on the UI thread, a
// table's listener and connections on its server thread, a bot's on whichever
// thread runs it. Framing is the owner's business.
//
// Bytes travel over a network connection. A stand-in that carries them in
// memory (MemorySock) overrides the protected link functions and feeds bytes
// in through arrived() and peerHungUp(); everything above the link (reports,
// the send limit, the owner's handlers) runs the same for both.
class TSock : public QObject {
    Q_OBJECT
public:
    enum TSocketType { stStream, stDatagram };
    enum TLineBreak { lbCRLF, lbCR, lbLF, lbSmart };

    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;

    // Published properties.
    TSocketType SocketType() const { return m_socketType; }
    void setSocketType(TSocketType type);
    QString HostName() const { return m_hostName; }
    void setHostName(const QString& host);
    QString PortName() const { return m_portName; }
    void setPortName(const QString& port);
    bool Blocking() const { return m_blocking; }
    void setBlocking(bool on) { m_blocking = on; }
    bool AutoAccept() const { return m_autoAccept; }
    void setAutoAccept(bool on) { m_autoAccept = on; }
    bool Listen() const { return m_listening; }
    // True binds PortName on all local addresses (or on the one address that
    // HostName gives) and listens (backlog 5); throws
    // ESockException "Listen - Error Binding Socket" when the port is taken.
    void setListen(bool on);
    TLineBreak LineBreak() const { return m_lineBreak; }
    void setLineBreak(TLineBreak lb) { m_lineBreak = lb; }
    int BlockingTimeout() const { return m_blockingTimeout; }
    void setBlockingTimeout(int ms) { m_blockingTimeout = ms; }

    int Tag = 0;

    bool Connected() const { return m_connected; }
    // The port actually bound while listening (useful when PortName is "0").
    quint16 boundPort() const;
    // The operating system's handle of the connection; -1 when there is none.
    qintptr socketDescriptor() const;

    // Starts connecting to HostName:PortName; completion comes as OnConnect.
    void Open();
    // Appends to the send buffer and writes what the network takes now.
    // False when the bytes will never reach the peer: the connection is being
    // cut off for not reading (see setSendLimit).
    bool Send(const QByteArray& text);
    // Returns and empties the receive buffer.
    QByteArray Receive();
    // Closes; a non-listening socket reports Close "Socket Closed".
    bool Close();
    // Accepts a waiting connection (from OnAccept). Returns nullptr and reports
    // Accept "Could Not Accept Connection" when none waits.
    std::unique_ptr<TSock> Accept();

    // Bytes written by Send but not yet taken by the network.
    qint64 pendingSendBytes() const;
    // Ends at once every connection of the calling thread that was closed but
    // still hands its last bytes to the peer. For a thread about to end.
    static void dropLingering();
    // Closed connections of the calling thread still handing over their last bytes.
    static qsizetype lingeringCount();

    // Dead links are noticed on every game connection: keep-alive probes start
    // after this much silence, repeat at this interval, and give up after this
    // many; sent bytes left unacknowledged this long end the connection too.
    // Bytes sent into a silent link stop the probes until they time out, so
    // the two together notice a dead link within 45 s however the round ran.
    static constexpr int KeepIdleSeconds = 15;
    static constexpr int KeepIntervalSeconds = 5;
    static constexpr int KeepProbes = 3;
    static constexpr int UnacknowledgedLimitMs = 30000;

    // Cap on pendingSendBytes(), so a peer that never reads cannot grow our
    // memory: the connection is closed when the backlog stays above `bytes`
    // for `stallMs` without falling back under it, or at once when it passes
    // HardFactor times `bytes`. One large message alone never closes it.
    // 0 = no cap.
    static constexpr int HardFactor = 8;
    void setSendLimit(qint64 bytes, int stallMs = 5000);

signals:
    void OnAccept(TSock* sender);
    void OnRead(TSock* sender, int count);
    void OnDisconnect(TSock* sender);
    void OnInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void OnConnect(TSock* sender);

protected:
    // The link under the socket. Each is called only while linked() holds.
    virtual bool linked() const { return m_socket != nullptr; }
    virtual void writeToLink(const QByteArray& bytes);
    // Bytes written but not yet taken by the peer.
    virtual qint64 linkBacklog() const;
    // Ends the link; `graceful` lets it hand over what it still holds first.
    virtual void dropLink(bool graceful);
    // Bytes that came in: kept for Receive and announced with OnRead.
    void arrived(const QByteArray& bytes);
    // The peer closed its end: announced, then the socket closes.
    void peerHungUp();
    // A link that is up from the start (an accepted connection).
    void setConnected(const QString& peerHost);

private:
    void adopt(QTcpSocket* socket);
    void announceReceived();
    void handleReadyRead();
    void handleConnected();
    void handleBytesWritten();
    void handlePeerClosed();
    void handleError();
    void report(TSocketInfo info, const QString& msg);
    void checkBacklog();
    void cutOff();
    QTimer& stallTimer();

    TSocketType m_socketType = stStream;
    QString m_hostName;
    QString m_portName;
    bool m_blocking = false;
    bool m_autoAccept = false;
    bool m_listening = false;
    TLineBreak m_lineBreak = lbSmart;
    int m_blockingTimeout = 0;
    bool m_connected = false;
    bool m_closing = false;
    qint64 m_sendLimit = 0;
    bool m_overLimit = false;
    int m_stallMs = 0;
    // Runs while the backlog is above the send limit; made when the peer
    // first falls behind, which most never do.
    QTimer* m_stalled = nullptr;
    QByteArray m_receiveBuffer;
    QTcpServer* m_server = nullptr;
    QTcpSocket* m_socket = nullptr;
};
