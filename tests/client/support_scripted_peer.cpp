#include "support_scripted_peer.h"

#include <QTest>

ScriptedPeer::ScriptedPeer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
}

bool ScriptedPeer::accept()
{
    if (!QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 5000))
        return false;
    m_peer = m_server.nextPendingConnection();
    return m_peer != nullptr;
}

void ScriptedPeer::write(const QByteArray& bytes)
{
    m_peer->write(bytes);
    m_peer->flush();
}

QByteArray ScriptedPeer::read(qsizetype size)
{
    (void)QTest::qWaitFor([&] {
        m_received += m_peer->readAll();
        return m_received.size() >= size;
    }, 5000);
    return m_received;
}

void ScriptedPeer::close()
{
    m_peer->disconnectFromHost();
}
