#include "support_list_service.h"
#include "wire_client.h"

#include "app/server/dedicated_server.h"
#include "app/server/hosted_listing.h"
#include "app/server/table_registrar.h"
#include "coordinator/redis_link.h"
#include "server/host_options.h"
#include "server/server_thread.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <hiredis.h>

namespace {

std::unique_ptr<DedicatedServer> inProcessTable(const QString& name, const QString& listUrl)
{
    ServerOptions options;
    options.port = 0;
    options.listen = QStringLiteral("127.0.0.1");
    options.name = name;
    options.registerUrl = QUrl(listUrl);
    auto table = std::make_unique<DedicatedServer>(options, stdout);
    return table->start() ? std::move(table) : nullptr;
}

// The listed row of the table on `port`, or an empty object.
QJsonObject row(const TestCoordinator& list, quint16 port)
{
    const QJsonArray tables = list.get().json().value(QStringLiteral("tables")).toArray();
    for (const QJsonValue& t : tables)
        if (t.toObject().value(QStringLiteral("port")).toInt() == port)
            return t.toObject();
    return {};
}

QByteArray registration(quint16 port, const QByteArray& secret)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("port"), port},
                                     {QStringLiteral("name"), QStringLiteral("Intruder")},
                                     {QStringLiteral("secret"), QString::fromLatin1(secret)},
                                     {QStringLiteral("players"), 1},
                                     {QStringLiteral("watchers"), 0},
                                     {QStringLiteral("seats"), 6},
                                     {QStringLiteral("bots"), 0},
                                     {QStringLiteral("state"), QStringLiteral("waiting")},
                                     {QStringLiteral("mode"), QString()},
                                     {QStringLiteral("mission"), 0},
                                     {QStringLiteral("missions"), 0},
                                     {QStringLiteral("version"), QStringLiteral("1.0")}})
        .toJson();
}

} // namespace

// Two coordinators over one real Redis, with real tables registering.
class TestTableListService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyCoordinatorListsEveryTable();
    void refusesWhatItCannotList_data();
    void refusesWhatItCannotList();
    void keepsAnotherTablesEntry();
    void limitsPostsFromOneAddress();
    void forgetsTablesThatStoppedRefreshing();
    void answers503WithoutRedisAndRecovers();
    void hostingCopyListsItsTableWhileItHosts();
    void tableKeepsTryingUntilTheListAnswers();

private:
    std::unique_ptr<TestRedis> m_redis;
    std::unique_ptr<TestCoordinator> m_a;
    std::unique_ptr<TestCoordinator> m_b;
};

void TestTableListService::init()
{
    if (!TestRedis::installed())
        QSKIP("redis-server is not installed (scripts/setup installs it)");
    m_redis = std::make_unique<TestRedis>();
    QVERIFY(m_redis->start());
    m_a = std::make_unique<TestCoordinator>(m_redis->port());
    m_b = std::make_unique<TestCoordinator>(m_redis->port());
    QVERIFY(m_a->started() && m_b->started());
}

void TestTableListService::cleanup()
{
    m_a.reset();
    m_b.reset();
    m_redis.reset();
}

