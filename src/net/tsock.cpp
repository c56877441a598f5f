#include "tsock.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <QElapsedTimer>

#include <cerrno>
#include <deque>
#include <utility>

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

constexpr qint64 ReadChunk = 32768;
// How long a closed connection may take to hand its last bytes to a slow peer.
constexpr int LingerMs = 5000;
// How often lingering connections past their time are ended.
constexpr int SweepMs = 250;

struct ErrorName {
    int code;
    const char* name;
};

// Socket errors in the numbering and names the game has always reported.
ErrorName errorName(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return {10061, "WSAECONNREFUSED"};
    case QAbstractSocket::RemoteHostClosedError: return {10054, "WSAECONNRESET"};
    case QAbstractSocket::HostNotFoundError: return {11001, "WSAHOST_NOT_FOUND"};
    case QAbstractSocket::SocketAccessError: return {10013, "WSAEACCES"};
    case QAbstractSocket::SocketResourceError: return {10055, "WSAENOBUFS"};
    case QAbstractSocket::SocketTimeoutError: return {10060, "WSAETIMEDOUT"};
    case QAbstractSocket::NetworkError: return {10050, "WSAENETDOWN"};
    case QAbstractSocket::AddressInUseError: return {10048, "WSAEADDRINUSE"};
    case QAbstractSocket::SocketAddressNotAvailableError: return {10049, "WSAEADDRNOTAVAIL"};
    case QAbstractSocket::UnsupportedSocketOperationError: return {10045, "WSAEOPNOTSUPP"};
    default: return {int(error), "UNKNOWN ERROR"};
    }
}

// A port number, or a service name looked up for "tcp"; -1 when neither.
int lookupPort(const QString& portName)
{
    bool numeric = false;
    const int port = portName.toInt(&numeric);
    if (numeric)
        return (port >= 0 && port <= 65535) ? port : -1;
    const QByteArray name = portName.toLatin1();
    const servent* entry = name.isEmpty() ? nullptr : getservbyname(name.constData(), "tcp");
    return entry ? int(ntohs(quint16(entry->s_port))) : -1;
}

QString dotted(const QHostAddress& address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4).toString() : address.toString();
}

// Closed connections that still hand their last bytes to the peer, per
// thread, oldest first. Every one lingers equally long, so the queue stays in
// the order of its deadlines: one timer serves them all and a close costs the
// same however many went before it (a timer of its own per connection made a
// storm of closes cost the square of their number). A socket the peer released
// in time frees itself and leaves a null entry that the sweep passes over.
// Ends a connection at once: the kernel resets it rather than keep trying to
// hand the peer what it still holds, which a peer that never reads would make
// it do for many minutes after the socket is gone.
void endNow(QTcpSocket& socket)
{
    const linger reset = {1, 0};
    if (socket.socketDescriptor() >= 0)
        ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    socket.abort();
    socket.deleteLater();
}

class LingerQueue {
public:
    ~LingerQueue() { delete m_sweeper; }

    void add(QTcpSocket* socket)
    {
        if (!m_clock.isValid())
            m_clock.start();
        m_entries.push_back({m_clock.elapsed() + LingerMs, socket});
        if (!sweeper().isActive())
            m_sweeper->start();
    }

    // Ends every waiting socket now (the thread is about to end).
    void dropAll()
    {
        for (const Entry& e : std::exchange(m_entries, {}))
            delete e.socket.data(); // deleting a socket aborts it
        delete std::exchange(m_sweeper, nullptr);
    }

    qsizetype size() const { return qsizetype(m_entries.size()); }

private:
    struct Entry {
        qint64 deadline;
        QPointer<QTcpSocket> socket;
    };

    QTimer& sweeper()
    {
        if (!m_sweeper) {
            m_sweeper = new QTimer;
            m_sweeper->setInterval(SweepMs);
            QObject::connect(m_sweeper, &QTimer::timeout, m_sweeper, [this] { sweep(); });
        }
        return *m_sweeper;
    }

    void sweep()
    {
        const qint64 now = m_clock.elapsed();
        while (!m_entries.empty() && (m_entries.front().socket.isNull() || m_entries.front().deadline <= now)) {
            if (QTcpSocket* socket = m_entries.front().socket.data())
                endNow(*socket);
            m_entries.pop_front();
        }
        if (m_entries.empty())
            m_sweeper->stop();
    }

