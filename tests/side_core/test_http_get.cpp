#include "raw_http_server.h"
#include "side/core/score_post.h"
#include "side/core/thttpget.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

class TestHttpGet : public QObject {
    Q_OBJECT
private slots:
    void splitsUrl_data();
    void splitsUrl();
    void sendsExactRequest_data();
    void sendsExactRequest();
    void deliversBodyOnOwnerThread();
    void dropsRequestWhileBusy();
    void onlyWholeNonEmptyBodyCounts_data();
    void onlyWholeNonEmptyBodyCounts();
    void destroyingStopsRunningRequest();
};

void TestHttpGet::splitsUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("target");

    QTest::newRow("plain") << "http://www.example.com/counter/gloop.shtml" << true << QByteArray("www.example.com")
                           << 80 << QByteArray("/counter/gloop.shtml");
    QTest::newRow("scheme in capitals") << "HTTP://Example.com/a?b=c" << true << QByteArray("Example.com") << 80
                                        << QByteArray("/a?b=c");
    QTest::newRow("no scheme") << "example.com/x" << true << QByteArray("example.com") << 80 << QByteArray("/x");
    QTest::newRow("no path") << "http://example.com" << true << QByteArray("example.com") << 80 << QByteArray("/");
    QTest::newRow("port") << "http://127.0.0.1:8080/cgi-bin/gloop.cgi?name=Ann" << true << QByteArray("127.0.0.1")
                          << 8080 << QByteArray("/cgi-bin/gloop.cgi?name=Ann");
    QTest::newRow("ipv6") << "http://[::1]:8080/p" << true << QByteArray("::1") << 8080 << QByteArray("/p");
    // "http://" later in the text is part of the target, not a prefix to strip.
    QTest::newRow("scheme inside target") << "example.com/go?to=http://other/" << true << QByteArray("example.com")
                                          << 80 << QByteArray("/go?to=http://other/");
    QTest::newRow("empty") << "" << false << QByteArray() << 80 << QByteArray("/");
    QTest::newRow("empty host") << "http:///path" << false << QByteArray() << 80 << QByteArray("/path");
    QTest::newRow("port zero") << "http://h:0/" << false << QByteArray() << 80 << QByteArray("/");
    QTest::newRow("port too big") << "http://h:65536/" << false << QByteArray() << 80 << QByteArray("/");
    QTest::newRow("blank in host") << "http://ex ample.com/" << false << QByteArray() << 80 << QByteArray("/");
    QTest::newRow("blank in target") << "http://h/a b" << false << QByteArray() << 80 << QByteArray("/a b");
}

void TestHttpGet::splitsUrl()
{
    QFETCH(QString, url);
    QFETCH(bool, valid);
    const THTTPGet::Address a = THTTPGet::splitUrl(url);
    QCOMPARE(a.valid, valid);
    if (!valid)
        return;
    QFETCH(QByteArray, host);
    QFETCH(int, port);
    QFETCH(QByteArray, target);
    QCOMPARE(a.host, host);
    QCOMPARE(int(a.port), port);
    QCOMPARE(a.target, target);
}

void TestHttpGet::sendsExactRequest_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("score page") << "/counter/gloop.shtml";
    QTest::newRow("score post") << ScorePost::target(1, "Ann", "3/7/05", "52340");
    QTest::newRow("odd name") << ScorePost::target(2, "A+b=c?<>\"'{}|\\^`~!", "3/7/05", "20000");
    QTest::newRow("blank and accents") << ScorePost::target(1, "Zoë Ann #1", "3/7/05", "50000");
}

void TestHttpGet::sendsExactRequest()
{
    QFETCH(QString, target);
    RawHttpServer server;
    server.setReply({.body = "<html>ok</html>"});
    THTTPGet getter;
    QSignalSpy done(&getter, &THTTPGet::OnDoneString);
    getter.URL = server.url(target);
    QVERIFY(getter.GetString());
    QVERIFY(done.wait(10000));

    QCOMPARE(server.requests().size(), 1);
    const QByteArray expected = "GET " + target.toLatin1()
        + " HTTP/1.0\r\n"
          "Host: "
        + server.host().toLatin1()
        + "\r\n"
          "User-Agent: UtilMind HTTPGet\r\n"
          "Accept: */*\r\n"
          "Pragma: no-cache\r\n"
          "Cache-Control: no-cache\r\n"
          "\r\n";
    QCOMPARE(server.requests().first(), expected);
}

