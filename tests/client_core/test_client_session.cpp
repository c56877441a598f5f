#include "client/core/client_session.h"
#include "net/message.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// A scripted peer on a free port: the game server or the lobby, as a test needs.
class ScriptedPeer {
public:
    ScriptedPeer() { QVERIFY(m_server.listen(QHostAddress::LocalHost, 0)); }
    quint16 port() const { return m_server.serverPort(); }

    // Waits for the client's connection.
    bool accept()
    {
        if (!QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 5000))
            return false;
        m_peer = m_server.nextPendingConnection();
        return m_peer != nullptr;
    }
    void write(const QByteArray& bytes)
    {
        m_peer->write(bytes);
        m_peer->flush();
    }
    // Reads until `size` bytes have come from the client.
    QByteArray read(qsizetype size)
    {
        (void)QTest::qWaitFor([&] {
            m_received += m_peer->readAll();
            return m_received.size() >= size;
        }, 5000);
        return m_received;
    }
    QByteArray readNow()
    {
        m_received += m_peer->readAll();
        return m_received;
    }
    void close() { m_peer->disconnectFromHost(); }

private:
    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_received;
};

// Records every handled message as "CMD_x:payload", in the order dispatched.
void record(ClientSession& session, QStringList& log, const QList<QByteArray>& commands)
{
    for (const QByteArray& cmd : commands) {
        session.dispatcher().on(cmd, [&log, cmd](FieldReader& f) {
            log << QString::fromUtf8(cmd + ':' + f.rest());
        });
    }
}

const QByteArray FF(1, char(0xFF));

} // namespace

class TestClientSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<TSocketInfo>(); }
    void loginReplyCarriesSlotVersionAndWholeName_data();
    void loginReplyCarriesSlotVersionAndWholeName();
    void sendsNothingBeforeLogin();
    void splitsReadsIntoQueuedMessagesInOrder();
    void lobbyLinkFeedsTheSameQueue();
    void serverCloseEndsOnlyAfterEarlierMessages();
    void lobbyCloseEnds();
    void refusedConnectionDoesNotEnd();
    void endlessMessageCutsTheConnection();
};

void TestClientSession::loginReplyCarriesSlotVersionAndWholeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("solo") << "You" << 1 << QByteArray("CMD_logininfo+1+1.0.12+You");
    QTest::newRow("plus in name") << "A+b" << 3 << QByteArray("CMD_logininfo+3+1.0.12+A+b");
    QTest::newRow("utf8 name") << QString::fromUtf8("Zoë") << 7
                               << QByteArray("CMD_logininfo+7+1.0.12+Zo\xc3\xab");
}

void TestClientSession::loginReplyCarriesSlotVersionAndWholeName()
{
    QFETCH(QString, name);
    QFETCH(int, slot);
    QFETCH(QByteArray, expected);
    ScriptedPeer server;
    ClientSession session;
    session.setMyname(name);
    session.dispatcher().on("CMD_sendlogininfo", [&session](FieldReader& f) {
        if (const auto s = f.lastInt())
            session.sendloginfo(*s, "1.0.12");
    });
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    QVERIFY(!session.loggedin());
    server.write(Message("CMD_sendlogininfo").field(slot).bytes());
    QTRY_VERIFY(session.loggedin());
    QCOMPARE(session.myslot(), slot);
    QCOMPARE(server.read(expected.size() + 1), expected + FF);
}

void TestClientSession::sendsNothingBeforeLogin()
{
    ScriptedPeer server;
    ClientSession session;
    QSignalSpy connected(&session.sock(), &TSock::OnConnect);
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    QTRY_COMPARE(connected.size(), 1);
    QVERIFY(!session.send(Message("CMD_chat").field(1).field("hi").bytes()));
    // A later message that does go out shows nothing was sent before it.
    session.sendloginfo(2, "1.0.12");
    const QByteArray reply = "CMD_logininfo+2+1.0.12+" + FF;
    QCOMPARE(server.read(reply.size()), reply);
    QVERIFY(session.send(Message("CMD_justwatch").field(2).field(1).bytes()));
    const QByteArray both = reply + "CMD_justwatch+2+1" + FF;
    QCOMPARE(server.read(both.size()), both);
}

