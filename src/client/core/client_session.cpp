#include "client_session.h"

#include "net/message.h"

namespace {

// Far more than a whole round's end of messages; a peer that floods past it
// loses the excess instead of growing our memory.
constexpr qsizetype QueueLimit = 100000;

} // namespace

ClientSession::ClientSession(QObject* parent)
    : QObject(parent), m_dispatcher(1, this)
{
    for (TSock* s : {&m_sock, &m_sock11}) {
        s->setSocketType(TSock::stStream);
        s->setBlocking(false);
        connect(s, &TSock::OnRead, this, [this](TSock* sender, int) { sockRead(sender); });
        connect(s, &TSock::OnInfo, this,
                [this](TSock* sender, TSocketInfo, const QString& msg) { sockInfo(sender, msg); });
    }
    m_sock.setPortName(QStringLiteral("7772"));
    m_sock11.setHostName(QStringLiteral("127.0.0.1"));
    m_sock11.setPortName(QStringLiteral("9001"));
    m_dispatcher.setQueueLimit(QueueLimit);
    m_answerWait.setSingleShot(true);
    m_answerWait.setInterval(10000);
    connect(&m_answerWait, &QTimer::timeout, this, &ClientSession::hostSilent);
}

ClientSession::~ClientSession() = default;

bool ClientSession::send(const QByteArray& message)
{
    if (!m_loggedin || !m_sock.Connected())
        return false;
    try {
        return m_sock.Send(message);
    } catch (const ESockException&) {
        return false;
    }
}

void ClientSession::connectToServer(const QString& host, quint16 port)
{
    m_sock.setHostName(host);
    m_sock.setPortName(QString::number(port));
    m_answerWait.start();
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
    m_loggedin = true;
    send(Message("CMD_logininfo").field(slot).field(version).field(m_myname.toUtf8()).bytes());
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
    m_dispatcher.enqueue(pending.feed(bytes));
    if (pending.overflowed()) {
        // Bytes that never end a message: this peer is broken or hostile.
        pending.clear();
        sender->Close();
    }
}

void ClientSession::sockInfo(TSock* sender, const QString& msg)
{
    if (msg != QLatin1String("Socket Closed") || m_closeAnnounced)
        return;
    m_closeAnnounced = true;
    m_serverClosed = sender == &m_sock;
    // Messages that arrived before the close are still handled first (a server
    // that refuses us says "CMD_full" and then hangs up); the end follows them.
    m_dispatcher.enqueueCall(0, [this] { emit connectionClosed(); });
}
