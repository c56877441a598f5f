#include "app/server/server_options.h"
#include "app/server/table_summary.h"
#include "coordinator/coordinator_options.h"
#include "coordinator/coordinator_request.h"
#include "coordinator/coordinator_service.h"
#include "coordinator/post_rate_limit.h"
#include "server/game_state.h"

#include <QJsonDocument>
#include <QTest>

namespace {

QJsonObject validTable()
{
    TableListing t;
    t.port = 7772;
    t.name = QStringLiteral("Ann");
    t.players = 3;
    t.bots = 1;
    t.watchers = 2;
    t.state = QStringLiteral("playing");
    t.mode = QStringLiteral("classic");
    t.mission = 2;
    t.missions = 3;
    t.version = QStringLiteral("1.0.12");
    QJsonObject json = t.tableJson();
    json.insert(QStringLiteral("secret"), QStringLiteral("0123456789abcdef"));
    return json;
}

std::string body(const QJsonObject& json)
{
    return QJsonDocument(json).toJson().toStdString();
}

} // namespace

// Reading the list's requests, the names it shows, and how it limits senders.
class TestCoordinatorRequest : public QObject {
    Q_OBJECT
private slots:
    void readsRegistrations_data();
    void readsRegistrations();
    void cleansNamesAsPlayerNames_data();
    void cleansNamesAsPlayerNames();
    void readsWithdrawals_data();
    void readsWithdrawals();
    void readsListQueries_data();
    void readsListQueries();
    void limitsEachAddress();
    void keepsBoundedBuckets();
    void listsUnderOneAddressPerPeer_data();
    void listsUnderOneAddressPerPeer();
    void readsCommandLines_data();
    void readsCommandLines();
    void summarizesTheTable();
};

void TestCoordinatorRequest::readsRegistrations_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<bool>("ok");
    QTest::newRow("as sent") << QString() << QJsonValue() << true;
    QTest::newRow("port 0") << "port" << QJsonValue(0) << false;
    QTest::newRow("port 65536") << "port" << QJsonValue(65536) << false;
    QTest::newRow("port as text") << "port" << QJsonValue("7772") << false;
    QTest::newRow("port fraction") << "port" << QJsonValue(7772.5) << false;
    QTest::newRow("port huge") << "port" << QJsonValue(1e300) << false;
    QTest::newRow("name a number") << "name" << QJsonValue(5) << false;
    QTest::newRow("secret 15") << "secret" << QJsonValue(QString(15, u'x')) << false;
    QTest::newRow("secret 16") << "secret" << QJsonValue(QString(16, u'x')) << true;
    QTest::newRow("secret 128") << "secret" << QJsonValue(QString(128, u'x')) << true;
    QTest::newRow("secret 129") << "secret" << QJsonValue(QString(129, u'x')) << false;
    QTest::newRow("players over seats") << "players" << QJsonValue(7) << false;
    QTest::newRow("players negative") << "players" << QJsonValue(-1) << false;
    QTest::newRow("bots over players") << "bots" << QJsonValue(4) << false;
    QTest::newRow("watchers 10") << "watchers" << QJsonValue(10) << false;
    QTest::newRow("seats 0") << "seats" << QJsonValue(0) << false;
    QTest::newRow("state unknown") << "state" << QJsonValue("over") << false;
    QTest::newRow("mode unknown") << "mode" << QJsonValue("blitz") << false;
    QTest::newRow("mission past missions") << "mission" << QJsonValue(4) << false;
    QTest::newRow("missions 100") << "missions" << QJsonValue(100) << false;
    QTest::newRow("version empty") << "version" << QJsonValue("") << false;
    QTest::newRow("version with blank") << "version" << QJsonValue("1 0") << false;
    QTest::newRow("version 33") << "version" << QJsonValue(QString(33, u'1')) << false;
    QTest::newRow("missing players") << "players" << QJsonValue(QJsonValue::Undefined) << false;
}

