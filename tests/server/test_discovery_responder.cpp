#include "server/discovery_responder.h"
#include "server/host_options.h"
#include "server/server.h"

#include "wire_client.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTest>
#include <QUdpSocket>
#include <memory>

namespace {

// A socket that asks a table on loopback and collects what comes back.
struct Asker {
    QUdpSocket socket;
    QList<QByteArray> answers;

    explicit Asker(const QHostAddress& from = QHostAddress::LocalHost)
    {
        socket.setProxy(QNetworkProxy::NoProxy);
        socket.bind(from, 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams())
                answers.append(socket.receiveDatagram().data());
        });
    }
    void ask(const QByteArray& datagram, const QHostAddress& to, quint16 port)
    {
        socket.writeDatagram(datagram, to, port);
    }
    // Waits a quiet spell so that answers still on their way are counted.
    qsizetype settled(int quietMs = 300)
    {
        qsizetype seen = -1;
        while (seen != answers.size()) {
            seen = answers.size();
            QTest::qWait(quietMs);
        }
        return answers.size();
    }
};

constexpr qint64 Ms = 1'000'000;

} // namespace

class DiscoveryResponderTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void answersWithTheTableAsItStands_data();
    void answersWithTheTableAsItStands();
    void ignoresAnythingButAQuery_data();
    void ignoresAnythingButAQuery();
    void answersEachSourceTenTimesASecond();
    void limitsAtTheRateWithABurst_data();
    void limitsAtTheRateWithABurst();
    void boundsTheSourcesItRemembers();
    void keepsAnUnlistedTableQuiet();
    void hostsAndAnswersWhateverProxyIsSet();

private:
    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
    std::unique_ptr<DiscoveryResponder> m_responder;
};

void DiscoveryResponderTest::init()
{
    m_host = FixedHostOptions();
    m_host.name = "Den";
    m_server = std::make_unique<Server>(m_host, 0);
    m_server->listen();
    m_responder = std::make_unique<DiscoveryResponder>(m_server->game(), m_host, m_server->port());
    QVERIFY(m_responder->start());
}

void DiscoveryResponderTest::cleanup()
{
    m_responder.reset();
    m_server.reset();
}

void DiscoveryResponderTest::answersWithTheTableAsItStands_data()
{
    QTest::addColumn<QHostAddress>("to");
    QTest::newRow("IPv4") << QHostAddress(QHostAddress::LocalHost);
    QTest::newRow("IPv6") << QHostAddress(QHostAddress::LocalHostIPv6);
}

void DiscoveryResponderTest::answersWithTheTableAsItStands()
{
    QFETCH(QHostAddress, to);
    WireClient ann;
    WireClient bot;
    QVERIFY(ann.login(m_server->port(), "Ann"));
    QVERIFY(bot.login(m_server->port(), "Bot Kim"));
    QVERIFY(waitUntil([&] { return m_server->game().players.loggedin(2); }));
    Asker asker(to);
    asker.ask(DiscoveryDatagram::query("one", 256), to, m_server->port());
    QTRY_COMPARE(asker.answers.size(), 1);
    QVERIFY(asker.answers[0].size() <= 256);
    auto read = DiscoveryDatagram::readAnswer(asker.answers[0]);
    QVERIFY(read);
    QCOMPARE(read->token, QByteArray("one"));
    const TableAnnouncement& t = read->table;
    QCOMPARE(t.id, m_responder->id());
    QCOMPARE(t.name, QStringLiteral("Den"));
    QCOMPARE(t.port, m_server->port());
    QCOMPARE(t.version, QStringLiteral(GD_VERSION_TEXT));
    QCOMPARE(t.players, 2);
    QCOMPARE(t.bots, 1);
    QCOMPARE(t.state, QStringLiteral("waiting"));
    QCOMPARE(t.mode, QString());

    // A game in its second mission with someone watching.
    GameState& game = m_server->game();
    game.gamerunning = true;
    game.gamemode = GameMode::Classic;
    game.rounds = 6;
    game.round = 2;
    game.players[7].connected = true;
    game.players[7].loggedin = true;
    asker.ask(DiscoveryDatagram::query("two"), to, m_server->port());
    QTRY_COMPARE(asker.answers.size(), 2);
    read = DiscoveryDatagram::readAnswer(asker.answers[1]);
    QVERIFY(read);
    QCOMPARE(read->table.state, QStringLiteral("playing"));
    QCOMPARE(read->table.mode, QStringLiteral("classic"));
    QCOMPARE(read->table.mission, 2);
    QCOMPARE(read->table.missions, 6);
    QCOMPARE(read->table.watchers, 1);
    QCOMPARE(read->table.id, t.id);
}

void DiscoveryResponderTest::ignoresAnythingButAQuery_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("one byte short") << DiscoveryDatagram::query("t", 255);
    QTest::newRow("an answer") << DiscoveryDatagram::answerPrefix() + QByteArray(300, 'x');
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("token without end") << DiscoveryDatagram::queryPrefix() + QByteArray(300, 'x');
}

