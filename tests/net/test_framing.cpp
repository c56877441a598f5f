#include "net/field_reader.h"
#include "net/message.h"
#include "net/message_splitter.h"

#include <QtTest>

class TestFraming : public QObject {
    Q_OBJECT
private slots:
    void splitsReads_data();
    void splitsReads();
    void dropsAnOverlongTail();
    void searchesADribbledMessageOnce();
    void resumesAfterBeingCutShort();
    void parsesCommandWords_data();
    void parsesCommandWords();
    void readsFields();
    void readsIntegers_data();
    void readsIntegers();
    void buildsMessages();
};

static QByteArray ff(const char* text)
{
    QByteArray b(text);
    b.replace('|', char(0xFF));
    return b;
}

void TestFraming::splitsReads_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QByteArray>>("messages");
    QTest::addColumn<QByteArray>("pending");
    QTest::newRow("two in one read") << QList<QByteArray>{ff("CMD_a+1|CMD_b+2|")}
                                     << QList<QByteArray>{"CMD_a+1", "CMD_b+2"} << QByteArray();
    QTest::newRow("split over two reads")
        << QList<QByteArray>{ff("CMD_chat+2+he"), ff("llo|")} << QList<QByteArray>{"CMD_chat+2+hello"} << QByteArray();
    QTest::newRow("tail waits") << QList<QByteArray>{ff("CMD_a+|CMD_b")} << QList<QByteArray>{"CMD_a+"}
                                << QByteArray("CMD_b");
    QTest::newRow("empty messages kept for the dispatcher to ignore")
        << QList<QByteArray>{ff("||")} << QList<QByteArray>{"", ""} << QByteArray();
    QTest::newRow("terminator split alone")
        << QList<QByteArray>{ff("CMD_full+"), ff("|")} << QList<QByteArray>{"CMD_full+"} << QByteArray();
    QTest::newRow("utf-8 text passes whole")
        << QList<QByteArray>{QByteArray("CMD_chat+1+\xc3\xa9t\xc3\xa9") + char(0xFF)}
        << QList<QByteArray>{QByteArray("CMD_chat+1+\xc3\xa9t\xc3\xa9")} << QByteArray();
}

void TestFraming::splitsReads()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, messages);
    QFETCH(QByteArray, pending);
    MessageSplitter splitter;
    QList<QByteArray> got;
    for (const QByteArray& read : reads)
        got += splitter.feed(read);
    QCOMPARE(got, messages);
    QCOMPARE(splitter.pending(), pending);
    QVERIFY(!splitter.overflowed());
}

void TestFraming::dropsAnOverlongTail()
{
    // A pasted chat text far longer than any game message still gets through.
    MessageSplitter roomy;
    const QByteArray longChat = "CMD_chat+1+" + QByteArray(200 * 1024, 'a');
    QCOMPARE(roomy.feed(longChat.left(100000)).size(), 0);
    QCOMPARE(roomy.feed(longChat.mid(100000) + char(0xFF)), QList<QByteArray>{longChat});
    QVERIFY(!roomy.overflowed());

    MessageSplitter splitter(16);
    QCOMPARE(splitter.feed(ff("CMD_a+|")).size(), 1);
    QVERIFY(splitter.feed(QByteArray(17, 'x')).isEmpty());
    QVERIFY(splitter.overflowed());
    QVERIFY(splitter.pending().isEmpty());
}