    std::deque<Entry> m_entries;
    QElapsedTimer m_clock;
    QTimer* m_sweeper = nullptr;
};

thread_local LingerQueue lingering;

// Lets a closed connection deliver what it still has to send, then frees it.
void retire(QTcpSocket* socket, bool graceful)
{
    socket->disconnect();
    socket->setParent(nullptr);
    if (!graceful || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    lingering.add(socket);
    socket->disconnectFromHost();
}

// Notices a dead link (a peer whose machine or network went away without a
// word) within about 45 s: keep-alive probes after 20 s of silence, and a cap
// on how long sent bytes may go unacknowledged. Without them a vanished player
// holds a seat until the next write fails, which may be never.
void watchForDeadPeer(int fd)
{
    const auto set = [fd](int level, int option, int value) { ::setsockopt(fd, level, option, &value, sizeof value); };
    set(SOL_SOCKET, SO_KEEPALIVE, 1);
    set(IPPROTO_TCP, TCP_KEEPIDLE, TSock::KeepIdleSeconds);
    set(IPPROTO_TCP, TCP_KEEPINTVL, TSock::KeepIntervalSeconds);
    set(IPPROTO_TCP, TCP_KEEPCNT, TSock::KeepProbes);
    set(IPPROTO_TCP, TCP_USER_TIMEOUT, TSock::UnacknowledgedLimitMs);
}

// Hands the bytes to the network at once when nothing waits before them.
// QTcpSocket would keep them until its next turn of the event loop and arm and
// disarm a write notifier around that write: two more wake-ups of the loop for
// every message, which was most of the server's work for a pick. What the
// network does not take now, and any error, goes the buffered way, so the order
// of the bytes, the backlog and the error reports stay the socket's own.
void writeNow(QTcpSocket& socket, const QByteArray& bytes)
{
    qsizetype sent = 0;
    if (socket.bytesToWrite() == 0 && socket.state() == QAbstractSocket::ConnectedState) {
        const int fd = int(socket.socketDescriptor());
        ssize_t n = -1;
        do
            n = ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        while (n < 0 && errno == EINTR);
        sent = qMax<qsizetype>(0, n);
    }
    if (sent < bytes.size())
        socket.write(bytes.constData() + sent, bytes.size() - sent);
}

} // namespace

ESockException::ESockException(const QString& message) : std::runtime_error(message.toStdString())
{
}

QString ESockException::text() const
{
    return QString::fromStdString(what());
}

TSock::TSock(QObject* parent) : QObject(parent)
{
}

void TSock::dropLingering()
{
    lingering.dropAll();
}

qsizetype TSock::lingeringCount()
{
    return lingering.size();
}

TSock::~TSock()
{
    // Owners are being torn down too: close without reporting to them.
    blockSignals(true);
    // Closing what is open raises nothing (the checks that raise are for
    // sockets in the wrong state), and a destructor must not let anything out.
    try {
        if (m_socket)
            Close();
        if (m_listening)
            setListen(false);
    } catch (...) {
        // The socket, a child of this object, goes with it all the same.
    }
}

void TSock::setSocketType(TSocketType type)
{
    if (m_connected)
        throw ESockException(QStringLiteral("SocketType - Can't Assign Socket Type While Connected"));
    if (m_listening)
        throw ESockException(QStringLiteral("SocketType - Can't Assign Socket Type While Listening"));
    m_socketType = type;
}

void TSock::setHostName(const QString& host)
{
    if (m_connected) {
        report(TSocketInfo::Lookup, QStringLiteral("Setting HostName While Connected Has No Effect"));
        return;
    }
    m_hostName = host;
}

void TSock::setPortName(const QString& port)
{
    if (m_connected) {
        report(TSocketInfo::Lookup, QStringLiteral("Setting PortName While Connected Has No Effect"));
        return;
    }
    m_portName = port;
}