void DiscoveryResponderTest::ignoresAnythingButAQuery()
{
    QFETCH(QByteArray, datagram);
    Asker asker;
    asker.ask(datagram, QHostAddress::LocalHost, m_server->port());
    // A good query after it is answered alone.
    asker.ask(DiscoveryDatagram::query("good", 256), QHostAddress::LocalHost, m_server->port());
    QCOMPARE(asker.settled(), 1);
    QCOMPARE(DiscoveryDatagram::readAnswer(asker.answers[0])->token, QByteArray("good"));
}

void DiscoveryResponderTest::answersEachSourceTenTimesASecond()
{
    // Two sources asking flat out for about a second get a burst and ten a
    // second each; neither uses up the other's answers.
    Asker first(QHostAddress(QStringLiteral("127.0.0.1")));
    Asker second(QHostAddress(QStringLiteral("127.0.0.2")));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        first.ask(DiscoveryDatagram::query("a"), QHostAddress::LocalHost, m_server->port());
        second.ask(DiscoveryDatagram::query("b"), QHostAddress::LocalHost, m_server->port());
        QTest::qWait(5);
    }
    const qint64 spell = clock.elapsed();
    const qsizetype most = DiscoveryResponder::Burst + spell / 100 + 1;
    QVERIFY2(first.settled() <= most, qPrintable(QString::number(first.answers.size())));
    QVERIFY2(first.answers.size() >= 10, qPrintable(QString::number(first.answers.size())));
    QVERIFY2(second.settled() <= most && second.answers.size() >= 10,
             qPrintable(QString::number(second.answers.size())));
}

void DiscoveryResponderTest::limitsAtTheRateWithABurst_data()
{
    QTest::addColumn<QList<qint64>>("askedAtMs");
    QTest::addColumn<int>("answered");
    QTest::newRow("a burst of five passes") << QList<qint64>{0, 0, 0, 0, 0} << 5;
    QTest::newRow("the sixth at once waits") << QList<qint64>{0, 0, 0, 0, 0, 0} << 5;
    QTest::newRow("one more after 100 ms") << QList<qint64>{0, 0, 0, 0, 0, 0, 100, 100} << 6;
    QTest::newRow("ten a second when steady")
        << QList<qint64>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000} << 11;
    QTest::newRow("twenty a second gets ten and the burst")
        << QList<qint64>{0,   50,  100, 150, 200, 250, 300, 350, 400, 450,
                         500, 550, 600, 650, 700, 750, 800, 850, 900, 950}
        << 14;
}

void DiscoveryResponderTest::limitsAtTheRateWithABurst()
{
    QFETCH(QList<qint64>, askedAtMs);
    QFETCH(int, answered);
    const QHostAddress source(QStringLiteral("10.1.2.3"));
    int passed = 0;
    for (const qint64 at : askedAtMs)
        passed += m_responder->admit(source, 5000 * Ms + at * Ms) ? 1 : 0;
    QCOMPARE(passed, answered);
}

void DiscoveryResponderTest::boundsTheSourcesItRemembers()
{
    // A flood from forged addresses: past the bound, new sources wait until
    // the remembered ones have been quiet for a second.
    const qint64 now = 5000 * Ms;
    for (quint32 i = 0; i < quint32(DiscoveryResponder::MaxSources); ++i)
        QVERIFY(m_responder->admit(QHostAddress(0x0a000000 + i), now));
    const QHostAddress late(QStringLiteral("192.0.2.1"));
    QVERIFY(!m_responder->admit(late, now + 500 * Ms));
    // A source already known keeps its own answers.
    QVERIFY(m_responder->admit(QHostAddress(0x0a000000), now + 500 * Ms));
    QVERIFY(m_responder->admit(late, now + 1600 * Ms));
}

void DiscoveryResponderTest::keepsAnUnlistedTableQuiet()
{
    m_host.listed = false;
    Asker asker;
    asker.ask(DiscoveryDatagram::query("t"), QHostAddress::LocalHost, m_server->port());
    QCOMPARE(asker.settled(), 0);
    m_host.listed = true;
    asker.ask(DiscoveryDatagram::query("t"), QHostAddress::LocalHost, m_server->port());
    QCOMPARE(asker.settled(), 1);
}

// A proxy set for the program (or found in the system's settings) is for
// reaching other machines: a table still listens and answers on its own
// addresses, where a proxy that is down would make hosting fail.
void DiscoveryResponderTest::hostsAndAnswersWhateverProxyIsSet()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 deadProxyPort = closed.serverPort();
    closed.close();
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::Socks5Proxy, "127.0.0.1", deadProxyPort));
    const auto restore = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy::DefaultProxy); });
    Server server(m_host, 0);
    QVERIFY_THROWS_NO_EXCEPTION(server.listen());
    DiscoveryResponder responder(server.game(), m_host, server.port());
    QVERIFY(responder.start());
    WireClient ann;
    QVERIFY(ann.login(server.port(), "Ann"));
    Asker asker;
    asker.ask(DiscoveryDatagram::query("p"), QHostAddress::LocalHost, server.port());
    QTRY_COMPARE(asker.answers.size(), 1);
    QCOMPARE(DiscoveryDatagram::readAnswer(asker.answers[0])->table.players, 1);
}

QTEST_GUILESS_MAIN(DiscoveryResponderTest)
#include "test_discovery_responder.moc"
