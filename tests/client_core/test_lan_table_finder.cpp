#include "client/core/lan_table_finder.h"
#include "client/core/table_list_model.h"
#include "server/discovery_responder.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QNetworkProxy>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <memory>

namespace {

// A table on loopback that answers discovery queries.
struct LoopbackTable {
    FixedHostOptions host;
    Server server{host, 0};
    std::unique_ptr<DiscoveryResponder> responder;

    explicit LoopbackTable(const QByteArray& name)
    {
        host.name = name;
        server.listen();
        responder = std::make_unique<DiscoveryResponder>(server.game(), host, server.port());
        responder->start();
    }
};

TableRow row(const QString& name, int players, const QString& state, const QString& id = QStringLiteral("00000001"))
{
    TableRow r;
    r.table.id = id;
    r.table.name = name;
    r.table.players = players;
    r.table.state = state;
    r.table.mode = QStringLiteral("standard");
    r.table.mission = 1;
    r.table.missions = 3;
    r.address = QStringLiteral("10.0.0.2");
    return r;
}

} // namespace

class LanTableFinderTest : public QObject {
    Q_OBJECT
private slots:
    void findsTablesAndMergesTheirFamilies_data();
    void findsTablesAndMergesTheirFamilies();
    void followsTheTableAsItChanges();
    void asksEveryInterfaceOfTheFamilies_data();
    void asksEveryInterfaceOfTheFamilies();
    void sortsTablesWithRoomFirst_data();
    void sortsTablesWithRoomFirst();
    void showsEachColumn_data();
    void showsEachColumn();
    void keepsTheIpv4AddressAndForgetsSilentTables();
};

void LanTableFinderTest::findsTablesAndMergesTheirFamilies_data()
{
    QTest::addColumn<bool>("proxySet");
    QTest::newRow("no proxy") << false;
    // A proxy (here one that is down) is for reaching other machines: tables
    // are still asked and heard on the local network.
    QTest::newRow("a proxy set") << true;
}

void LanTableFinderTest::findsTablesAndMergesTheirFamilies()
{
    QFETCH(bool, proxySet);
    if (proxySet) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::Socks5Proxy, QStringLiteral("127.0.0.1"), closed.serverPort()));
    }
    const auto restore = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy::DefaultProxy); });
    LoopbackTable den("Den");
    LoopbackTable attic("Attic");
    LanTableFinder finder;
    finder.setAddresses({QHostAddress(QHostAddress::LocalHostIPv6), QHostAddress(QHostAddress::LocalHost)});
    finder.setExtraPorts({den.server.port(), attic.server.port()});
    TableListModel model;
    model.watch(finder);
    QSignalSpy heard(&finder, &TableSource::rowHeard);
    finder.start();
    // Each table answers once per family: two rows, not four.
    QTRY_COMPARE(heard.size(), 4);
    QCOMPARE(model.rowCount(), 2);
    for (int at = 0; at < 2; ++at) {
        const TableRow& r = model.row(at);
        const LoopbackTable& t = r.table.name == QLatin1String("Den") ? den : attic;
        QCOMPARE(r.table.id, t.responder->id());
        QCOMPARE(r.address, QStringLiteral("127.0.0.1:%1").arg(t.server.port()));
        QVERIFY(r.answerMs > 0 && r.answerMs < 2000);
    }
    finder.stop();
    QTest::qWait(LanTableFinder::RepeatMs + 200);
    QCOMPARE(heard.size(), 4);
}

void LanTableFinderTest::followsTheTableAsItChanges()
{
    LoopbackTable den("Den");
    LanTableFinder finder;
    finder.setAddresses({QHostAddress(QHostAddress::LocalHost)});
    finder.setExtraPorts({den.server.port()});
    TableListModel model;
    model.watch(finder);
    finder.start();
    QTRY_COMPARE(model.rowCount(), 1);
    QCOMPARE(model.row(0).table.state, QStringLiteral("waiting"));
    den.server.game().gamerunning = true;
    den.server.game().gamemode = GameMode::Standard;
    den.server.game().round = 1;
    QTRY_COMPARE_WITH_TIMEOUT(model.row(0).table.state, QStringLiteral("playing"), LanTableFinder::RepeatMs + 1000);
    QCOMPARE(TableListModel::text(model.row(0), TableListModel::Game), QStringLiteral("mission 1 of 3, standard"));
}