void TestClientSession::splitsReadsIntoQueuedMessagesInOrder()
{
    ScriptedPeer server;
    ClientSession session;
    QStringList log;
    record(session, log, {"CMD_chat", "CMD_full", "CMD_winner"});
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    // Two messages in one read, a bare command word without "+", and a message
    // split over two reads.
    server.write("CMD_chat+1+Ann chats: a+b|clRed" + FF + "CMD_full" + FF + "CMD_win");
    QTRY_COMPARE(log.size(), 1);
    server.write("ner+Bob" + FF + "CMD_full+" + FF);
    QTRY_COMPARE(log.size(), 3);
    QCOMPARE(log, QStringList({"CMD_chat:1+Ann chats: a+b|clRed", "CMD_winner:Bob", "CMD_full:"}));
}

void TestClientSession::lobbyLinkFeedsTheSameQueue()
{
    ScriptedPeer server;
    ScriptedPeer lobby;
    ClientSession session;
    QStringList log;
    record(session, log, {"CMD_chat"});
    session.connectToServer("127.0.0.1", server.port());
    session.connectToLobby(lobby.port());
    QVERIFY(server.accept());
    QVERIFY(lobby.accept());
    lobby.write("CMD_chat+9+from the lo");
    server.write("CMD_chat+1+from the server" + FF);
    QTRY_COMPARE(log.size(), 1);
    lobby.write("bby" + FF);
    QTRY_COMPARE(log.size(), 2);
    QCOMPARE(log, QStringList({"CMD_chat:1+from the server", "CMD_chat:9+from the lobby"}));
    // Nothing is ever sent on the lobby link, not even the login reply.
    session.sendloginfo(1, "1.0.12");
    QVERIFY(session.send(Message("CMD_chat").field(1).field("x").bytes()));
    QVERIFY(!server.read(10).isEmpty());
    QVERIFY(lobby.readNow().isEmpty());
}

void TestClientSession::serverCloseEndsOnlyAfterEarlierMessages()
{
    ScriptedPeer server;
    ClientSession session;
    session.dispatcher().setManual(true);
    QStringList log;
    record(session, log, {"CMD_full", "CMD_chat"});
    QSignalSpy closed(&session, &ClientSession::connectionClosed);
    QSignalSpy reports(&session.sock(), &TSock::OnInfo);
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    server.write("CMD_full+" + FF + "CMD_chat+1+bye" + FF);
    server.close();
    QTRY_VERIFY(std::any_of(reports.cbegin(), reports.cend(), [](const QList<QVariant>& r) {
        return r.at(2).toString() == QLatin1String("Socket Closed");
    }));
    // The close waits behind the two messages that came before it.
    QVERIFY(session.dispatcher().dispatchOne());
    QVERIFY(session.dispatcher().dispatchOne());
    QCOMPARE(log, QStringList({"CMD_full:", "CMD_chat:1+bye"}));
    QCOMPARE(closed.size(), 0);
    QVERIFY(session.dispatcher().dispatchOne());
    QCOMPARE(closed.size(), 1);
    QVERIFY(!session.dispatcher().dispatchOne());
}

void TestClientSession::lobbyCloseEnds()
{
    ScriptedPeer server;
    ScriptedPeer lobby;
    ClientSession session;
    QSignalSpy closed(&session, &ClientSession::connectionClosed);
    session.connectToServer("127.0.0.1", server.port());
    session.connectToLobby(lobby.port());
    QVERIFY(server.accept());
    QVERIFY(lobby.accept());
    lobby.close();
    QTRY_COMPARE(closed.size(), 1);
    // The server's later close does not announce the end a second time.
    server.close();
    QSignalSpy serverClosed(&session.sock(), &TSock::OnDisconnect);
    QTRY_COMPARE(serverClosed.size(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(closed.size(), 1);
}

void TestClientSession::refusedConnectionDoesNotEnd()
{
    quint16 freePort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        freePort = probe.serverPort();
    }
    ClientSession session;
    QSignalSpy closed(&session, &ClientSession::connectionClosed);
    QSignalSpy reports(&session.sock11(), &TSock::OnInfo);
    session.connectToLobby(freePort);
    QTRY_VERIFY(std::any_of(reports.cbegin(), reports.cend(), [](const QList<QVariant>& r) {
        return r.at(1).value<TSocketInfo>() == TSocketInfo::Error;
    }));
    QCoreApplication::processEvents();
    QCOMPARE(closed.size(), 0);
}

void TestClientSession::endlessMessageCutsTheConnection()
{
    ScriptedPeer server;
    ClientSession session;
    QSignalSpy closed(&session, &ClientSession::connectionClosed);
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    server.write(QByteArray(MessageSplitter::DefaultCap + 10, 'x'));
    QTRY_COMPARE(closed.size(), 1);
    QCOMPARE(session.dispatcher().queued(), 0);
}

QTEST_GUILESS_MAIN(TestClientSession)
#include "test_client_session.moc"
