#include "support_client.h"

#include "net/field_reader.h"
#include "net/message.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

TestClient::TestClient() = default;

bool TestClient::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    // Wakes on our own socket's events, so a reply is seen as soon as it lands;
    // the short timer keeps the rest of the process (the server) turning meanwhile.
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
        QObject::connect(&m_socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

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

void TestClient::abort()
{
    m_socket.abort();
}

void TestClient::pump()
{
    if (m_socket.bytesAvailable() > 0)
        m_received.append(m_splitter.feed(m_socket.readAll()));
}

QByteArray TestClient::next(int timeoutMs)
{
    const bool arrived = waitUntil([&] {
        pump();
        return m_cursor < m_received.size();
    }, timeoutMs);
    return arrived ? m_received.at(m_cursor++) : QByteArray();
}

QByteArray TestClient::nextOf(const QByteArray& command, int timeoutMs)
{
    QByteArray found;
    waitUntil([&] {
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

bool TestClient::waitClosed(int timeoutMs)
{
    return waitUntil([&] {
        pump();
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    }, timeoutMs);
}

bool TestClient::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

bool settle(const QList<TestClient*>& clients)
{
    TestClient* last = clients.last();
    const QByteArray text = "settle";
    last->send("CMD_chat+" + QByteArray::number(last->slot) + '+' + text);
    for (TestClient* c : clients)
        if (!c->nextOf("CMD_chat").endsWith(" chats: " + text))
            return false;
    return true;
}
