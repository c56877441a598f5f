#include "chat/core/chat_line.h"
#include "chat/core/colour_text.h"
#include "chat/core/link_targets.h"
#include "chat/core/outgoing_chat.h"

#include <QTest>

namespace {

// One letter per item: T text, L link, P picture; text in brackets.
QString describe(const QList<ChatItem>& items)
{
    QString out;
    for (const ChatItem& item : items) {
        switch (item.kind) {
        case ChatItem::Kind::Text: out += QStringLiteral("T[%1]").arg(item.text); break;
        case ChatItem::Kind::Link: out += QStringLiteral("L[%1]").arg(item.text); break;
        case ChatItem::Kind::Picture: out += QStringLiteral("P%1").arg(item.picture); break;
        }
    }
    return out;
}

QByteArray wire(const char* text)
{
    return QByteArray(text) + char(0xFF);
}

} // namespace

class TestChatLine : public QObject {
    Q_OBJECT
private slots:
    void cutsLines_data();
    void cutsLines();
    void splitsReceivedColour_data();
    void splitsReceivedColour();
    void barInTypedTextArrivesCutAndRed();
    void buildsOutgoingMessages_data();
    void buildsOutgoingMessages();
    void numbersLinksPastTheFirstHundred();
    void opensOnlyWebAddresses_data();
    void opensOnlyWebAddresses();
};

void TestChatLine::cutsLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("items");

    QTest::newRow("Ann's smile") << "2+Ann chats: hi :)#11" << 2 << "Ann chats:"
                                 << "T[ ]T[hi ]T[ ]P1";
    QTest::newRow("two links") << "3+Bob chats: see http://a.example/x and www.b.example" << 3 << "Bob chats:"
                               << "T[ ]T[see ]L[http://a.example/x ]T[and ]L[www.b.example ]";
    QTest::newRow("empty head") << "0+You are Connected." << 0 << ""
                                << "T[You ]T[are ]T[Connected. ]";
    QTest::newRow("smiley at line end") << "1+Al chats: hi:)#27" << 1 << "Al chats:"
                                        << "T[ ]T[hi ]P17";
    QTest::newRow("marker cut to one character") << "1+Al chats: x:)#1" << 1 << "Al chats:"
                                                 << "T[ ]T[x ]P0";
    QTest::newRow("letters as code") << "1+A: :)#abc" << 1 << "A:"
                                     << "T[ ]T[ ]P0T[c ]";
    QTest::newRow("code below range") << "1+A::)#09" << 1 << "A:"
                                      << "T[ ]P0";
    QTest::newRow("code above range") << "1+A::)#28" << 1 << "A:"
                                      << "T[ ]P0";
    QTest::newRow("two smileys") << "1+A: :)#10:)#12" << 1 << "A:"
                                 << "T[ ]T[ ]P0T[ ]P2";
    QTest::newRow("plus in text") << "2+Ann chats: a+b" << 2 << "Ann chats:"
                                  << "T[ ]T[a+b ]";
    QTest::newRow("double blank") << "0+a  b" << 0 << ""
                                  << "T[a ]T[ ]T[b ]";
    QTest::newRow("capital marker is no link") << "0+A: HTTP://X.EXAMPLE WWW.X.EXAMPLE" << 0 << "A:"
                                               << "T[ ]T[HTTP://X.EXAMPLE ]T[WWW.X.EXAMPLE ]";
    QTest::newRow("secure address needs www.") << "0+A: https://s.example https://www.s.example" << 0 << "A:"
                                               << "T[ ]T[https://s.example ]L[https://www.s.example ]";
    // Refused lines (the style the view has not): style -1.
    QTest::newRow("past last style") << "15+x" << -1 << ""
                                     << "";
    QTest::newRow("negative style") << "-1+x" << -1 << ""
                                    << "";
    QTest::newRow("head ends at first colon") << "4+Al chats: at 10:30" << 4 << "Al chats:"
                                              << "T[ ]T[at ]T[10:30 ]";
}

void TestChatLine::cutsLines()
{
    QFETCH(QString, line);
    QFETCH(int, style);
    QFETCH(QString, head);
    QFETCH(QString, items);
    // "style+text" in the table for short rows.
    const qsizetype plus = line.indexOf(QLatin1Char('+'));
    const auto parsed = ChatLineParser::parse({line.left(plus).toInt(), line.mid(plus + 1)});
    if (style < 0) {
        QVERIFY(!parsed);
        return;
    }
    QVERIFY(parsed);
    QCOMPARE(parsed->style, style);
    QCOMPARE(parsed->head, head);
    QCOMPARE(parsed->startText(), head + QLatin1Char(' '));
    QCOMPARE(describe(parsed->items), items);
}

