#include "flooder.h"

#include "net/protocol.h"

Flooder::Flooder(quint16 serverPort, QObject* parent) : WireClient(parent), m_serverPort(serverPort)
{
    keepMessages(false);
    connect(&socket(), &QTcpSocket::disconnected, this, [this] {
        if (slot > 6)
            ++m_cuts;
        m_timer.stop();
    });
    connect(&m_timer, &QTimer::timeout, this, &Flooder::topUp);
}

void Flooder::join()
{
    // Nothing is outstanding on a new connection: counting from what was
    // handled keeps the backlog at its size after a cut.
    if (open(m_serverPort))
        m_sent = m_handled;
}

void Flooder::seen(const QByteArray& message)
{
    if (CommandLine::parse(message).command == CommandWord::sendlogininfo) {
        // A seat it held would keep every round open to its end.
        if (slot <= 6)
            return close();
        m_mark = ToServer::wave(slot, 3).bytes();
        send(ToServer::LoginInfo{slot, GD_VERSION_TEXT, "Flooder"});
        m_timer.start(20);
    } else if (!m_mark.isEmpty() && message == m_mark.chopped(1)) {
        m_handled += MarkEvery;
    }
}

void Flooder::topUp()
{
    const QByteArray ignored = ToServer::KickHim{slot, 1}.bytes();
    QByteArray burst;
    for (; m_sent - m_handled < Backlog; ++m_sent)
        burst += (m_sent % MarkEvery == MarkEvery - 1) ? m_mark : ignored;
    sendRaw(burst);
}