void TestTableListService::everyCoordinatorListsEveryTable()
{
    // One table in its own process, registering with A; one in this process with B.
    const quint16 outsidePort = freePort();
    QProcess outside;
    outside.setProgram(builtProgram(QStringLiteral("gloopdash-server")));
    outside.setArguments({QStringLiteral("--port"), QString::number(outsidePort), QStringLiteral("--listen"),
                          QStringLiteral("127.0.0.1"), QStringLiteral("--name"), QStringLiteral("Ann\u202E|s table"),
                          QStringLiteral("--register"), m_a->url()});
    outside.setStandardOutputFile(QProcess::nullDevice());
    outside.start();
    auto inside = inProcessTable(QStringLiteral("Bob"), m_b->url());
    QVERIFY(inside);
    for (const TestCoordinator* list : {m_a.get(), m_b.get()}) {
        QVERIFY(waitUntil([&] { return list->get().json().value(QStringLiteral("total")).toInt() == 2; }, 10000));
        QCOMPARE(row(*list, outsidePort).value(QStringLiteral("name")).toString(), QStringLiteral("Ann¦s table"));
        QCOMPARE(row(*list, inside->port()).value(QStringLiteral("address")).toString(), QStringLiteral("127.0.0.1"));
    }

    // A player sits down: the list hears of it within two seconds.
    WireClient player;
    QVERIFY(player.login(inside->port(), "Cy"));
    QElapsedTimer sat;
    sat.start();
    QVERIFY(waitUntil([&] { return row(*m_a, inside->port()).value(QStringLiteral("players")).toInt() == 1; }));
    QVERIFY2(sat.elapsed() < 2500, qPrintable(QString::number(sat.elapsed())));
    // Fullest first.
    QCOMPARE(
        m_a->get().json().value(QStringLiteral("tables")).toArray().first().toObject().value(QStringLiteral("port")),
        inside->port());

    // A table that stops takes itself off at once, and ends normally.
    QElapsedTimer stopping;
    stopping.start();
    ::kill(pid_t(outside.processId()), SIGTERM);
    QVERIFY(outside.waitForFinished(5000));
    QCOMPARE(outside.exitCode(), 0);
    QVERIFY(stopping.elapsed() < 3000);
    QVERIFY(row(*m_b, outsidePort).isEmpty());
    QCOMPARE(m_b->get().json().value(QStringLiteral("total")).toInt(), 1);
}

void TestTableListService::refusesWhatItCannotList_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<int>("status");
    const quint16 nobody = freePort();
    QTest::newRow("not JSON") << QByteArray("POST") << QByteArray("{port: 1") << QByteArray() << 400;
    QTest::newRow("wrong type") << QByteArray(
        "POST") << registration(nobody, "s3cret-s3cret-s3cret").replace("\"players\": 1", "\"players\": \"1\"")
                                << QByteArray() << 400;
    QTest::newRow("over 16 KiB") << QByteArray("POST") << QByteArray(17 * 1024, ' ') << QByteArray() << 413;
    QTest::newRow("nothing answers there")
        << QByteArray("POST") << registration(nobody, "s3cret-s3cret-s3cret") << QByteArray() << 422;
    QTest::newRow("delete without secret")
        << QByteArray("DELETE") << QByteArray("{\"port\": 7772}") << QByteArray() << 400;
    QTest::newRow("delete of a table not listed")
        << QByteArray("DELETE") << QByteArray("{\"port\": 7772, \"secret\": \"0123456789abcdef\"}") << QByteArray()
        << 204;
    QTest::newRow("limit too high") << QByteArray("GET") << QByteArray() << QByteArray("?limit=1001") << 400;
    QTest::newRow("unknown state") << QByteArray("GET") << QByteArray() << QByteArray("?state=over") << 400;
    QTest::newRow("filtered") << QByteArray("GET") << QByteArray() << QByteArray("?state=playing&version=1.0") << 200;
}

void TestTableListService::refusesWhatItCannotList()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, query);
    QFETCH(int, status);
    const TestCoordinator::Answer answer = method == "POST" ? m_a->post(body)
        : method == "DELETE"                                ? m_a->remove(body)
                                                            : m_a->get(query.toStdString());
    QCOMPARE(answer.status, status);
    if (status == 422)
        QCOMPARE(m_b->get().json().value(QStringLiteral("total")).toInt(), 0);
}

void TestTableListService::keepsAnotherTablesEntry()
{
    auto table = inProcessTable(QStringLiteral("Dee"), m_a->url());
    QVERIFY(table);
    QVERIFY(waitUntil([&] { return table->registrar()->listed(); }));
    // Another sender at the same address and port, with its own secret.
    QCOMPARE(m_b->post(registration(table->port(), "not-the-tables-secret")).status, 403);
    const QByteArray removal =
        QJsonDocument(QJsonObject{{QStringLiteral("port"), table->port()},
                                  {QStringLiteral("secret"), QStringLiteral("guessed-guessed-guessed")}})
            .toJson();
    QCOMPARE(m_b->remove(removal).status, 403);
    QCOMPARE(row(*m_a, table->port()).value(QStringLiteral("name")).toString(), QStringLiteral("Dee"));
}

