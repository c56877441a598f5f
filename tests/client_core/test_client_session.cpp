#include "client/core/client_session.h"
#include "gd_version.h"
#include "net/message.h"
#include "scripted_peer.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Records every handled message as "CMD_x:payload", in the order dispatched.
void record(ClientSession& session, QStringList& log, const QList<QByteArray>& commands)
{
    for (const QByteArray& cmd : commands) {
        session.dispatcher().on(cmd, [&log, cmd](FieldReader& f) { log << QString::fromUtf8(cmd + ':' + f.rest()); });
    }
}

bool reported(const QSignalSpy& reports, const QString& text)
{
    return std::any_of(reports.cbegin(), reports.cend(),
                       [&](const QList<QVariant>& r) { return r.at(2).toString() == text; });
}

} // namespace

class TestClientSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<TSocketInfo>(); }
    void loginReplyCarriesSlotVersionAndWholeName_data();
    void loginReplyCarriesSlotVersionAndWholeName();
    void bothSocketsFeedOneQueueInOrder();
    void serverCloseEndsOnlyAfterEarlierMessages();
    void lobbyCloseEndsOnceAndRefusedLinkIsIgnored();
    void floodCutsTheConnection_data();
    void floodCutsTheConnection();
};

void TestClientSession::loginReplyCarriesSlotVersionAndWholeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("solo") << "You" << 1 << QByteArray("CMD_logininfo+1+" GD_VERSION_TEXT "+You");
    QTest::newRow("plus in name") << "A+b" << 3 << QByteArray("CMD_logininfo+3+" GD_VERSION_TEXT "+A+b");
    QTest::newRow("utf8 name") << QString::fromUtf8("Zoë") << 7
                               << QByteArray("CMD_logininfo+7+" GD_VERSION_TEXT "+Zo\xc3\xab");
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
        session.sendloginfo(f.lastInt().value_or(0), GD_VERSION_TEXT);
    });
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    QTRY_VERIFY(session.sock().Connected());
    // Before the login nothing the client asks to send goes out.
    QVERIFY(!session.send(Message("CMD_chat").field(1).field("early").bytes()));
    server.write(Message("CMD_sendlogininfo").field(slot).bytes());
    QTRY_VERIFY(session.loggedin());
    QCOMPARE(session.myslot(), slot);
    QCOMPARE(server.read(expected.size() + 1), expected + FF);
}

void TestClientSession::bothSocketsFeedOneQueueInOrder()
{
    ScriptedPeer server;
    ScriptedPeer lobby;
    ClientSession session;
    QStringList log;
    record(session, log, {"CMD_chat", "CMD_full", "CMD_winner"});
    session.connectToServer("127.0.0.1", server.port());
    session.connectToLobby(lobby.port());
    QVERIFY(server.accept());
    QVERIFY(lobby.accept());
    // Two messages in one read, a bare word without "+", and messages split
    // over two reads on each socket.
    server.write("CMD_chat+1+Ann chats: a+b|clRed" + FF + "CMD_full" + FF + "CMD_win");
    lobby.write("CMD_chat+9+from the lo");
    QTRY_COMPARE(log.size(), 1);
    server.write("ner+Bob" + FF);
    QTRY_COMPARE(log.size(), 2);
    lobby.write("bby" + FF);
    QTRY_COMPARE(log.size(), 3);
    QCOMPARE(log, QStringList({"CMD_chat:1+Ann chats: a+b|clRed", "CMD_winner:Bob", "CMD_chat:9+from the lobby"}));
    // Everything goes to the server; nothing is ever sent on the lobby link.
    session.sendloginfo(1, GD_VERSION_TEXT);
    const QByteArray login = "CMD_logininfo+1+" GD_VERSION_TEXT "+" + FF;
    QCOMPARE(server.read(login.size()), login);
    QVERIFY(lobby.read(0).isEmpty());
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
    QTRY_VERIFY(reported(reports, "Socket Closed"));
    QVERIFY(session.dispatcher().dispatchOne());
    QVERIFY(session.dispatcher().dispatchOne());
    QCOMPARE(log, QStringList({"CMD_full:", "CMD_chat:1+bye"}));
    QCOMPARE(closed.size(), 0);
    QVERIFY(session.dispatcher().dispatchOne());
    QCOMPARE(closed.size(), 1);
}

void TestClientSession::lobbyCloseEndsOnceAndRefusedLinkIsIgnored()
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
    QSignalSpy serverGone(&session.sock(), &TSock::OnDisconnect);
    server.close();
    QTRY_COMPARE(serverGone.size(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(closed.size(), 1);

    // Nothing listens on the lobby port: an error report, and the game goes on.
    quint16 freePort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        freePort = probe.serverPort();
    }
    ClientSession alone;
    QSignalSpy aloneClosed(&alone, &ClientSession::connectionClosed);
    QSignalSpy reports(&alone.sock11(), &TSock::OnInfo);
    alone.connectToLobby(freePort);
    QTRY_VERIFY(std::any_of(reports.cbegin(), reports.cend(), [](const QList<QVariant>& r) {
        return r.at(1).value<TSocketInfo>() == TSocketInfo::Error;
    }));
    QCoreApplication::processEvents();
    QCOMPARE(aloneClosed.size(), 0);
}

void TestClientSession::floodCutsTheConnection_data()
{
    QTest::addColumn<QByteArray>("flood");
    QTest::newRow("a message without an end") << QByteArray(MessageSplitter::DefaultCap + 10, 'x');
    // Each fits the splitter; together they would fill the queue faster than it drains.
    QTest::newRow("long messages of an unknown word")
        << ("CMD_nosuchword+" + QByteArray(MessageSplitter::DefaultCap - 100, 'x') + '\xff').repeated(24);
}

void TestClientSession::floodCutsTheConnection()
{
    QFETCH(QByteArray, flood);
    ScriptedPeer server;
    ClientSession session;
    session.dispatcher().setManual(true);
    QSignalSpy closed(&session, &ClientSession::connectionClosed);
    session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    server.write(flood);
    QTRY_VERIFY_WITH_TIMEOUT(!session.sock().Connected(), 10000);
    QVERIFY(session.dispatcher().queuedBytes(0) <= ClientSession::QueueBytes);
    // The table ends once what came before the cut has been handled.
    while (session.dispatcher().dispatchOne()) { }
    QCOMPARE(closed.size(), 1);
    QCOMPARE(session.dispatcher().queued(), 0);
}

QTEST_GUILESS_MAIN(TestClientSession)
#include "test_client_session.moc"
