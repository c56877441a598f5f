#include "chat_flooder.h"

#include "gd_version.h"
#include "net/message.h"
#include "net/protocol.h"

#include <QHostAddress>

ChatFlooder::ChatFlooder(quint16 port, int window, QObject* parent) : QObject(parent), m_port(port), m_window(window)
{
    connect(&m_socket, &QTcpSocket::connected, this,
            [this] { m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    connect(&m_socket, &QTcpSocket::readyRead, this, &ChatFlooder::read);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] { emit failed(); });
}

void ChatFlooder::start()
{
    m_socket.connectToHost(QHostAddress::LocalHost, m_port);
}

void ChatFlooder::read()
{
    for (const QByteArray& message : m_pending.feed(m_socket.readAll()))
        handle(message);
}

void ChatFlooder::handle(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    FieldReader fields(line.payload);
    if (line.command == Commands::word(Command::sendlogininfo)) {
        const auto m = ToClient::SendLoginInfo::decode(fields);
        m_slot = m ? m->slot : 0;
        m_socket.write(ToServer::LoginInfo{m_slot, GD_VERSION_TEXT, "Flooder"}.bytes());
    } else if (line.command == Commands::word(Command::newplayerinfo)) {
        const auto m = ToClient::NewPlayerInfo::decode(fields);
        if (m && m->slot == m_slot && !m_flooding) {
            m_flooding = true;
            for (int i = 0; i < m_window; ++i)
                sendLine();
        }
    } else if (line.command == Commands::word(Command::nextplayer)) {
        // Given a seat (fewer bots than seats), it sits the round out rather
        // than hold it open with a board it never plays.
        const auto m = ToClient::NextPlayer::decode(fields);
        if (m && m->slot == m_slot)
            m_socket.write(ToServer::JustWatch{m_slot, ToServer::JustWatch::Watch}.bytes());
    } else if (line.command == Commands::word(Command::chat)) {
        const auto m = ToClient::Chat::decode(fields);
        if (m && m->slot == m_slot) {
            ++m_relayed;
            sendLine();
        }
    }
}

void ChatFlooder::sendLine()
{
    m_socket.write(ToServer::Chat{m_slot, "Cheap gold at my shop, cheap gold!|clBlack"}.bytes());
}
