#include "support_client.h"

#include "net/field_reader.h"
#include "net/message.h"

#include <QTest>

TestClient::TestClient() = default;

bool TestClient::connectTo(quint16 port)
{
    m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    return m_socket.waitForConnected(5000);
}

bool TestClient::login(quint16 port, const QByteArray& name, const QByteArray& version)
{
    if (!connectTo(port))
        return false;
    const QByteArray hello = nextOf("CMD_sendlogininfo");
    const auto given = FieldReader::toInt(CommandLine::parse(hello).payload);
    if (!given)
        return false;
    slot = *given;
    send("CMD_logininfo+" + QByteArray::number(slot) + '+' + version + '+' + name);
    // Our own announcement closes the login.
    return !nextOf("CMD_newplayerinfo").isEmpty();
}

void TestClient::send(const QByteArray& message)
{
    sendRaw(message + MessageSplitter::Terminator);
}

void TestClient::sendRaw(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

void TestClient::close()
{
    m_socket.disconnectFromHost();
}

void TestClient::pump()
{
    if (m_socket.bytesAvailable() > 0)
        m_received.append(m_splitter.feed(m_socket.readAll()));
}

QByteArray TestClient::next(int timeoutMs)
{
    const bool arrived = QTest::qWaitFor([&] {
        pump();
        return m_cursor < m_received.size();
    }, timeoutMs);
    return arrived ? m_received.at(m_cursor++) : QByteArray();
}

QByteArray TestClient::nextOf(const QByteArray& command, int timeoutMs)
{
    QByteArray found;
    (void)QTest::qWaitFor([&] {
        pump();
        while (m_cursor < m_received.size()) {
            const QByteArray& message = m_received.at(m_cursor++);
            if (CommandLine::parse(message).command == command) {
                found = message;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

QList<QByteArray> TestClient::unread()
{
    pump();
    QList<QByteArray> rest = m_received.mid(m_cursor);
    m_cursor = m_received.size();
    return rest;
}

bool TestClient::waitClosed(int timeoutMs)
{
    return QTest::qWaitFor([&] {
        pump();
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    }, timeoutMs);
}

bool TestClient::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}