void TestChatLine::splitsReceivedColour_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("line");
    QTest::addColumn<quint32>("chatColour");
    QTest::addColumn<quint32>("phraseColour");
    QTest::newRow("named") << "2+Ann chats: hi|clBlue"
                           << "2+Ann chats: hi" << ColourText::Blue << ColourText::Blue;
    QTest::newRow("hex") << "x|$00008000"
                         << "x" << 0x008000u << 0x008000u;
    QTest::newRow("no bar") << "2+Ann chats: hi"
                            << "2+Ann chats: hi" << ColourText::Red << ColourText::Black;
    QTest::newRow("bad colour") << "x|purpleish"
                                << "x" << ColourText::Red << ColourText::Black;
    QTest::newRow("empty colour") << "x|"
                                  << "x" << ColourText::Red << ColourText::Black;
    QTest::newRow("name and says") << "Bob says: hi|clBlue"
                                   << "Bob says: hi" << ColourText::Blue << ColourText::Blue;
}

void TestChatLine::splitsReceivedColour()
{
    QFETCH(QString, data);
    QFETCH(QString, line);
    QFETCH(quint32, chatColour);
    QFETCH(quint32, phraseColour);
    const ReceivedChat chat = ChatLineParser::splitReceived(data);
    QCOMPARE(chat.line, line);
    QCOMPARE(chat.colour, chatColour);
    const ReceivedChat phrase = ChatLineParser::splitPhrase(data);
    QCOMPARE(phrase.line, line);
    QCOMPARE(phrase.colour, phraseColour);
}

void TestChatLine::barInTypedTextArrivesCutAndRed()
{
    const auto sent = OutgoingChat::forTyped(QStringLiteral("a|b"), 2, ColourText::Blue);
    QVERIFY(sent);
    QCOMPARE(*sent, wire("CMD_chat+2+a|b|clBlue"));
    // The server relays the payload after the slot with the name in front.
    const QString relayed = QStringLiteral("2+Ann chats: ") + QString::fromUtf8(sent->mid(11).chopped(1));
    const RelayedLine chat = ChatLineParser::received(2, relayed.mid(2).toUtf8());
    QCOMPARE(chat.line, (StyledLine{2, QStringLiteral("Ann chats: a")}));
    QCOMPARE(chat.colour, ColourText::Red);
}

void TestChatLine::buildsOutgoingMessages_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("chat") << "hello" << wire("CMD_chat+3+hello|clNavy");
    QTest::newRow("chat with plus") << "a+b" << wire("CMD_chat+3+a+b|clNavy");
    QTest::newRow("action") << "/me waves" << wire("CMD_action+3+waves|clNavy");
    QTest::newRow("meow") << "/meow" << wire("CMD_action+3+w|clNavy");
    QTest::newRow("bare me") << "/me" << wire("CMD_action+3+|clNavy");
    QTest::newRow("who") << "/who" << QByteArray();
    QTest::newRow("capital ME") << "/ME waves" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("utf-8") << QString::fromUtf8("h\xC3\xA9") << wire("CMD_chat+3+h\xC3\xA9|clNavy");
}

void TestChatLine::buildsOutgoingMessages()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, message);
    const auto sent = OutgoingChat::forTyped(typed, 3, ColourText::Navy);
    QCOMPARE(sent.value_or(QByteArray()), message);
    QCOMPARE(OutgoingChat::forPhrase(QStringLiteral("Thanks!"), 7, 0x00123456),
             wire("CMD_phrase+7+ says: Thanks!|$00123456"));
}

void TestChatLine::numbersLinksPastTheFirstHundred()
{
    LinkTargets links;
    for (int i = 0; i < 150; ++i)
        QCOMPARE(links.add(QStringLiteral("www.site%1.example ").arg(i)), i);
    QCOMPARE(links.target(0), QStringLiteral("www.site0.example "));
    QCOMPARE(links.target(101), QStringLiteral("www.site101.example "));
    QCOMPARE(links.target(149), QStringLiteral("www.site149.example "));
    QCOMPARE(links.target(150), std::nullopt);
    QCOMPARE(links.target(-1), std::nullopt);
}

void TestChatLine::opensOnlyWebAddresses_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("address");
    QTest::newRow("http") << "http://a.example/x?y=1 "
                          << "http://a.example/x?y=1";
    QTest::newRow("https") << "https://www.s.example"
                           << "https://www.s.example";
    QTest::newRow("capital scheme") << "HTTPS://www.s.example"
                                    << "https://www.s.example";
    QTest::newRow("www") << "www.b.example  "
                         << "http://www.b.example";
    QTest::newRow("file") << "file:///etc/www.passwd"
                          << "";
    QTest::newRow("other scheme") << "ftp://www.x.example"
                                  << "";
    QTest::newRow("text before") << "(see:http://x.example)"
                                 << "";
    QTest::newRow("no host") << "http:// "
                             << "";
}

void TestChatLine::opensOnlyWebAddresses()
{
    QFETCH(QString, target);
    QFETCH(QString, address);
    const auto url = LinkTargets::webAddress(target);
    QCOMPARE(url ? url->toString() : QString(), address);
}

QTEST_APPLESS_MAIN(TestChatLine)
#include "test_chat_line.moc"
