#include "client/core/internet_table_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {
QJsonObject row(const QString& id, int players)
{
    TableListing t;
    t.id = id;
    t.address = QStringLiteral("192.0.2.5");
    t.port = 7772;
    t.name = QStringLiteral("Table ") + id;
    t.players = players;
    t.version = QStringLiteral("1.0.12");
    t.updated = 1700000000;
    return t.rowJson();
}

QByteArray answer(const QJsonArray& rows, int total)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("tables"), rows}, {QStringLiteral("total"), total}}).toJson();
}
} // namespace

// The game browser's source of internet tables, fed answers by hand.
class TestInternetTableList : public QObject {
    Q_OBJECT
private slots:
    void asksWhileOpen();
    void readsAnswers_data();
    void readsAnswers();
    void takesTheListFromTheEnvironment();
};

void TestInternetTableList::asksWhileOpen()
{
    InternetTableList list(QStringLiteral("http://127.0.0.1:8090/"));
    QStringList asked;
    list.setFetch([&asked](const QString& url) { asked << url; });
    list.open();
    QCOMPARE(asked, QStringList{QStringLiteral("http://127.0.0.1:8090/v1/tables?limit=200")});
    QVERIFY(list.isOpen());
    list.close();
    QVERIFY(!list.isOpen());
    // No list configured: nothing is asked.
    InternetTableList none{QString()};
    none.setFetch([&asked](const QString& url) { asked << url; });
    none.open();
    QCOMPARE(asked.size(), 1);
}

void TestInternetTableList::readsAnswers_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("failed");
    const QJsonArray two{row(QStringLiteral("a"), 3), row(QStringLiteral("b"), 1)};
    QTest::newRow("two tables") << true << answer(two, 2) << 2 << false;
    QTest::newRow("empty") << true << answer({}, 0) << 0 << false;
    QJsonObject broken = row(QStringLiteral("c"), 2);
    broken.insert(QStringLiteral("players"), 99);
    QTest::newRow("a malformed row left out") << true << answer(QJsonArray{two[0], broken, 7}, 3) << 1 << false;
    QTest::newRow("not JSON") << true << QByteArray("<html>") << 0 << true;
    QTest::newRow("no tables") << true << QByteArray("{\"total\": 5}") << 0 << true;
    QTest::newRow("request failed") << false << QByteArray() << 0 << true;
    QJsonArray many;
    for (int i = 0; i < InternetTableList::MaxRows + 50; ++i)
        many.append(row(QString::number(i), 1));
    QTest::newRow("capped") << true << answer(many, 10000) << int(InternetTableList::MaxRows) << false;
}

void TestInternetTableList::readsAnswers()
{
    QFETCH(bool, ok);
    QFETCH(QByteArray, body);
    QFETCH(int, rows);
    QFETCH(bool, failed);
    InternetTableList list(QStringLiteral("http://127.0.0.1:8090"));
    list.received(true, answer(QJsonArray{row(QStringLiteral("old"), 2)}, 1));
    QSignalSpy changed(&list, &InternetTableList::tablesChanged);
    QSignalSpy failure(&list, &InternetTableList::failed);
    list.received(ok, body);
    QCOMPARE(failure.size(), failed ? 1 : 0);
    QCOMPARE(changed.size(), failed ? 0 : 1);
    // A failed request keeps the last list on show.
    QCOMPARE(list.tables().size(), failed ? 1 : rows);
    if (!failed && rows > 0)
        QCOMPARE(list.tables().first().port, quint16(7772));
}

void TestInternetTableList::takesTheListFromTheEnvironment()
{
    qputenv("GLOOPDASH_COORDINATOR", "http://127.0.0.1:9999");
    QCOMPARE(InternetTableList::defaultCoordinator(), QStringLiteral("http://127.0.0.1:9999"));
    qunsetenv("GLOOPDASH_COORDINATOR");
    QVERIFY(InternetTableList::defaultCoordinator().startsWith(QStringLiteral("http")));
}

QTEST_GUILESS_MAIN(TestInternetTableList)
#include "test_internet_table_list.moc"
