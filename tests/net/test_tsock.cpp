#include "net/tsock.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

// A listening TSock on a free port and a client TSock connected to it.
struct Pair {
    TSock listener;
    std::unique_ptr<TSock> accepted;
    TSock client;

    bool open()
    {
        listener.setPortName("0");
        listener.setListen(true);
        QObject::connect(&listener, &TSock::OnAccept, &listener, [this](TSock* l) { accepted = l->Accept(); });
        client.setHostName("127.0.0.1");
        client.setPortName(QString::number(listener.boundPort()));
        QSignalSpy connected(&client, &TSock::OnConnect);
        client.Open();
        return connected.wait(5000) && QTest::qWaitFor([this] { return accepted != nullptr; }, 5000);
    }
};

class TestTSock : public QObject {
    Q_OBJECT
private slots:
    void peerCloseGivesDisconnectThenOneCloseReport();
    void sendOnClosedSocketRaises();
    void largeSendArrivesWholeAndInOrder();
    void listenOnTakenPortRaises();
    void listenerRefusesSendAndReceive();
    void acceptedSocketKnowsItsPeer();
    void sendLimit_data();
    void sendLimit();
    void refusedConnectionReportsAnError();
    void deadLinksAreWatched_data();
    void deadLinksAreWatched();
    void closedConnectionsLingerTogether();
};

void TestTSock::peerCloseGivesDisconnectThenOneCloseReport()
{
    Pair p;
    QVERIFY(p.open());
    QStringList events;
    connect(p.accepted.get(), &TSock::OnDisconnect, this, [&] { events << "disconnect"; });
    connect(p.accepted.get(), &TSock::OnInfo, this, [&](TSock*, TSocketInfo info, const QString& msg) {
        if (info == TSocketInfo::Close)
            events << msg;
    });
    p.client.Close();
    QTRY_COMPARE(events, (QStringList{"disconnect", "Socket Closed"}));
    QVERIFY(!p.accepted->Connected());
    QTest::qWait(50);
    QCOMPARE(events.size(), 2);
}

void TestTSock::sendOnClosedSocketRaises()
{
    TSock sock;
    try {
        sock.Send("x");
        QFAIL("no exception");
    } catch (const ESockException& e) {
        QCOMPARE(e.text(), QString("Send - Socket Not Connected"));
    }
    try {
        sock.Receive();
        QFAIL("no exception");
    } catch (const ESockException& e) {
        QCOMPARE(e.text(), QString("Receive - Socket Not Connected"));
    }
}

void TestTSock::largeSendArrivesWholeAndInOrder()
{
    Pair p;
    QVERIFY(p.open());
    QByteArray big;
    for (int i = 0; big.size() < 12 * 1024 * 1024; ++i)
        big += QByteArray::number(i) + ',';
    QByteArray got;
    connect(p.accepted.get(), &TSock::OnRead, this, [&](TSock* s, int) { got += s->Receive(); });
    // More than the network's buffers take at once, in pieces, while the peer
    // reads now and then, and again once the backlog has drained: the bytes
    // pass between writes the network takes at once and writes that wait
    // behind a backlog, and none may overtake another.
    const qsizetype half = big.size() / 2;
    for (qsizetype at = 0; at < half; at += 65536) {
        QVERIFY(p.client.Send(big.mid(at, qMin<qsizetype>(65536, half - at))));
        if (at % (8 * 65536) == 0)
            QCoreApplication::processEvents();
    }
    QTRY_COMPARE_WITH_TIMEOUT(p.client.pendingSendBytes(), 0, 10000);
    QVERIFY(p.client.Send(big.mid(half, 1000)));
    QVERIFY(p.client.Send(big.mid(half + 1000)));
    QTRY_COMPARE_WITH_TIMEOUT(got.size(), big.size(), 10000);
    QCOMPARE(got, big);
}