void TestCoordinatorRequest::readsRegistrations()
{
    QFETCH(QString, field);
    QFETCH(QJsonValue, value);
    QFETCH(bool, ok);
    QJsonObject json = validTable();
    if (value.isUndefined())
        json.remove(field);
    else if (!field.isEmpty())
        json.insert(field, value);
    const Read<RegisterRequest> read = CoordinatorRequest::readRegister(body(json));
    QCOMPARE(read.ok(), ok);
    if (field.isEmpty()) {
        QJsonObject sent = validTable();
        sent.remove(QStringLiteral("secret"));
        QCOMPARE(read.value.table.tableJson(), sent);
        QCOMPARE(read.value.secret, QByteArray("0123456789abcdef"));
    }
    for (const std::string broken : {"", "[1,2]", "{\"port\": 7772", "\"text\"", "{\"port\": 7772} trailing"})
        QVERIFY(!CoordinatorRequest::readRegister(broken).ok());
}

void TestCoordinatorRequest::cleansNamesAsPlayerNames_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("listed");
    QTest::newRow("plain") << "Ann's table"
                           << "Ann's table";
    QTest::newRow("bar") << "a|b"
                         << "a¦b";
    QTest::newRow("reversal") << "ab\u202Ecd"
                              << "abcd";
    QTest::newRow("blanks") << "  a \t  b  "
                            << "a b";
    QTest::newRow("empty") << ""
                           << "Player";
    QTest::newRow("placeholder") << "<Waiting>"
                                 << "Player";
    QTest::newRow("long") << QString(40, u'n') << QString(24, u'n');
}

void TestCoordinatorRequest::cleansNamesAsPlayerNames()
{
    QFETCH(QString, sent);
    QFETCH(QString, listed);
    QJsonObject json = validTable();
    json.insert(QStringLiteral("name"), sent);
    QCOMPARE(CoordinatorRequest::readRegister(body(json)).value.table.name, listed);
    QCOMPARE(ServerOptions::cleanName(sent), listed);
}

void TestCoordinatorRequest::readsWithdrawals_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("port");
    QTest::newRow("valid") << QByteArray(R"({"port": 9000, "secret": "0123456789abcdef"})") << 9000;
    QTest::newRow("no port") << QByteArray(R"({"secret": "0123456789abcdef"})") << 0;
    QTest::newRow("port 1e30") << QByteArray(R"({"port": 1e30, "secret": "0123456789abcdef"})") << 0;
    QTest::newRow("port -5") << QByteArray(R"({"port": -5, "secret": "0123456789abcdef"})") << 0;
    QTest::newRow("short secret") << QByteArray(R"({"port": 9000, "secret": "short"})") << 0;
    QTest::newRow("secret number") << QByteArray(R"({"port": 9000, "secret": 1234567890123456789})") << 0;
}

void TestCoordinatorRequest::readsWithdrawals()
{
    QFETCH(QByteArray, json);
    QFETCH(int, port);
    const Read<WithdrawRequest> read = CoordinatorRequest::readWithdraw(json.toStdString());
    QCOMPARE(read.ok(), port != 0);
    QCOMPARE(int(read.value.port), port);
}

void TestCoordinatorRequest::readsListQueries_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("offset");
    QTest::newRow("defaults") << "" << true << 200 << 0;
    QTest::newRow("limit 1000") << "limit=1000" << true << 1000 << 0;
    QTest::newRow("limit 1001") << "limit=1001" << false << 0 << 0;
    QTest::newRow("limit 0") << "limit=0" << false << 0 << 0;
    QTest::newRow("limit sign") << "limit=+5" << false << 0 << 0;
    QTest::newRow("limit overflow") << "limit=99999999999999999999" << false << 0 << 0;
    QTest::newRow("offset") << "offset=400&limit=50" << true << 50 << 400;
    QTest::newRow("offset negative") << "offset=-1" << false << 0 << 0;
    QTest::newRow("state") << "state=waiting&version=1.0.12" << true << 200 << 0;
    QTest::newRow("state unknown") << "state=lost" << false << 0 << 0;
    QTest::newRow("version with colon") << "version=1:2" << true << 200 << 0;
    QTest::newRow("version empty") << "version=" << false << 0 << 0;
    QTest::newRow("unknown key ignored") << "colour=red" << true << 200 << 0;
}

