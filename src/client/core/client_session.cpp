#include "client_session.h"

#include "client_log.h"
#include "net/protocol_to_server.h"

namespace {

// Far more than a whole round's end of messages; a peer that floods past it
// loses the excess instead of growing our memory.
constexpr qsizetype QueueLimit = 100000;

// Every message a game server sends begins with this.
const QByteArray CommandPrefix = QByteArray(CommandWord::Prefix);

} // namespace

ClientSession::ClientSession(QObject* parent) : QObject(parent), m_dispatcher(1, this)
{
    for (TSock* s : {&m_sock, &m_sock11}) {
        s->setSocketType(TSock::stStream);
        s->setBlocking(false);
        connect(s, &TSock::OnRead, this, [this](TSock* sender, int) { sockRead(sender); });
        connect(s, &TSock::OnInfo, this,
                [this](TSock* sender, TSocketInfo info, const QString& msg) { sockInfo(sender, info, msg); });
    }
    m_sock.setPortName(QStringLiteral("7772"));
    m_sock11.setHostName(QStringLiteral("127.0.0.1"));
    m_sock11.setPortName(QStringLiteral("9001"));
    m_dispatcher.setQueueLimit(QueueLimit);
    m_answerWait.setSingleShot(true);
    m_answerWait.setInterval(10000);
    connect(&m_answerWait, &QTimer::timeout, this, &ClientSession::hostSilent);
    m_probeTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the player was promised 5 s.
    m_probeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_probeTimer, &QTimer::timeout, this, [this] { failJoin(JoinFailure::TimedOut); });
}

ClientSession::~ClientSession() = default;

bool ClientSession::send(const QByteArray& message)
{
    if (!loggedin() || !m_sock.Connected())
        return false;
    try {
        return m_sock.Send(message);
    } catch (const ESockException& e) {
        qCWarning(lcClient) << "could not send to the server:" << e.text();
        return false;
    }
}

void ClientSession::connectToServer(const QString& host, quint16 port)
{
    m_sock.setHostName(host);
    m_sock.setPortName(QString::number(port));
    m_answerWait.start();
    setState(State::Connecting);
    m_sock.Open();
}

void ClientSession::connectToLobby(quint16 port)
{
    m_sock11.setHostName(QStringLiteral("127.0.0.1"));
    m_sock11.setPortName(QString::number(port));
    m_sock11.Open();
}

void ClientSession::sendloginfo(int slot, const QByteArray& version)
{
    m_answerWait.stop();
    m_myslot = slot;
    setState(State::LoggedIn);
    send(ToServer::LoginInfo{slot, version, m_myname.toUtf8()}.bytes());
}

void ClientSession::expectGameServer(int timeoutMs)
{
    m_probing = true;
    m_firstBytes.clear();
    m_probeTimer.start(timeoutMs);
}

void ClientSession::disconnectFromServer()
{
    m_probing = false;
    m_probeTimer.stop();
    m_answerWait.stop();
    m_leaving = true;
    m_sock.Close();
    m_sock11.Close();
    m_leaving = false;
    // Whatever the old game still had queued, its close included, is dropped.
    m_dispatcher.discard(0);
    m_sockPending.clear();
    m_sock11Pending.clear();
    m_myslot = 0;
    m_closeAnnounced = false;
    m_farewell = false;
    setState(State::Disconnected);
}

void ClientSession::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    qCDebug(lcClient) << "connection" << state;
    emit stateChanged(state);
}

bool ClientSession::checkFirstAnswer(const QByteArray& bytes)
{
    m_firstBytes += bytes.left(CommandPrefix.size());
    const qsizetype n = qMin(m_firstBytes.size(), CommandPrefix.size());
    if (m_firstBytes.left(n) != CommandPrefix.left(n))
        return false;
    if (n == CommandPrefix.size()) {
        m_probing = false;
        m_probeTimer.stop();
        emit gameServerAnswered();
    }
    return true;
}

void ClientSession::failJoin(JoinFailure reason)
{
    if (!m_probing)
        return;
    disconnectFromServer();
    emit joinFailed(reason);
}

void ClientSession::sockRead(TSock* sender)
{
    MessageSplitter& pending = (sender == &m_sock) ? m_sockPending : m_sock11Pending;
    QByteArray bytes;
    try {
        bytes = sender->Receive();
    } catch (const ESockException&) {
        return;
    }
    if (m_probing && sender == &m_sock && !checkFirstAnswer(bytes)) {
        failJoin(JoinFailure::NotAGameServer);
        return;
    }
    const bool fits = pending.feedEach(bytes, [this](const QByteArray& message) {
        if (m_dispatcher.queuedBytes(0) + message.size() > QueueBytes)
            return false;
        m_dispatcher.enqueue(message);
        return true;
    });
    if (!fits || pending.overflowed()) {
        // Bytes that never end a message, or more waiting than any game
        // sends at once: this peer is broken or hostile, and its table ends.
        qCWarning(lcClient) << "left a table that sent more than the client takes in";
        pending.clear();
        sender->Close();
    }
}

void ClientSession::sockInfo(TSock* sender, TSocketInfo info, const QString& msg)
{
    if (m_leaving)
        return;
    const bool attempt = m_probing && sender == &m_sock;
    if (attempt && info == TSocketInfo::Error) {
        failJoin(msg.contains(QLatin1String("10061"))       ? JoinFailure::Refused
                     : msg.contains(QLatin1String("11001")) ? JoinFailure::NotFound
                                                            : JoinFailure::Unreachable);
        return;
    }
    if (info != TSocketInfo::Close || m_closeAnnounced)
        return;
    if (attempt) {
        // Hung up before saying a word: whatever listens there is no game.
        failJoin(JoinFailure::NotAGameServer);
        return;
    }
    m_closeAnnounced = true;
    m_serverClosed = sender == &m_sock;
    setState(State::Closed);
    // Messages that arrived before the close are still handled first (a server
    // that refuses us says the table is full and then hangs up); the end follows them.
    m_dispatcher.enqueueCall(0, [this] { emit connectionClosed(); });
}