void LanTableFinderTest::asksEveryInterfaceOfTheFamilies_data()
{
    QTest::addColumn<LanTableFinder::Families>("families");
    QTest::newRow("both") << LanTableFinder::Families::Both;
    QTest::newRow("IPv4") << LanTableFinder::Families::IPv4Only;
    QTest::newRow("IPv6") << LanTableFinder::Families::IPv6Only;
}

void LanTableFinderTest::asksEveryInterfaceOfTheFamilies()
{
    QFETCH(LanTableFinder::Families, families);
    const QList<QHostAddress> addresses = LanTableFinder::interfaceAddresses(families);
    QCOMPARE(addresses.contains(QHostAddress(QHostAddress::Broadcast)), families != LanTableFinder::Families::IPv6Only);
    for (const QHostAddress& a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv6Protocol) {
            QVERIFY(families != LanTableFinder::Families::IPv4Only);
            QCOMPARE(a.toString().section(QLatin1Char('%'), 0, 0), QStringLiteral("ff02::1"));
            QVERIFY(!a.scopeId().isEmpty());
        } else {
            QVERIFY(families != LanTableFinder::Families::IPv6Only);
        }
    }
}

void LanTableFinderTest::sortsTablesWithRoomFirst_data()
{
    QTest::addColumn<TableRow>("first");
    QTest::addColumn<TableRow>("second");
    const QString w = QStringLiteral("waiting");
    const QString p = QStringLiteral("playing");
    QTest::newRow("waiting before playing") << row("Zed", 1, w) << row("Amy", 1, p);
    QTest::newRow("fuller first") << row("Zed", 3, w) << row("Amy", 2, w);
    QTest::newRow("playing with room before full") << row("Zed", 5, p) << row("Amy", 6, w);
    QTest::newRow("then by name, case aside") << row("amy", 2, w) << row("Bob", 2, w);
}

void LanTableFinderTest::sortsTablesWithRoomFirst()
{
    QFETCH(TableRow, first);
    QFETCH(TableRow, second);
    QVERIFY(TableListModel::sortKey(first) < TableListModel::sortKey(second));
}

void LanTableFinderTest::showsEachColumn_data()
{
    QTest::addColumn<TableRow>("r");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    TableRow bots = row("Den", 4, QStringLiteral("waiting"));
    bots.table.bots = 3;
    bots.answerMs = 0.2;
    QTest::newRow("players") << row("Den", 2, QStringLiteral("waiting")) << int(TableListModel::Players) << "2 of 6";
    QTest::newRow("players with bots") << bots << int(TableListModel::Players) << "4 of 6 (3 bots)";
    QTest::newRow("waiting") << bots << int(TableListModel::Game) << "waiting";
    QTest::newRow("under a millisecond") << bots << int(TableListModel::AnswerTime) << "1 ms";
    QTest::newRow("address") << bots << int(TableListModel::Address) << "10.0.0.2";
}

void LanTableFinderTest::showsEachColumn()
{
    QFETCH(TableRow, r);
    QFETCH(int, column);
    QFETCH(QString, text);
    QCOMPARE(TableListModel::text(r, column), text);
}

void LanTableFinderTest::keepsTheIpv4AddressAndForgetsSilentTables()
{
    TableListModel model;
    TableRow v4 = row("Den", 1, QStringLiteral("waiting"));
    v4.heardMs = 1000;
    model.heard(v4);
    TableRow v6 = v4;
    v6.ipv6 = true;
    v6.address = QStringLiteral("[fe80::2%br0]");
    v6.heardMs = 1100;
    v6.table.players = 2;
    model.heard(v6);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.row(0).address, QStringLiteral("10.0.0.2"));
    QCOMPARE(model.row(0).table.players, 2);
    TableRow other = row("Attic", 1, QStringLiteral("waiting"), QStringLiteral("00000002"));
    other.heardMs = 5000;
    model.heard(other);
    model.forgetOlder(1100 + TableListModel::ForgetMs);
    QCOMPARE(model.rowCount(), 2);
    model.forgetOlder(1101 + TableListModel::ForgetMs);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.row(0).table.name, QStringLiteral("Attic"));
    // Heard over IPv6 alone for a long while, the IPv6 address is the one.
    v6.heardMs = 20000;
    model.heard(v6);
    QCOMPARE(model.row(1).address, QStringLiteral("[fe80::2%br0]"));
}

QTEST_GUILESS_MAIN(LanTableFinderTest)
#include "test_lan_table_finder.moc"