void TestTSock::listenOnTakenPortRaises()
{
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::Any, 0));
    TSock sock;
    sock.setPortName(QString::number(taken.serverPort()));
    try {
        sock.setListen(true);
        QFAIL("no exception");
    } catch (const ESockException& e) {
        QCOMPARE(e.text(), QString("Listen - Error Binding Socket"));
    }
    QVERIFY(!sock.Listen());
}

void TestTSock::listenerRefusesSendAndReceive()
{
    TSock sock;
    sock.setPortName("0");
    sock.setListen(true);
    QVERIFY_THROWS_EXCEPTION(ESockException, sock.Send("x"));
    QVERIFY_THROWS_EXCEPTION(ESockException, sock.Receive());
    QVERIFY_THROWS_EXCEPTION(ESockException, sock.setListen(true));
    QVERIFY_THROWS_EXCEPTION(ESockException, sock.setSocketType(TSock::stDatagram));
    TSock plain;
    QVERIFY_THROWS_EXCEPTION(ESockException, plain.Accept());
}

void TestTSock::acceptedSocketKnowsItsPeer()
{
    Pair p;
    QVERIFY(p.open());
    QCOMPARE(p.accepted->HostName(), QString("127.0.0.1"));
    QVERIFY(p.accepted->Connected());
    QCOMPARE(p.accepted->PortName(), QString("0"));
    QByteArray got;
    connect(&p.client, &TSock::OnRead, this, [&](TSock* s, int) { got += s->Receive(); });
    p.accepted->Send("CMD_sendlogininfo+1\xff");
    QTRY_COMPARE(got, QByteArray("CMD_sendlogininfo+1\xff"));
}

void TestTSock::sendLimit_data()
{
    QTest::addColumn<bool>("peerReads");
    QTest::addColumn<bool>("keepSending"); // or stop once the backlog is past the cap
    QTest::addColumn<int>("stallMs");

    QTest::newRow("one large message to a reader") << true << false << 300;
    QTest::newRow("backlog stays above the cap") << false << false << 300;
    QTest::newRow("backlog grows far past the cap") << false << true << 60000;
}

void TestTSock::sendLimit()
{
    QFETCH(bool, peerReads);
    QFETCH(bool, keepSending);
    QFETCH(int, stallMs);
    constexpr qint64 cap = 256 * 1024;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    TSock sock;
    sock.setHostName("127.0.0.1");
    sock.setPortName(QString::number(server.serverPort()));
    QSignalSpy connected(&sock, &TSock::OnConnect);
    sock.Open();
    QVERIFY(connected.wait(5000));
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket* peer = server.nextPendingConnection();
    qint64 received = 0;
    if (peerReads)
        connect(peer, &QTcpSocket::readyRead, this, [&] { received += peer->readAll().size(); });
    else
        peer->setReadBufferSize(1); // never takes more than a byte off the wire
    sock.setSendLimit(cap, stallMs);
    if (peerReads) {
        sock.Send(QByteArray(4 * cap, 'x'));
        QTest::qWait(2 * stallMs);
        QVERIFY(sock.Connected());
        QTRY_COMPARE(received, 4 * cap);
        return;
    }
    // Fill the network's buffers, then keep the backlog just above the cap
    // (or let it grow).
    const QByteArray chunk(64 * 1024, 'x');
    QElapsedTimer t, over;
    t.start();
    qint64 most = 0;
    bool refused = false;
    while (sock.Connected() && t.elapsed() < stallMs + 5000) {
        if (keepSending || sock.pendingSendBytes() <= cap + chunk.size())
            refused |= !sock.Send(chunk);
        if (!over.isValid() && sock.pendingSendBytes() > cap)
            over.start();
        most = qMax(most, sock.pendingSendBytes());
        QTest::qWait(1);
    }
    QVERIFY(!sock.Connected());
    QVERIFY(over.isValid());
    QVERIFY2(most <= TSock::HardFactor * cap + chunk.size(), qPrintable(QString::number(most)));
    if (!keepSending)
        QVERIFY2(over.elapsed() >= stallMs, "cut before the backlog had time to drain");
    // The send that pushed the backlog past the hard cap, and any after it, never reach the peer.
    QCOMPARE(refused, keepSending);
    QVERIFY(sock.pendingSendBytes() == 0);
}

