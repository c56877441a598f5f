#include "flooder.h"

#include "net/message_splitter.h"

namespace {
constexpr char End = MessageSplitter::Terminator;
}

Flooder::Flooder(quint16 serverPort, QObject* parent) : QObject(parent), m_serverPort(serverPort)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &Flooder::read);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        if (m_slot > 6)
            ++m_cuts;
        m_timer.stop();
    });
    connect(&m_timer, &QTimer::timeout, this, &Flooder::topUp);
}

void Flooder::join()
{
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        return;
    m_slot = 0;
    m_sent = 0;
    m_pending.clear();
    m_socket.connectToHost(QHostAddress::LocalHost, m_serverPort);
}

void Flooder::read()
{
    m_pending += m_socket.readAll();
    for (qsizetype end = m_pending.indexOf(End); end >= 0; end = m_pending.indexOf(End)) {
        const QByteArray message = m_pending.left(end);
        m_pending.remove(0, end + 1);
        if (m_slot == 0 && message.startsWith("CMD_sendlogininfo+")) {
            m_slot = message.mid(18).toInt();
            // A seat it held would keep every round open to its end.
            if (m_slot <= 6)
                return m_socket.disconnectFromHost();
            m_mark = "CMD_playasound+" + QByteArray::number(m_slot) + "+wave3+";
            m_socket.write("CMD_logininfo+" + QByteArray::number(m_slot) + "+1.0.12+Flooder" + End);
            m_timer.start(20);
        } else if (!m_mark.isEmpty() && message == m_mark) {
            m_handled += MarkEvery;
        }
    }
}

void Flooder::topUp()
{
    const QByteArray ignored = "CMD_kickhim+" + QByteArray::number(m_slot) + "+1+" + End;
    QByteArray burst;
    for (; m_sent - m_handled < Backlog; ++m_sent)
        burst += (m_sent % MarkEvery == MarkEvery - 1) ? m_mark + End : ignored;
    m_socket.write(burst);
}