void TestTableListService::limitsPostsFromOneAddress()
{
    const QByteArray body = registration(freePort(), "s3cret-s3cret-s3cret");
    int refused = 0;
    int unreachable = 0;
    for (int i = 0; i < 40; ++i) {
        const int status = m_a->post(body).status;
        refused += status == 429 ? 1 : 0;
        unreachable += status == 422 ? 1 : 0;
    }
    QVERIFY2(refused >= 10 && refused + unreachable == 40, qPrintable(QString::number(refused)));
    // Another coordinator keeps its own count.
    QCOMPARE(m_b->post(body).status, 422);
}

void TestTableListService::forgetsTablesThatStoppedRefreshing()
{
    auto table = inProcessTable(QStringLiteral("Eve"), m_a->url());
    QVERIFY(table);
    QVERIFY(waitUntil([&] { return table->registrar()->listed(); }));
    const QString id = row(*m_a, table->port()).value(QStringLiteral("id")).toString();
    // The table dies without a word; its entry's minute is made a second.
    table.reset();
    RedisLink redis({"127.0.0.1", m_redis->port()}, std::chrono::milliseconds(1000));
    const RedisReply shortened = redis.command({"EXPIRE", "gd:table:" + id.toStdString(), "1"});
    QVERIFY(shortened && shortened->type == REDIS_REPLY_INTEGER && shortened->integer == 1);
    QTest::qWait(1500);
    for (const std::string query : {"", "?state=waiting", "?version=" GD_VERSION_TEXT}) {
        const QJsonObject list = m_b->get(query).json();
        QCOMPARE(list.value(QStringLiteral("total")).toInt(), 0);
        QVERIFY(list.value(QStringLiteral("tables")).toArray().isEmpty());
    }
}

void TestTableListService::answers503WithoutRedisAndRecovers()
{
    auto table = inProcessTable(QStringLiteral("Flo"), m_a->url());
    QVERIFY(table);
    QVERIFY(waitUntil([&] { return table->registrar()->listed(); }));
    m_redis->kill();
    for (const TestCoordinator* list : {m_a.get(), m_b.get()}) {
        QElapsedTimer answered;
        answered.start();
        QCOMPARE(list->get().status, 503);
        QCOMPARE(list->post(registration(freePort(), "s3cret-s3cret-s3cret")).status, 503);
        QVERIFY(answered.elapsed() < 2000);
    }
    // Redis comes back empty; the next refresh carries the whole entry again.
    QVERIFY(m_redis->start());
    QCOMPARE(m_b->get().json().value(QStringLiteral("total")).toInt(), 0);
    WireClient player;
    QVERIFY(player.login(table->port(), "Gus"));
    QVERIFY(waitUntil([&] { return row(*m_b, table->port()).value(QStringLiteral("players")).toInt() == 1; }));
}

void TestTableListService::hostingCopyListsItsTableWhileItHosts()
{
    FixedHostOptions host;
    ServerThread hosting(host);
    const QUrl list(m_b->url());
    hosting.setCompanion(
        [list](Server& server) { return std::make_unique<HostedListing>(server, list, QStringLiteral("Hana")); });
    QVERIFY(!hosting.start(0));
    const quint16 port = hosting.port();
    QVERIFY(waitUntil([&] { return row(*m_a, port).value(QStringLiteral("name")) == QStringLiteral("Hana"); }));
    WireClient player;
    QVERIFY(player.login(port, "Ivo"));
    QVERIFY(waitUntil([&] { return row(*m_a, port).value(QStringLiteral("players")).toInt() == 1; }));
    // Hosting ends: the entry goes with it.
    hosting.stop();
    QVERIFY(row(*m_a, port).isEmpty());
}

void TestTableListService::tableKeepsTryingUntilTheListAnswers()
{
    const quint16 later = freePort();
    auto table = inProcessTable(QStringLiteral("Jo"), QStringLiteral("http://127.0.0.1:%1").arg(later));
    QVERIFY(table);
    QSignalSpy answers(table->registrar(), &TableRegistrar::answered);
    QVERIFY(answers.wait(5000));
    QCOMPARE(answers.first().first().toBool(), false);
    // The table plays on meanwhile.
    WireClient player;
    QVERIFY(player.login(table->port(), "Kim"));
    TestCoordinator arrived(m_redis->port(), later);
    QVERIFY(arrived.started());
    QVERIFY(waitUntil([&] { return table->registrar()->listed(); }, 10000));
    QCOMPARE(row(arrived, table->port()).value(QStringLiteral("players")).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestTableListService)
#include "test_table_list_service.moc"
