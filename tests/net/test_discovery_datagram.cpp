#include "net/discovery_datagram.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestDiscoveryDatagram : public QObject {
    Q_OBJECT
private slots:
    void readsQueries_data();
    void readsQueries();
    void answersRoundTrip();
    void neverAnswersLongerThanTheQuery_data();
    void neverAnswersLongerThanTheQuery();
    void refusesBadAnswers_data();
    void refusesBadAnswers();
};

static TableAnnouncement sampleTable()
{
    TableAnnouncement t;
    t.version = QStringLiteral("1.4.0");
    t.id = QStringLiteral("0123456789abcdef");
    t.name = QStringLiteral("Zoë's table");
    t.port = 7772;
    t.players = 4;
    t.watchers = 1;
    t.bots = 2;
    t.state = QStringLiteral("playing");
    t.mode = QStringLiteral("classic");
    t.mission = 2;
    t.missions = 6;
    return t;
}

void TestDiscoveryDatagram::readsQueries_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QByteArray>("token");
    const QByteArray p = DiscoveryDatagram::queryPrefix();
    const auto pad = [](QByteArray b, qsizetype to = DiscoveryDatagram::QueryMinBytes) {
        return b.leftJustified(to, 'x');
    };
    QTest::newRow("shortest token, exactly 256") << pad(p + "a\xff") << QByteArray("a");
    QTest::newRow("64-character token") << pad(p + QByteArray(64, 'k') + '\xff') << QByteArray(64, 'k');
    QTest::newRow("padding with 0xff and +") << pad(p + "t-1\xff+\xff", 300) << QByteArray("t-1");
    QTest::newRow("spaces are printable") << pad(p + "a b\xff") << QByteArray("a b");
    QTest::newRow("255 bytes") << pad(p + "a\xff", 255) << QByteArray();
    QTest::newRow("empty token") << pad(p + "\xff") << QByteArray();
    QTest::newRow("65-character token") << pad(p + QByteArray(65, 'k') + '\xff') << QByteArray();
    QTest::newRow("no end of token") << QByteArray(p + QByteArray(300, 'k')) << QByteArray();
    QTest::newRow("plus in token") << pad(p + "a+b\xff") << QByteArray();
    QTest::newRow("control character") << pad(p + "a\nb\xff") << QByteArray();
    QTest::newRow("non-ASCII token") << pad(p + "\xc3\xa9\xff") << QByteArray();
    QTest::newRow("other version") << pad("GLOOPDASH?2+a\xff") << QByteArray();
    QTest::newRow("an answer") << pad(DiscoveryDatagram::answerPrefix() + "a\xff") << QByteArray();
    QTest::newRow("built by query()") << DiscoveryDatagram::query("s-3") << QByteArray("s-3");
}

void TestDiscoveryDatagram::readsQueries()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QByteArray, token);
    QCOMPARE(DiscoveryDatagram::readQuery(datagram).value_or(QByteArray()), token);
}

void TestDiscoveryDatagram::answersRoundTrip()
{
    const TableAnnouncement t = sampleTable();
    const auto answer = DiscoveryDatagram::answer("tok", t, DiscoveryDatagram::QueryBytes);
    QVERIFY(answer);
    QVERIFY(answer->startsWith("GLOOPDASH!1+tok+{"));
    const QJsonObject o = QJsonDocument::fromJson(answer->mid(16)).object();
    QCOMPARE(o.value(QStringLiteral("game")).toString(), QStringLiteral("gloopdash"));
    QCOMPARE(o.value(QStringLiteral("seats")).toInt(), 6);
    QCOMPARE(o.value(QStringLiteral("mode")).toString(), QStringLiteral("classic"));
    const auto read = DiscoveryDatagram::readAnswer(*answer);
    QVERIFY(read);
    QCOMPARE(read->token, QByteArray("tok"));
    QCOMPARE(read->table, t);
}

void TestDiscoveryDatagram::neverAnswersLongerThanTheQuery_data()
{
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("tokenLength");
    QTest::addColumn<int>("queryBytes");
    QTest::newRow("short name, smallest query") << 4 << 8 << 256;
    QTest::newRow("long token, smallest query") << 4 << 64 << 256;
    QTest::newRow("longest name of multi-byte letters") << 24 << 64 << 256;
    QTest::newRow("longest name, the browser's query") << 24 << 64 << 512;
}

void TestDiscoveryDatagram::neverAnswersLongerThanTheQuery()
{
    QFETCH(int, nameLength);
    QFETCH(int, tokenLength);
    QFETCH(int, queryBytes);
    TableAnnouncement t = sampleTable();
    t.name = QString(nameLength, QChar(0x4e2d));
    const QByteArray token(tokenLength, 'q');
    const auto token2 = DiscoveryDatagram::readQuery(DiscoveryDatagram::query(token, queryBytes));
    QVERIFY(token2);
    const auto answer = DiscoveryDatagram::answer(*token2, t, queryBytes);
    if (answer)
        QVERIFY(answer->size() <= queryBytes);
    else
        QVERIFY(DiscoveryDatagram::answer(*token2, t, 100000)->size() > queryBytes);
    // The browser's own query always has room.
    QVERIFY(DiscoveryDatagram::answer(token, t, DiscoveryDatagram::QueryBytes));
}

void TestDiscoveryDatagram::refusesBadAnswers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    QTest::newRow("other game") << "game" << QJsonValue("other");
    QTest::newRow("id too short") << "id" << QJsonValue("abc123");
    QTest::newRow("id not hex") << "id" << QJsonValue("0123456789abcdeg");
    QTest::newRow("port 0") << "port" << QJsonValue(0);
    QTest::newRow("port too big") << "port" << QJsonValue(65536);
    QTest::newRow("seven players") << "players" << QJsonValue(7);
    QTest::newRow("negative watchers") << "watchers" << QJsonValue(-1);
    QTest::newRow("more bots than players") << "bots" << QJsonValue(5);
    QTest::newRow("fractional mission") << "mission" << QJsonValue(1.5);
    QTest::newRow("mission past the last") << "mission" << QJsonValue(7);
    QTest::newRow("unknown state") << "state" << QJsonValue("paused");
    QTest::newRow("unknown mode") << "mode" << QJsonValue("speed");
    QTest::newRow("name as number") << "name" << QJsonValue(5);
    QTest::newRow("overlong name") << "name" << QJsonValue(QString(65, 'n'));
    QTest::newRow("missing players") << "players" << QJsonValue(QJsonValue::Undefined);
}

void TestDiscoveryDatagram::refusesBadAnswers()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    const QByteArray good = *DiscoveryDatagram::answer("t", sampleTable(), 1000);
    QJsonObject o = QJsonDocument::fromJson(good.mid(14)).object();
    QVERIFY(!o.isEmpty());
    if (value.isUndefined())
        o.remove(key);
    else
        o.insert(key, value);
    const QByteArray bad = "GLOOPDASH!1+t+" + QJsonDocument(o).toJson(QJsonDocument::Compact);
    QVERIFY(!DiscoveryDatagram::readAnswer(bad));
    // Broken framing around a good object.
    QVERIFY(!DiscoveryDatagram::readAnswer(good.chopped(1)));
    QVERIFY(!DiscoveryDatagram::readAnswer("GLOOPDASH!1+" + good.mid(14)));
}

QTEST_APPLESS_MAIN(TestDiscoveryDatagram)
#include "test_discovery_datagram.moc"