void TestFraming::searchesADribbledMessageOnce()
{
    // Nearly the longest message, 16 bytes a read: searching the whole tail
    // again on every read would take seconds.
    const QByteArray message = "CMD_chat+1+" + QByteArray(MessageSplitter::DefaultCap - 16, 'a');
    MessageSplitter splitter;
    QElapsedTimer t;
    t.start();
    for (qsizetype at = 0; at < message.size(); at += 16)
        QVERIFY(splitter.feed(message.mid(at, 16)).isEmpty());
    QCOMPARE(splitter.feed(ff("|CMD_a+")), QList<QByteArray>{message});
    QVERIFY2(t.elapsed() < 300, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(splitter.pending(), QByteArray("CMD_a+"));
}

void TestFraming::resumesAfterBeingCutShort()
{
    MessageSplitter splitter;
    QList<QByteArray> got;
    QVERIFY(!splitter.feedEach(ff("CMD_a+|CMD_b+|CMD_c"), [&got](const QByteArray& m) {
        got << m;
        return false;
    }));
    // The message left behind is still found when more bytes come.
    QCOMPARE(splitter.feed(ff("+|")), (QList<QByteArray>{"CMD_b+", "CMD_c+"}));
    QCOMPARE(got, QList<QByteArray>{"CMD_a+"});
}

void TestFraming::parsesCommandWords_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("no fields") << QByteArray("CMD_full+") << QByteArray("CMD_full") << QByteArray();
    QTest::newRow("no plus") << QByteArray("CMD_full") << QByteArray() << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("first plus only") << QByteArray("CMD_postscores+1+0+0") << QByteArray("CMD_postscores")
                                     << QByteArray("1+0+0");
    QTest::newRow("list payload") << QByteArray("CMD_settiles+0+0+3") << QByteArray("CMD_settiles")
                                  << QByteArray("0+0+3");
}

void TestFraming::parsesCommandWords()
{
    QFETCH(QByteArray, message);
    const CommandLine line = CommandLine::parse(message);
    QTEST(line.command, "command");
    QTEST(line.payload, "payload");
}

void TestFraming::readsFields()
{
    FieldReader f("2+Ann chats: a+b");
    QCOMPARE(f.next(), QByteArray("2"));
    QCOMPARE(f.rest(), QByteArray("Ann chats: a+b"));
    QVERIFY(f.atEnd());

    // A missing field reads as empty and leaves the remainder as it was.
    FieldReader g("4+0");
    QCOMPARE(g.next(), QByteArray("4"));
    QCOMPARE(g.next(), QByteArray());
    QCOMPARE(g.remainder(), QByteArray("0"));
    QCOMPARE(g.last(), QByteArray("0"));

    FieldReader h("1+2+");
    QCOMPARE(h.nextInt(), std::optional<int>(1));
    QCOMPARE(h.last(), QByteArray("2"));
    QCOMPARE(h.remainder(), QByteArray());
}

void TestFraming::readsIntegers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("negative") << QByteArray("-1") << true << -1;
    QTest::newRow("score") << QByteArray("250") << true << 250;
    QTest::newRow("max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("min") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("too big") << QByteArray("2147483648") << false << 0;
    QTest::newRow("huge") << QByteArray("99999999999") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("minus only") << QByteArray("-") << false << 0;
    QTest::newRow("letters") << QByteArray("x") << false << 0;
    QTest::newRow("plus sign") << QByteArray("+3") << false << 0;
    QTest::newRow("blank") << QByteArray(" 3") << false << 0;
    QTest::newRow("hex") << QByteArray("$1F") << false << 0;
}

void TestFraming::readsIntegers()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int> got = FieldReader::toInt(text);
    QCOMPARE(got.has_value(), valid);
    if (valid)
        QCOMPARE(*got, value);
}

void TestFraming::buildsMessages()
{
    QCOMPARE(Message("CMD_full").field("").bytes(), ff("CMD_full+|"));
    QCOMPARE(Message("CMD_removetile").field(2).field(4).field(0).field(3).field(60).field(30).field(410).bytes(),
             ff("CMD_removetile+2+4+0+3+60+30+410|"));
    QCOMPARE(Message("CMD_settiles").raw("+0+0+3+0+1+5").bytes(), ff("CMD_settiles+0+0+3+0+1+5|"));
    QCOMPARE(Message("CMD_startgame").field("Ann").field(1).field(3).field("").bytes(), ff("CMD_startgame+Ann+1+3+|"));
}

QTEST_APPLESS_MAIN(TestFraming)
#include "test_framing.moc"