void TSock::setListen(bool on)
{
    if (!on) {
        if (m_server) {
            m_server->close();
            m_server->deleteLater();
            m_server = nullptr;
        }
        m_listening = false;
        return;
    }
    if (m_socketType == stDatagram)
        throw ESockException(QStringLiteral("Listen - Cannot Listen On A Datagram Socket"));
    if (m_listening || m_connected || m_socket)
        throw ESockException(QStringLiteral("Listen - Socket Already In Use"));
    const int port = lookupPort(m_portName);
    if (port < 0)
        throw ESockException(QStringLiteral("Port Lookup - Could Not Find Service Entry"));
    auto* server = new QTcpServer(this);
    server->setListenBacklogSize(5);
    // A table listens on its own address: a proxy has no part in it, and
    // asking the system for one starts a proxy-resolving thread on the way.
    server->setProxy(QNetworkProxy::NoProxy);
    // A HostName set on a listener names the one local address to bind.
    const QHostAddress address = m_hostName.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(m_hostName);
    if (address.isNull() || !server->listen(address, quint16(port))) {
        const bool inUse = server->serverError() == QAbstractSocket::AddressInUseError;
        delete server;
        throw ESockException(inUse ? QStringLiteral("Listen - Error Binding Socket")
                                   : QStringLiteral("Listen - Error Starting Listen"));
    }
    m_server = server;
    m_listening = true;
    connect(server, &QTcpServer::newConnection, this, [this] { emit OnAccept(this); });
    report(TSocketInfo::Listen, QStringLiteral("Listening Started"));
}

quint16 TSock::boundPort() const
{
    return m_server ? m_server->serverPort() : 0;
}

qintptr TSock::socketDescriptor() const
{
    return m_socket ? m_socket->socketDescriptor() : -1;
}

void TSock::Open()
{
    if (m_listening || m_connected)
        throw ESockException(QStringLiteral("Listen - Socket Already In Use"));
    const int port = lookupPort(m_portName);
    if (port < 0)
        throw ESockException(QStringLiteral("Port Lookup - Could Not Find Service Entry"));
    if (m_hostName.trimmed().isEmpty())
        throw ESockException(QStringLiteral("Host Lookup - Could Not Find Host Entry"));
    if (m_socket)
        retire(m_socket, false);
    m_socket = nullptr;
    adopt(new QTcpSocket(this));
    report(TSocketInfo::Lookup, QStringLiteral("Looking Up Host"));
    m_socket->connectToHost(m_hostName, quint16(port));
}

void TSock::adopt(QTcpSocket* socket)
{
    m_socket = socket;
    socket->setParent(this);
    // Game messages are small and answer each other; waiting to batch them
    // (Nagle) would hold a reply back for tens of milliseconds.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &TSock::handleReadyRead);
    connect(socket, &QTcpSocket::connected, this, &TSock::handleConnected);
    connect(socket, &QTcpSocket::bytesWritten, this, &TSock::handleBytesWritten);
    connect(socket, &QTcpSocket::disconnected, this, &TSock::handlePeerClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, &TSock::handleError);
}

bool TSock::Send(const QByteArray& text)
{
    if (m_listening)
        throw ESockException(QStringLiteral("Send - Cannot Send On A Listener Socket"));
    if (!m_connected || !linked())
        throw ESockException(QStringLiteral("Send - Socket Not Connected"));
    if (m_overLimit)
        return false;
    writeToLink(text);
    checkBacklog();
    return !m_overLimit;
}

void TSock::setSendLimit(qint64 bytes, int stallMs)
{
    m_sendLimit = bytes;
    m_stallMs = stallMs;
    if (m_stalled)
        m_stalled->setInterval(stallMs);
}

QTimer& TSock::stallTimer()
{
    if (!m_stalled) {
        m_stalled = new QTimer(this);
        m_stalled->setSingleShot(true);
        // A coarse timer may fire 5 % early and cut a peer before its time was up.
        m_stalled->setTimerType(Qt::PreciseTimer);
        m_stalled->setInterval(m_stallMs);
        connect(m_stalled, &QTimer::timeout, this, [this] {
            if (linked() && linkBacklog() > m_sendLimit)
                cutOff();
        });
    }
    return *m_stalled;
}

void TSock::checkBacklog()
{
    if (m_sendLimit <= 0 || !linked() || m_overLimit)
        return;
    const qint64 backlog = linkBacklog();
    if (backlog > HardFactor * m_sendLimit)
        cutOff();
    else if (backlog > m_sendLimit && !stallTimer().isActive())
        m_stalled->start();
    else if (backlog <= m_sendLimit && m_stalled)
        m_stalled->stop();
}