void TestHttpGet::deliversBodyOnOwnerThread()
{
    RawHttpServer server;
    const QString page = QStringLiteral("<p>Grüße, Ann: 52340</p>");
    server.setReply({.body = page.toUtf8()});
    THTTPGet getter;
    QThread* deliveredOn = nullptr;
    QString text;
    connect(&getter, &THTTPGet::OnDoneString, this, [&](const QString& t) {
        deliveredOn = QThread::currentThread();
        text = t;
    });
    getter.URL = server.url("/counter/gloop.shtml");
    QVERIFY(getter.GetString());
    QTRY_VERIFY_WITH_TIMEOUT(deliveredOn != nullptr, 10000);
    QCOMPARE(deliveredOn, thread());
    QCOMPARE(text, page);
    QVERIFY(!getter.busy());
}

void TestHttpGet::dropsRequestWhileBusy()
{
    RawHttpServer server;
    server.setReply({.body = "<p>first</p>", .sendFirst = 3});
    THTTPGet getter;
    QSignalSpy done(&getter, &THTTPGet::OnDoneString);
    getter.URL = server.url("/first");
    QVERIFY(getter.GetString());
    QTRY_VERIFY_WITH_TIMEOUT(server.holding(), 10000);

    getter.URL = server.url("/second");
    QVERIFY(!getter.GetString());
    QVERIFY(getter.busy());
    server.releaseRest();
    QVERIFY(done.wait(10000));
    QCOMPARE(done.first().first().toString(), QStringLiteral("<p>first</p>"));
    QCOMPARE(server.requests().size(), 1);

    // Free again once the answer is in.
    server.setReply({.body = "<p>third</p>"});
    getter.URL = server.url("/third");
    QVERIFY(getter.GetString());
    QVERIFY(done.wait(10000));
    QCOMPARE(done.last().first().toString(), QStringLiteral("<p>third</p>"));
}

void TestHttpGet::onlyWholeNonEmptyBodyCounts_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("announce");
    QTest::addColumn<bool>("answer");
    const QByteArray ok = "HTTP/1.0 200 OK\r\n";
    QTest::newRow("page") << ok << QByteArray("<p>list</p>") << true << true;
    QTest::newRow("no length announced") << ok << QByteArray("<p>list</p>") << false << true;
    QTest::newRow("error page with body")
        << QByteArray("HTTP/1.0 404 Not Found\r\n") << QByteArray("<p>no such page</p>") << true << true;
    QTest::newRow("empty body") << ok << QByteArray() << true << false;
    QTest::newRow("cut short") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n") << QByteArray(40, 'x')
                               << false << false;
    QTest::newRow("bigger than allowed") << ok << QByteArray(THTTPGet::MaxBody + 1, 'x') << true << false;
    QTest::newRow("nobody listening") << QByteArray() << QByteArray() << true << false;
}

void TestHttpGet::onlyWholeNonEmptyBodyCounts()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, body);
    QFETCH(bool, announce);
    QFETCH(bool, answer);
    auto server = std::make_unique<RawHttpServer>();
    server->setReply({.head = head, .body = body, .announceLength = announce});
    const QString url = server->url("/page");
    if (head.isEmpty())
        server.reset(); // nobody listens on that port any more

    THTTPGet getter;
    QSignalSpy done(&getter, &THTTPGet::OnDoneString);
    QSignalSpy error(&getter, &THTTPGet::OnError);
    getter.URL = url;
    QVERIFY(getter.GetString());
    QVERIFY(QTest::qWaitFor([&] { return !getter.busy(); }, 20000));
    QCOMPARE(done.size(), answer ? 1 : 0);
    QCOMPARE(error.size(), answer ? 0 : 1);
    if (answer)
        QCOMPARE(done.first().first().toString().toUtf8(), body);
}

void TestHttpGet::destroyingStopsRunningRequest()
{
    RawHttpServer server;
    server.setReply({.body = QByteArray(1000, 'x'), .sendFirst = 10});
    auto getter = std::make_unique<THTTPGet>();
    getter->URL = server.url("/slow");
    QVERIFY(getter->GetString());
    QTRY_VERIFY_WITH_TIMEOUT(server.holding(), 10000);
    // Must return although the server never finishes, and leave nothing behind
    // that could reach the destroyed getter (the sanitizers watch for that).
    getter.reset();
    server.releaseRest();
    QCoreApplication::processEvents();
    QVERIFY(!server.holding());
}

QTEST_GUILESS_MAIN(TestHttpGet)
#include "test_http_get.moc"