void TestCoordinatorRequest::readsListQueries()
{
    QFETCH(QString, query);
    QFETCH(bool, ok);
    QFETCH(int, limit);
    QFETCH(int, offset);
    std::multimap<std::string, std::string> params;
    for (const QString& pair : query.split(u'&', Qt::SkipEmptyParts))
        params.emplace(pair.section(u'=', 0, 0).toStdString(), pair.section(u'=', 1).toStdString());
    const Read<TableStore::Filter> read = CoordinatorRequest::readList(params);
    QCOMPARE(read.ok(), ok);
    if (ok) {
        QCOMPARE(read.value.limit, limit);
        QCOMPARE(read.value.offset, offset);
    }
}

void TestCoordinatorRequest::limitsEachAddress()
{
    PostRateLimit limit(5, 10);
    const auto start = PostRateLimit::Clock::now();
    int allowed = 0;
    for (int i = 0; i < 30; ++i)
        allowed += limit.allow(QStringLiteral("10.0.0.1"), start) ? 1 : 0;
    QCOMPARE(allowed, 10);
    QVERIFY(limit.allow(QStringLiteral("10.0.0.2"), start));
    // Five more a second, never more than the burst.
    allowed = 0;
    for (int i = 0; i < 30; ++i)
        allowed += limit.allow(QStringLiteral("10.0.0.1"), start + std::chrono::seconds(1)) ? 1 : 0;
    QCOMPARE(allowed, 5);
    allowed = 0;
    for (int i = 0; i < 30; ++i)
        allowed += limit.allow(QStringLiteral("10.0.0.1"), start + std::chrono::hours(1)) ? 1 : 0;
    QCOMPARE(allowed, 10);
}

void TestCoordinatorRequest::keepsBoundedBuckets()
{
    // A flood from ever new addresses: each still gets its burst, and the
    // quiet ones are forgotten rather than kept for ever.
    PostRateLimit limit(5, 2);
    const auto start = PostRateLimit::Clock::now();
    for (int i = 0; i < PostRateLimit::MaxAddresses; ++i)
        QVERIFY(limit.allow(QString::number(i), start));
    QVERIFY(limit.allow(QStringLiteral("0"), start));
    QVERIFY(!limit.allow(QStringLiteral("0"), start));
    QVERIFY(limit.allow(QStringLiteral("late"), start + std::chrono::seconds(2)));
    // "0" was quiet long enough to be forgotten: it starts with a full burst.
    QVERIFY(limit.allow(QStringLiteral("0"), start + std::chrono::seconds(2)));
    QVERIFY(limit.allow(QStringLiteral("0"), start + std::chrono::seconds(2)));
}

void TestCoordinatorRequest::listsUnderOneAddressPerPeer_data()
{
    QTest::addColumn<QString>("remote");
    QTest::addColumn<QString>("listed");
    QTest::newRow("IPv4") << "192.0.2.7"
                          << "192.0.2.7";
    QTest::newRow("IPv4 via IPv6 socket") << "::ffff:192.0.2.7"
                                          << "192.0.2.7";
    QTest::newRow("IPv6") << "2001:db8::1"
                          << "2001:db8::1";
}

void TestCoordinatorRequest::listsUnderOneAddressPerPeer()
{
    QFETCH(QString, remote);
    QFETCH(QString, listed);
    QCOMPARE(CoordinatorService::sourceAddress(remote.toStdString()), listed);
}

