#include "wire_client.h"

#include "net/protocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>
#include <atomic>

namespace {

std::unique_ptr<QFile> openLog(int client, const char* suffix)
{
    const QByteArray dir = qgetenv("GD_RECORD_DIR");
    if (dir.isEmpty())
        return nullptr;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    const QString path = QStringLiteral("%1/%2-%3.%4")
                             .arg(QString::fromLocal8Bit(dir))
                             .arg(QCoreApplication::applicationPid())
                             .arg(client)
                             .arg(QLatin1String(suffix));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        return nullptr;
    return file;
}

} // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the loop now and then, for conditions that no event announces.
    QTimer wake;
    wake.start(2);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

WireClient::WireClient(QObject* parent) : QObject(parent)
{
    // Gives a plain thread the event dispatcher the socket's notifiers need,
    // before the first connection registers them.
    (void)QEventLoop();
    static std::atomic<int> clients = 0;
    const int n = ++clients;
    m_sentLog = openLog(n, "sent");
    m_recvLog = openLog(n, "recv");
    connect(&m_socket, &QTcpSocket::readyRead, this, &WireClient::pump);
}

WireClient::~WireClient() = default;

bool WireClient::open(quint16 port)
{
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        return false;
    m_splitter.clear();
    m_received.clear();
    m_cursor = 0;
    slot = 0;
    if (!from.isEmpty())
        m_socket.bind(QHostAddress(from));
    m_socket.connectToHost(host, port);
    return true;
}

bool WireClient::connectTo(quint16 port, int receiveBuffer)
{
    if (receiveBuffer > 0)
        m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
    if (!open(port))
        return false;
    // Turns the event loop meanwhile, so a server in this process accepts
    // (its listen backlog is short) and the wait ends as soon as it does.
    (void)waitUntil([this] {
        return m_socket.state() != QAbstractSocket::ConnectingState
            && m_socket.state() != QAbstractSocket::HostLookupState;
    });
    return isOpen();
}

bool WireClient::login(quint16 port, const QByteArray& playerName, const QByteArray& version)
{
    if (!connectTo(port) || nextOf(CommandWord::sendlogininfo).isEmpty() || slot == 0)
        return false;
    name = playerName;
    send(ToServer::LoginInfo{slot, version, name});
    // Our own announcement ends the login (with the name as the server cut
    // it); another player's may come before it.
    for (;;) {
        FieldReader announced(CommandLine::parse(nextOf(CommandWord::newplayerinfo)).payload);
        const auto info = ToClient::NewPlayerInfo::decode(announced);
        if (!info || info->slot == slot)
            return info.has_value();
    }
}

void WireClient::send(const QByteArray& message)
{
    sendRaw(message + MessageSplitter::Terminator);
}

void WireClient::sendRaw(const QByteArray& bytes)
{
    if (m_sentLog)
        m_sentLog->write(bytes);
    m_socket.write(bytes);
    m_socket.flush();
}

void WireClient::recordTimeOut()
{
    if (m_sentLog)
        m_sentLog->write(QByteArray(1, MessageSplitter::Terminator));
}

void WireClient::close()
{
    m_socket.disconnectFromHost();
}

void WireClient::abort()
{
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket.abort();
}

void WireClient::stopReading()
{
    m_reading = false;
    m_socket.setReadBufferSize(1024);
}

void WireClient::seen(const QByteArray&)
{
}

void WireClient::pump()
{
    if (!m_reading || m_socket.bytesAvailable() <= 0)
        return;
    const QByteArray bytes = m_socket.readAll();
    if (m_recvLog)
        m_recvLog->write(bytes);
    for (const QByteArray& message : m_splitter.feed(bytes)) {
        const CommandLine line = CommandLine::parse(message);
        if (line.command == CommandWord::sendlogininfo) {
            FieldReader f(line.payload);
            if (const auto given = ToClient::SendLoginInfo::decode(f))
                slot = given->slot;
        }
        seen(message);
        if (m_keep)
            m_received.append(message);
    }
}

QByteArray WireClient::next(int timeoutMs)
{
    const bool arrived = waitUntil(
        [&] {
            pump();
            return m_cursor < m_received.size();
        },
        timeoutMs);
    return arrived ? m_received.at(m_cursor++) : QByteArray();
}

QByteArray WireClient::nextOf(const QList<QByteArray>& commands, int timeoutMs)
{
    QByteArray found;
    (void)waitUntil(
        [&] {
            pump();
            while (m_cursor < m_received.size()) {
                const QByteArray& message = m_received.at(m_cursor++);
                if (commands.contains(CommandLine::parse(message).command)) {
                    found = message;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

QByteArray WireClient::nextOf(const QByteArray& command, int timeoutMs)
{
    return nextOf(QList<QByteArray>{command}, timeoutMs);
}

std::optional<QList<QByteArray>> WireClient::readUntil(const QByteArray& expected, int timeoutMs)
{
    QList<QByteArray> before;
    const bool arrived = waitUntil(
        [&] {
            pump();
            while (m_cursor < m_received.size()) {
                const QByteArray& message = m_received.at(m_cursor++);
                if (message == expected)
                    return true;
                before.append(message);
            }
            return false;
        },
        timeoutMs);
    if (!arrived)
        return std::nullopt;
    return before;
}

QList<QByteArray> WireClient::unread()
{
    pump();
    QList<QByteArray> rest = m_received.mid(m_cursor);
    m_received.clear();
    m_cursor = 0;
    return rest;
}

bool WireClient::waitClosed(int timeoutMs)
{
    return waitUntil(
        [&] {
            pump();
            return m_socket.state() == QAbstractSocket::UnconnectedState;
        },
        timeoutMs);
}

bool WireClient::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}