void TSock::cutOff()
{
    // The peer stopped reading; cut it off instead of buffering without end.
    // Queued, since the caller may be walking the table this close changes.
    m_overLimit = true;
    if (m_stalled)
        m_stalled->stop();
    QMetaObject::invokeMethod(
        this, [this] { Close(); }, Qt::QueuedConnection);
}

QByteArray TSock::Receive()
{
    if (m_listening)
        throw ESockException(QStringLiteral("Receive - Cannot Receive On A Listener Socket"));
    if (!m_connected && m_receiveBuffer.isEmpty())
        throw ESockException(QStringLiteral("Receive - Socket Not Connected"));
    QByteArray all;
    all.swap(m_receiveBuffer);
    return all;
}

bool TSock::Close()
{
    if (!linked())
        return false;
    m_connected = false;
    dropLink(!m_overLimit);
    m_overLimit = false;
    if (m_stalled)
        m_stalled->stop();
    report(TSocketInfo::Close, QStringLiteral("Socket Closed"));
    return true;
}

std::unique_ptr<TSock> TSock::Accept()
{
    if (!m_listening || !m_server)
        throw ESockException(QStringLiteral("Accept - Socket Not In Listening Mode"));
    QTcpSocket* socket = m_server->nextPendingConnection();
    if (!socket) {
        report(TSocketInfo::Accept, QStringLiteral("Could Not Accept Connection"));
        return nullptr;
    }
    auto accepted = std::make_unique<TSock>();
    accepted->m_blocking = m_blocking;
    accepted->m_blockingTimeout = m_blockingTimeout;
    accepted->m_portName = m_portName;
    accepted->m_hostName = dotted(socket->peerAddress());
    accepted->adopt(socket);
    watchForDeadPeer(int(socket->socketDescriptor()));
    accepted->m_connected = true;
    report(TSocketInfo::Accept, QStringLiteral("Created New TSock Structure"));
    // Bytes that came with the connection are announced once the owner has wired us up.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(accepted.get(), &TSock::handleReadyRead, Qt::QueuedConnection);
    return accepted;
}

qint64 TSock::pendingSendBytes() const
{
    return linked() ? linkBacklog() : 0;
}

void TSock::writeToLink(const QByteArray& bytes)
{
    writeNow(*m_socket, bytes);
}

qint64 TSock::linkBacklog() const
{
    return m_socket->bytesToWrite();
}

void TSock::dropLink(bool graceful)
{
    retire(std::exchange(m_socket, nullptr), graceful);
}

void TSock::setConnected(const QString& peerHost)
{
    m_hostName = peerHost;
    m_connected = true;
}

void TSock::arrived(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    m_receiveBuffer.append(bytes);
    announceReceived();
}

void TSock::peerHungUp()
{
    if (!linked())
        return;
    emit OnDisconnect(this);
    if (linked())
        Close();
}

void TSock::announceReceived()
{
    report(TSocketInfo::Receive, QStringLiteral("Non-Blocking Incoming Data"));
    emit OnRead(this, int(qMin<qsizetype>(m_receiveBuffer.size(), INT_MAX)));
}

void TSock::handleReadyRead()
{
    if (!m_socket)
        return;
    bool any = false;
    while (m_socket->bytesAvailable() > 0) {
        const QByteArray chunk = m_socket->read(ReadChunk);
        if (chunk.isEmpty())
            break;
        m_receiveBuffer.append(chunk);
        any = true;
    }
    if (any)
        announceReceived();
}

void TSock::handleConnected()
{
    m_connected = true;
    // The option only takes on a connected socket.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    watchForDeadPeer(int(m_socket->socketDescriptor()));
    report(TSocketInfo::Connect, QStringLiteral("Non-Blocking Socket Connected"));
    emit OnConnect(this);
}

void TSock::handleBytesWritten()
{
    checkBacklog();
}

void TSock::handlePeerClosed()
{
    if (!m_socket)
        return;
    // Whatever arrived before the close is delivered first.
    handleReadyRead();
    peerHungUp();
}

void TSock::handleError()
{
    if (!m_socket)
        return;
    const QAbstractSocket::SocketError error = m_socket->error();
    // A peer's close is announced through OnDisconnect, not as an error.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    const ErrorName name = errorName(error);
    report(TSocketInfo::Error, QStringLiteral("Error #%1 (%2)").arg(name.code).arg(QLatin1String(name.name)));
}

void TSock::report(TSocketInfo info, const QString& msg)
{
    emit OnInfo(this, info, msg);
}