void TestCoordinatorRequest::readsCommandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("listen");
    QTest::addColumn<QString>("redis");
    using A = CoordinatorOptions::Action;
    QTest::newRow("defaults") << QStringList() << int(A::Run) << "127.0.0.1:8090"
                              << "127.0.0.1:6379";
    QTest::newRow("both") << QStringList{"--listen", "[::]:80", "--redis", "db.example:7000"} << int(A::Run) << ":::80"
                          << "db.example:7000";
    QTest::newRow("port 0") << QStringList{"--listen", "0.0.0.0:0"} << int(A::Run) << "0.0.0.0:0"
                            << "127.0.0.1:6379";
    QTest::newRow("no port") << QStringList{"--listen", "0.0.0.0"} << int(A::Error) << ""
                             << "";
    QTest::newRow("redis port 0") << QStringList{"--redis", "host:0"} << int(A::Error) << ""
                                  << "";
    QTest::newRow("port text") << QStringList{"--redis", "host:x"} << int(A::Error) << ""
                               << "";
    QTest::newRow("stray") << QStringList{"stray"} << int(A::Error) << ""
                           << "";
    QTest::newRow("help") << QStringList{"--help"} << int(A::Help) << ""
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << int(A::Version) << ""
                             << "";
}

void TestCoordinatorRequest::readsCommandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, listen);
    QFETCH(QString, redis);
    const auto parsed = CoordinatorOptions::parse(QStringList{"gloopdash-coordinator"} + arguments);
    QCOMPARE(int(parsed.action), action);
    if (parsed.action != CoordinatorOptions::Action::Run)
        return;
    const CoordinatorOptions& o = parsed.options;
    QCOMPARE(QStringLiteral("%1:%2").arg(QString::fromStdString(o.listenHost)).arg(o.listenPort), listen);
    QCOMPARE(QStringLiteral("%1:%2").arg(QString::fromStdString(o.redis.host)).arg(o.redis.port), redis);
}

void TestCoordinatorRequest::summarizesTheTable()
{
    GameState game;
    const auto seat = [&game](int slot, const QByteArray& name) {
        game.players[slot].connected = true;
        game.players[slot].loggedin = true;
        game.players[slot].name = name;
    };
    seat(1, "Ann");
    seat(2, "Mia");
    game.players[2].bot = true;
    seat(7, "Watcher");
    game.players[3].connected = true; // not logged in yet: not counted
    game.gamerunning = true;
    game.gamemode = GameMode::Classic;
    game.rounds = 3;
    game.round = 2;
    const TableListing t = TableSummary::of(game, QStringLiteral("Ann's"), 9000);
    QCOMPARE(t.players, 2);
    QCOMPARE(t.bots, 1);
    QCOMPARE(t.watchers, 1);
    QCOMPARE(t.state, QStringLiteral("playing"));
    QCOMPARE(t.mode, QStringLiteral("classic"));
    QCOMPARE(t.mission, 2);
    QCOMPARE(t.missions, 3);
    // What a table sends, the list reads back unchanged, and a row round-trips.
    TableListing read;
    QCOMPARE(TableListing::readTable(t.tableJson(), read), QString());
    QCOMPARE(read, t);
    TableListing row = t;
    row.id = QStringLiteral("0123456789abcdef");
    row.address = QStringLiteral("192.0.2.1");
    row.updated = 1700000000;
    QVERIFY(TableListing::readRow(row.rowJson(), read));
    QCOMPARE(read, row);
    // The list writes its rows as text itself: any name must come out as sent.
    row.name = QStringLiteral("q\"uote \\ back\x01slash é");
    QByteArray text;
    row.appendRowJson(text);
    QCOMPARE(QJsonDocument::fromJson(text).object(), row.rowJson());
}

QTEST_APPLESS_MAIN(TestCoordinatorRequest)
#include "test_coordinator_request.moc"
