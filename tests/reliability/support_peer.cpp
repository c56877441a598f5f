#include "support_peer.h"

#include "net/field_reader.h"
#include "net/message.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTimer>

namespace {

std::unique_ptr<QFile> openLog(int peer, const char* suffix)
{
    const QByteArray dir = qgetenv("GD_RECORD_DIR");
    if (dir.isEmpty())
        return nullptr;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    const QString path = QStringLiteral("%1/%2-%3.%4")
                             .arg(QString::fromLocal8Bit(dir))
                             .arg(QCoreApplication::applicationPid())
                             .arg(peer)
                             .arg(QLatin1String(suffix));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        return nullptr;
    return file;
}

std::optional<int> field(FieldReader& f)
{
    return f.remainder().contains('+') ? f.nextInt() : f.lastInt();
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

Peer::Peer()
{
    static int peers = 0;
    ++peers;
    m_sentLog = openLog(peers, "sent");
    m_recvLog = openLog(peers, "recv");
}

Peer::~Peer() = default;

bool Peer::connectTo(quint16 port, int receiveBuffer)
{
    if (receiveBuffer > 0)
        m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
    m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    return m_socket.waitForConnected(5000);
}

bool Peer::login(quint16 port, const QByteArray& playerName)
{
    if (!connectTo(port))
        return false;
    const auto given = FieldReader::toInt(CommandLine::parse(nextOf("CMD_sendlogininfo")).payload);
    if (!given)
        return false;
    slot = *given;
    name = playerName;
    send("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.12+" + name);
    // Our own announcement ends the login.
    return nextOf("CMD_newplayerinfo") == "CMD_newplayerinfo+" + QByteArray::number(slot) + '+' + name;
}

void Peer::send(const QByteArray& message)
{
    sendRaw(message + MessageSplitter::Terminator);
}

void Peer::sendRaw(const QByteArray& bytes)
{
    if (m_sentLog)
        m_sentLog->write(bytes);
    m_socket.write(bytes);
    m_socket.flush();
}

void Peer::recordTimeOut()
{
    if (m_sentLog)
        m_sentLog->write(QByteArray(1, MessageSplitter::Terminator));
}

void Peer::close()
{
    m_socket.disconnectFromHost();
}

void Peer::abort()
{
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket.abort();
}

void Peer::stopReading()
{
    m_reading = false;
    m_socket.setReadBufferSize(1024);
}

void Peer::seen(const QByteArray&)
{
}

void Peer::pump()
{
    if (!m_reading || m_socket.bytesAvailable() <= 0)
        return;
    const QByteArray bytes = m_socket.readAll();
    if (m_recvLog)
        m_recvLog->write(bytes);
    const QList<QByteArray> messages = m_splitter.feed(bytes);
    for (const QByteArray& message : messages) {
        seen(message);
        m_received.append(message);
    }
}

QByteArray Peer::nextOf(const QList<QByteArray>& commands, int timeoutMs)
{
    QByteArray found;
    (void)waitUntil([&] {
        pump();
        while (m_cursor < m_received.size()) {
            const QByteArray& message = m_received.at(m_cursor++);
            if (commands.contains(CommandLine::parse(message).command)) {
                found = message;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

QByteArray Peer::nextOf(const QByteArray& command, int timeoutMs)
{
    return nextOf(QList<QByteArray>{command}, timeoutMs);
}

std::optional<QList<QByteArray>> Peer::readUntil(const QByteArray& expected, int timeoutMs)
{
    QList<QByteArray> before;
    const bool arrived = waitUntil([&] {
        pump();
        while (m_cursor < m_received.size()) {
            const QByteArray& message = m_received.at(m_cursor++);
            if (message == expected)
                return true;
            before.append(message);
        }
        return false;
    }, timeoutMs);
    if (!arrived)
        return std::nullopt;
    return before;
}

QList<QByteArray> Peer::unread()
{
    pump();
    QList<QByteArray> rest = m_received.mid(m_cursor);
    m_received.clear();
    m_cursor = 0;
    return rest;
}

bool Peer::waitClosed(int timeoutMs)
{
    return waitUntil([&] {
        pump();
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    }, timeoutMs);
}

bool Peer::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

bool Player::matches(int x, int y) const
{
    const int cell = m_board[size_t(x)][size_t(y)];
    return cell != 0 && (cell == m_tile || m_tile == 6);
}

QByteArray Player::pickMessage(int x, int y) const
{
    return "CMD_selecttile+" + QByteArray::number(slot) + '+' + QByteArray::number(x) + '+'
           + QByteArray::number(y);
}

Player::Pick Player::pick()
{
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (matches(x, y))
                return pickAt(x, y);
    return Pick::NothingToPick;
}

Player::Pick Player::pickAt(int x, int y)
{
    send(pickMessage(x, y));
    const QByteArray reply = nextOf({"CMD_removetile", "CMD_error"});
    if (reply.isEmpty())
        return Pick::NoReply;
    if (reply.startsWith("CMD_error"))
        return Pick::Refused;
    // The move is complete once the next draw or the end of the board arrives.
    const QByteArray after = nextOf({"CMD_setnntile", "CMD_turnover"});
    if (after.isEmpty())
        return Pick::NoReply;
    return after.startsWith("CMD_turnover") ? Pick::Cleared : Pick::Taken;
}

bool Player::awaitDeal(int timeoutMs)
{
    return !nextOf("CMD_setnntile", timeoutMs).isEmpty();
}

int Player::tilesLeft() const
{
    int left = 0;
    for (const auto& column : m_board)
        for (int cell : column)
            left += cell != 0;
    return left;
}

void Player::newDeal(const QByteArray& list)
{
    FieldReader f(list.mid(1));
    m_board = {};
    while (!f.atEnd()) {
        const auto x = field(f), y = field(f), code = field(f);
        if (!x || !y || !code || *x < 0 || *x > 5 || *y < 0 || *y > 5)
            return;
        m_board[size_t(*x)][size_t(*y)] = *code;
    }
    m_bonus = {};
    m_banked = m_trail = m_chain = 0;
    m_firstPick = true;
    m_quietBomb = false;
}

void Player::removed(FieldReader& f)
{
    f.next(); // slot
    const auto x = f.nextInt(), y = f.nextInt(), chain = f.nextInt(), trail = f.nextInt();
    if (!x || !y || !chain || !trail || *x < 0 || *x > 5 || *y < 0 || *y > 5)
        return;
    m_board[size_t(*x)][size_t(*y)] = 0;
    // A move reported with chain 1 began a new trail: the old one was banked.
    if (!m_firstPick && *chain == 1)
        m_banked += m_trail;
    m_firstPick = false;
    m_trail = *trail;
    m_chain = *chain == 0 ? 1 : *chain;
    int& bonus = m_bonus[size_t(*x)][size_t(*y)];
    m_quietBomb = bonus == 2;
    if (bonus == 2)
        bonus = 1; // a spent bomb carries the trail on
    else if (bonus == 3 || bonus == 4)
        bonus = 0;
}

void Player::bombed(FieldReader& f)
{
    f.next(); // slot
    f.next(); // chain
    const auto trail = f.nextInt();
    f.next(); // points of the last step
    if (!trail || !field(f))
        return;
    m_trail = *trail;
    m_quietBomb = false;
    while (!f.atEnd()) {
        const auto x = field(f), y = field(f);
        if (!x || !y || *x < 0 || *x > 5 || *y < 0 || *y > 5)
            break;
        m_board[size_t(*x)][size_t(*y)] = 0;
    }
}

void Player::drawn()
{
    // A bomb whose neighbours were already gone clears nothing and sends no
    // CMD_bombed, yet adds its chain once more to the trail.
    if (m_quietBomb)
        m_trail += m_chain * 10;
    m_quietBomb = false;
}

void Player::seen(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    FieldReader f(line.payload);
    if (line.command == "CMD_settiles") {
        newDeal(message.mid(line.command.size()));
    } else if (line.command == "CMD_setbonus") {
        FieldReader b(message.mid(line.command.size() + 1));
        while (!b.atEnd()) {
            const auto x = field(b), y = field(b), code = field(b);
            if (!x || !y || !code || *x < 0 || *x > 5 || *y < 0 || *y > 5)
                break;
            m_bonus[size_t(*x)][size_t(*y)] = *code;
        }
    } else if (line.command == "CMD_setnexttile") {
        drawn();
        m_tile = f.nextInt().value_or(0);
    } else if (line.command == "CMD_removetile") {
        removed(f);
    } else if (line.command == "CMD_bombed") {
        bombed(f);
    } else if (line.command == "CMD_turnover") {
        drawn();
        f.next(); // slot
        f.next(); // round result or next tile
        m_total = f.nextInt().value_or(m_total);
    }
}
