#include "raw_http_server.h"
#include "side/core/thttpcli.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

class TestHttpDownload : public QObject {
    Q_OBJECT
private slots:
    void streamsBodyWithNotifications();
    void abortEndsRunningDownload();
};

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        data[i] = char((i * 7 + i / 251) & 0xff);
    return data;
}

} // namespace

void TestHttpDownload::streamsBodyWithNotifications()
{
    RawHttpServer server;
    const QByteArray body = pattern(300000);
    server.setReply(
        {.head = "HTTP/1.0 200 OK\r\nServer: stand-in\r\nContent-Type: application/octet-stream\r\n", .body = body});
    THttpCli client;
    QStringList events;
    QList<qint64> progress;
    connect(&client, &THttpCli::OnHeaderData, this, [&](const QByteArray&) { events << "header"; });
    connect(&client, &THttpCli::OnDocBegin, this, [&] { events << "begin"; });
    connect(&client, &THttpCli::OnDocData, this, [&](qint64 n) {
        events << "data";
        progress << n;
    });
    QSignalSpy done(&client, &THttpCli::OnRequestDone);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    client.URL = server.url("/lobby/mklsetup.exe");
    QVERIFY(client.Get(&sink));
    QVERIFY(done.wait(10000));

    QCOMPARE(done.first().at(0).toBool(), true);
    QCOMPARE(done.first().at(1).toInt(), 200);
    QCOMPARE(sink.data(), body);
    // Status line and four header lines, then the body begins, then progress.
    QCOMPARE(events.mid(0, 6), QStringList({"header", "header", "header", "header", "begin", "data"}));
    QCOMPARE(events.count("begin"), 1);
    QVERIFY(std::is_sorted(progress.begin(), progress.end()));
    QCOMPARE(progress.last(), qint64(body.size()));

    const QByteArray expected = "GET /lobby/mklsetup.exe HTTP/1.0\r\n"
                                "Host: "
        + server.host().toLatin1()
        + "\r\n"
          "User-Agent: Mozilla/3.0 (compatible)\r\n"
          "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
          "\r\n";
    QCOMPARE(server.requests().value(0), expected);
}

void TestHttpDownload::abortEndsRunningDownload()
{
    RawHttpServer server;
    server.setReply({.body = pattern(1000000), .sendFirst = 20000});
    THttpCli client;
    QList<qint64> progress;
    connect(&client, &THttpCli::OnDocData, this, [&](qint64 n) { progress << n; });
    QSignalSpy done(&client, &THttpCli::OnRequestDone);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    client.URL = server.url("/lobby/mklsetup.exe");
    QVERIFY(client.Get(&sink));
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last() == 20000, 10000);

    client.Abort();
    QVERIFY(done.wait(10000));
    const qsizetype progressAtAbort = progress.size();
    QCOMPARE(done.first().at(0).toBool(), false);
    QCOMPARE(done.first().at(1).toInt(), THttpCli::AbortedStatus);
    QCOMPARE(done.first().at(2).toString(), THttpCli::AbortedReason);
    server.releaseRest();
    QCoreApplication::processEvents();
    QCOMPARE(progress.size(), progressAtAbort);
    QCOMPARE(sink.size(), 20000);
}

QTEST_GUILESS_MAIN(TestHttpDownload)
#include "test_http_download.moc"