void TestTSock::refusedConnectionReportsAnError()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    TSock sock;
    sock.setHostName("127.0.0.1");
    sock.setPortName(QString::number(port));
    QStringList errors;
    connect(&sock, &TSock::OnInfo, this, [&](TSock*, TSocketInfo info, const QString& msg) {
        if (info == TSocketInfo::Error || info == TSocketInfo::Close)
            errors << msg;
    });
    sock.Open();
    QTRY_COMPARE(errors, QStringList{"Error #10061 (WSAECONNREFUSED)"});
    QVERIFY(!sock.Connected());
}

void TestTSock::deadLinksAreWatched_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the server's end") << true;
    QTest::newRow("the client's end") << false;
}

void TestTSock::deadLinksAreWatched()
{
    QFETCH(bool, accepted);
    Pair p;
    QVERIFY(p.open());
    const int fd = int(accepted ? p.accepted->socketDescriptor() : p.client.socketDescriptor());
    QVERIFY(fd >= 0);
    const auto option = [fd](int level, int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return ::getsockopt(fd, level, name, &value, &size) == 0 ? value : -1;
    };
    QCOMPARE(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    // Probing starts after 15 s of silence and gives up within 45 s; bytes
    // sent into a dead link give up sooner still, whatever was sent when.
    const int idle = option(IPPROTO_TCP, TCP_KEEPIDLE);
    const int interval = option(IPPROTO_TCP, TCP_KEEPINTVL);
    const int probes = option(IPPROTO_TCP, TCP_KEEPCNT);
    QCOMPARE(idle, 15);
    QVERIFY(interval > 0 && probes > 0);
    QVERIFY(idle + interval * probes <= 45);
    const int unacknowledged = option(IPPROTO_TCP, TCP_USER_TIMEOUT);
    QVERIFY(unacknowledged > 0 && unacknowledged + idle * 1000 <= 45000);
}

void TestTSock::closedConnectionsLingerTogether()
{
    // Connections closed with bytes their peer never takes: each lingers its
    // while, then all are ended, and closing many costs no more each than one.
    constexpr int count = 200;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<TSock>> socks;
    std::vector<QTcpSocket*> peers;
    for (int i = 0; i < count; ++i) {
        auto sock = std::make_unique<TSock>();
        sock->setHostName("127.0.0.1");
        sock->setPortName(QString::number(server.serverPort()));
        QSignalSpy connected(sock.get(), &TSock::OnConnect);
        sock->Open();
        QVERIFY(connected.wait(5000));
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket* peer = server.nextPendingConnection();
        peer->setReadBufferSize(1);
        peers.push_back(peer);
        sock->Send(QByteArray(4 * 1024 * 1024, 'x'));
        socks.push_back(std::move(sock));
    }
    const qsizetype before = TSock::lingeringCount();
    QElapsedTimer t;
    t.start();
    for (auto& sock : socks)
        sock->Close();
    QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(TSock::lingeringCount(), before + count);
    QTRY_COMPARE_WITH_TIMEOUT(TSock::lingeringCount(), 0, 8000);
    QVERIFY(t.elapsed() >= 4500);
    // The peers, which read nothing, learn of it from the kernel: their ends are reset.
    for (QTcpSocket* peer : peers) {
        tcp_info info = {};
        socklen_t size = sizeof info;
        QCOMPARE(::getsockopt(int(peer->socketDescriptor()), IPPROTO_TCP, TCP_INFO, &info, &size), 0);
        QCOMPARE(int(info.tcpi_state), int(TCP_CLOSE));
    }
}

QTEST_GUILESS_MAIN(TestTSock)
#include "test_tsock.moc"
