#include "gd_version.h"
#include "net/text_limits.h"
#include "server/host_options.h"
#include "server/server.h"

#include "net/game_random.h"
#include "net/memory_sock.h"
#include "net/message.h"
#include "net/protocol_to_server.h"
#include "wire_client.h"

#include <QTest>
#include <array>
#include <memory>
#include <vector>

namespace {
using Client = std::unique_ptr<WireClient>;

// Pairs each client's read with a closing message from the same connection, so
// "nothing happened" is seen as "the next thing to arrive is the closing message".
QByteArray ping(const WireClient& c)
{
    return "CMD_chat+" + QByteArray::number(c.slot) + "+ping";
}

// Reads every client up to a chat line sent by the last of them, so that what
// the server sent before (logins, announcements) has been read by all.
bool settle(const QList<WireClient*>& clients)
{
    WireClient* last = clients.last();
    last->send("CMD_chat+" + QByteArray::number(last->slot) + "+settle");
    for (WireClient* c : clients)
        if (!c->nextOf("CMD_chat").endsWith(" chats: settle"))
            return false;
    return true;
}
} // namespace

class ServerSessionsTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void refusesTenthConnection();
    void announcesLogin();
    void kicks_data();
    void kicks();
    void relays_data();
    void relays();
    void cutsLongTexts_data();
    void cutsLongTexts();
    void seatsDistinctNames_data();
    void seatsDistinctNames();
    void dropsSpoofedAndMalformed_data();
    void dropsSpoofedAndMalformed();
    void closesFloodingConnection();
    void hearsLeaverToTheEnd_data();
    void hearsLeaverToTheEnd();
    void playsRoundOverSockets();
    void relaysOnlyWhatClientsTake_data();
    void relaysOnlyWhatClientsTake();
    void closesSquatters_data();
    void closesSquatters();
    void servesMemoryPeersAsNetworkOnes_data();
    void servesMemoryPeersAsNetworkOnes();
    void resetsForTheNextGame_data();
    void resetsForTheNextGame();

private:
    Client join(const QByteArray& name, const QByteArray& version = GD_VERSION_TEXT);
    // Starts a standard game from the first client and reads up to each client's deal.
    void startGame(const std::vector<WireClient*>& clients);

    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
};

void ServerSessionsTest::init()
{
    m_server = std::make_unique<Server>(m_host, 0);
    m_server->listen();
    m_server->table().Timer1().setRealTime(false);
    QVERIFY(m_server->port() != 0);
}

Client ServerSessionsTest::join(const QByteArray& name, const QByteArray& version)
{
    auto client = std::make_unique<WireClient>();
    if (!client->login(m_server->port(), name, version))
        return nullptr;
    return client;
}

void ServerSessionsTest::startGame(const std::vector<WireClient*>& clients)
{
    clients.front()->send("CMD_startgame+Host+1+");
    for (WireClient* c : clients)
        QVERIFY(!c->nextOf("CMD_setnntile").isEmpty());
}

void ServerSessionsTest::refusesTenthConnection()
{
    std::vector<Client> nine;
    for (int i = 1; i <= 9; ++i) {
        nine.push_back(std::make_unique<WireClient>());
        QVERIFY(nine.back()->connectTo(m_server->port()));
        QCOMPARE(nine.back()->next(), "CMD_sendlogininfo+" + QByteArray::number(i));
    }
    WireClient tenth;
    QVERIFY(tenth.connectTo(m_server->port()));
    QCOMPARE(tenth.next(), QByteArray("CMD_full+"));
    QVERIFY(tenth.waitClosed());
    nine[8]->send("CMD_logininfo+9+" GD_VERSION_TEXT "+Nina");
    for (const Client& c : nine) {
        QVERIFY(c->isOpen());
        QCOMPARE(c->nextOf("CMD_newplayerinfo"), QByteArray("CMD_newplayerinfo+9+Nina"));
    }
}

void ServerSessionsTest::announcesLogin()
{
    Client a = join("Ann"), b = join("B+b"), c = join("Cy"), d = join("Dee");
    QVERIFY(a && b && c && d);
    b->close();
    c->close();
    for (WireClient* seen : {a.get(), d.get()}) {
        QCOMPARE(seen->nextOf("CMD_playerdisconnected"), QByteArray("CMD_playerdisconnected+2+B+b"));
        QCOMPARE(seen->nextOf("CMD_playerdisconnected"), QByteArray("CMD_playerdisconnected+3+Cy"));
    }
    // Into the lowest free slot, with an older version: a warning only.
    WireClient e;
    QVERIFY(e.login(m_server->port(), "Eve", "1.0.11"));
    QCOMPARE(e.slot, 2);
    QCOMPARE(e.next(), QByteArray("CMD_existingplayers+1+Ann"));
    QCOMPARE(e.next(), QByteArray("CMD_existingplayers+4+Dee"));
    QCOMPARE(e.next(), QByteArray("CMD_wrongversion+"));
    QCOMPARE(a->next(), QByteArray("CMD_newplayerinfo+2+Eve"));
    QCOMPARE(a->next(), QByteArray("CMD_havewrongversion+Eve"));
    QCOMPARE(d->next(), QByteArray("CMD_newplayerinfo+2+Eve"));
    e.send(ping(e));
    QCOMPARE(d->next(), QByteArray("CMD_chat+2+Eve chats: ping"));
}

void ServerSessionsTest::kicks_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("kicked"); // 0: nobody

    QTest::newRow("host removes a player") << 1 << QByteArray("CMD_kickhim+1+2+") << 2;
    QTest::newRow("host removes another seat") << 1 << QByteArray("CMD_kickhim+1+3+") << 3;
    QTest::newRow("only the host may remove") << 3 << QByteArray("CMD_kickhim+3+2+") << 0;
    QTest::newRow("requester spoofed as host") << 2 << QByteArray("CMD_kickhim+1+3+") << 0;
    QTest::newRow("target past the slots") << 1 << QByteArray("CMD_kickhim+1+10+") << 0;
    QTest::newRow("target zero") << 1 << QByteArray("CMD_kickhim+1+0+") << 0;
    QTest::newRow("target not a number") << 1 << QByteArray("CMD_kickhim+1+two+") << 0;
    QTest::newRow("target past 32 bits") << 1 << QByteArray("CMD_kickhim+1+4294967298+") << 0;
}

void ServerSessionsTest::kicks()
{
    QFETCH(int, sender);
    QFETCH(QByteArray, message);
    QFETCH(int, kicked);

    std::vector<Client> clients;
    for (const char* name : {"Host", "Bob", "Cy"})
        clients.push_back(join(name));
    QVERIFY(settle({clients[0].get(), clients[1].get(), clients[2].get()}));
    WireClient& from = *clients[size_t(sender - 1)];
    from.send(message);
    from.send(ping(from));
    const QByteArray pingRelay = CommandLine::parse(ping(from)).command; // "CMD_chat"
    QByteArray first = clients[0]->next();
    if (kicked) {
        const QByteArray name = kicked == 2 ? "Bob" : "Cy";
        QCOMPARE(first, "CMD_playerdisconnected+" + QByteArray::number(kicked) + '+' + name);
        // The removed player is told why, just before the connection ends.
        QCOMPARE(clients[size_t(kicked - 1)]->nextOf("CMD_kicked"), QByteArray("CMD_kicked+"));
        QVERIFY(clients[size_t(kicked - 1)]->waitClosed());
        first = clients[0]->next();
    }
    QCOMPARE(CommandLine::parse(first).command, pingRelay);
    QCOMPARE(m_server->game().players.connected(2), kicked != 2);
    QCOMPARE(m_server->game().players.connected(3), kicked != 3);
}

void ServerSessionsTest::relays_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("relayed");

    QTest::newRow("chat with plus") << QByteArray("CMD_chat+2+a+b|Red") << QByteArray("CMD_chat+2+Ann chats: a+b|Red");
    QTest::newRow("action") << QByteArray("CMD_action+2+waves+hi|$00FF0000")
                            << QByteArray("CMD_action+2+Ann waves+hi|$00FF0000");
    QTest::newRow("phrase") << QByteArray("CMD_phrase+2+ says: Hello!|Blue")
                            << QByteArray("CMD_phrase+Ann  says: Hello!|Blue");
    QTest::newRow("chatter sound") << QByteArray("CMD_playasound+2+wave5+") << QByteArray("CMD_playasound+2+wave5+");
    QTest::newRow("utf-8 text") << QByteArray("CMD_chat+2+h\xc3\xa9+")
                                << QByteArray("CMD_chat+2+Ann chats: h\xc3\xa9+");
    // Invisible characters go, as from names: none may reverse or break the line.
    QTest::newRow("chat with a direction override") << QByteArray("CMD_chat+2+ab\xe2\x80\xae"
                                                                  "cd|Red")
                                                    << QByteArray("CMD_chat+2+Ann chats: abcd|Red");
    QTest::newRow("action with a line break and a control")
        << QByteArray("CMD_action+2+wa\xe2\x80\xa8ves\x1b|clRed") << QByteArray("CMD_action+2+Ann waves|clRed");
    QTest::newRow("phrase with isolates") << QByteArray("CMD_phrase+2+ says: \xe2\x81\xa7Hi\xe2\x81\xa9|Blue")
                                          << QByteArray("CMD_phrase+Ann  says: Hi|Blue");
}

void ServerSessionsTest::relays()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, relayed);

    Client host = join("Host"), ann = join("Ann"), cy = join("Cy");
    QVERIFY(host && ann && cy);
    QVERIFY(settle({host.get(), ann.get(), cy.get()}));
    ann->send(message);
    for (WireClient* c : {host.get(), ann.get(), cy.get()})
        QCOMPARE(c->nextOf(CommandLine::parse(relayed).command), relayed);
}

void ServerSessionsTest::cutsLongTexts_data()
{
    QTest::addColumn<QByteArray>("message"); // from Ann, slot 2
    QTest::addColumn<QByteArray>("relayed");

    const QByteArray a399(399, 'a');
    const QByteArray smile = "\xf0\x9f\x98\x80"; // two units: does not fit the last place
    const QByteArray e = "\xc3\xa9"; // one unit: fits
    QTest::newRow("chat at the limit") << "CMD_chat+2+" + a399 + "b|clRed"
                                       << "CMD_chat+2+Ann chats: " + a399 + "b|clRed";
    QTest::newRow("chat past it keeps its colour") << "CMD_chat+2+" + a399 + "bc|$00FF0000"
                                                   << "CMD_chat+2+Ann chats: " + a399 + "b|$00FF0000";
    QTest::newRow("never half a character") << "CMD_chat+2+" + a399 + smile + "|clRed"
                                            << "CMD_chat+2+Ann chats: " + a399 + "|clRed";
    QTest::newRow("two bytes, one character") << "CMD_chat+2+" + a399 + e + e << "CMD_chat+2+Ann chats: " + a399 + e;
    QTest::newRow("without a colour") << "CMD_chat+2+" + QByteArray(500, 'x')
                                      << "CMD_chat+2+Ann chats: " + QByteArray(400, 'x');
    QTest::newRow("action") << "CMD_action+2+" + QByteArray(401, 'w') + "|clBlue"
                            << "CMD_action+2+Ann " + QByteArray(400, 'w') + "|clBlue";
    QTest::newRow("phrase") << "CMD_phrase+2+ says: " + QByteArray(60, 'p') + "|clBlue"
                            << "CMD_phrase+Ann  says: " + QByteArray(50, 'p') + "|clBlue";
    QTest::newRow("phrase without its says")
        << "CMD_phrase+2+" + QByteArray(60, 'p') << "CMD_phrase+Ann " + QByteArray(50, 'p');
}

void ServerSessionsTest::cutsLongTexts()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, relayed);

    Client host = join("Host"), ann = join("Ann");
    QVERIFY(host && ann);
    QVERIFY(settle({host.get(), ann.get()}));
    ann->send(message);
    for (WireClient* c : {host.get(), ann.get()})
        QCOMPARE(c->nextOf(CommandLine::parse(relayed).command), relayed);
}

void ServerSessionsTest::seatsDistinctNames_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("seated"); // Vic, "Vic 2" and 24 "V"s are already there

    QTest::newRow("a name nobody has") << QByteArray("Ann") << QByteArray("Ann");
    QTest::newRow("a name taken") << QByteArray("Vic") << QByteArray("Vic 3");
    QTest::newRow("taken in another case") << QByteArray("vIC") << QByteArray("vIC 3");
    QTest::newRow("empty") << QByteArray() << QByteArray("Player");
    QTest::newRow("blanks only") << QByteArray(" \t ") << QByteArray("Player");
    QTest::newRow("an empty seat's text") << QByteArray("<Waiting>") << QByteArray("Player");
    QTest::newRow("a placeholder of any kind") << QByteArray("<enter chat here>") << QByteArray("Player");
    QTest::newRow("half a placeholder") << QByteArray("<Waiting") << QByteArray("Player");
    QTest::newRow("fullwidth brackets") << QByteArray("\xef\xbc\x9cWaiting\xef\xbc\x9e") << QByteArray("Player");
    QTest::newRow("a Cyrillic look-alike") << QByteArray("V\xd1\x96"
                                                         "c")
                                           << QByteArray("V\xd1\x96"
                                                         "c 3");
    QTest::newRow("look-alike digits and case") << QByteArray("VIC \xef\xbc\x92") << QByteArray("VIC \xef\xbc\x92 2");
    QTest::newRow("a name that fakes a speech") << QByteArray("Vic chats: I cheat") << QByteArray("Vic chats I cheat");
    QTest::newRow("a fullwidth colon") << QByteArray("Al\xef\xbc\x9a") << QByteArray("Al");
    QTest::newRow("stacked marks") << "Z" + QByteArray("\xcc\x81").repeated(10) + "oe"
                                   << "Z" + QByteArray("\xcc\x81").repeated(2) + "oe";
    // The colon goes, and the marks on either side of it then sit on one letter.
    QTest::newRow("marks joined where a colon was")
        << "Z" + QByteArray("\xcc\x81").repeated(2) + ":" + QByteArray("\xcc\x81").repeated(2) + "oe"
        << "Z" + QByteArray("\xcc\x81").repeated(2) + "oe";
    QTest::newRow("right-to-left override") << QByteArray("Ev\xe2\x80\xaeil") << QByteArray("Evil");
    QTest::newRow("isolates and marks") << QByteArray("\xe2\x81\xa6Vi\xe2\x80\x8f"
                                                      "c\xe2\x81\xa9")
                                        << QByteArray("Vic 3");
    QTest::newRow("zero-width space") << QByteArray("V\xe2\x80\x8bic") << QByteArray("Vic 3");
    QTest::newRow("controls") << QByteArray("A\x01"
                                            "B\x1b"
                                            "[31m\x7f\xc2\x9b")
                              << QByteArray("AB[31m");
    QTest::newRow("line break") << QByteArray("Ann\xe2\x80\xa8Vic") << QByteArray("AnnVic");
    QTest::newRow("blanks folded") << QByteArray("  Ann   Lee ") << QByteArray("Ann Lee");
    QTest::newRow("a bar cannot start the colour") << QByteArray("a|clRed")
                                                   << QByteArray("a\xc2\xa6"
                                                                 "clRed");
    QTest::newRow("plus kept") << QByteArray("B+b") << QByteArray("B+b");
    QTest::newRow("cut to a row") << QByteArray(30, 'n') << QByteArray(24, 'n');
    QTest::newRow("cut, then numbered") << QByteArray(30, 'v') << QByteArray(22, 'v') + " 2";
}

void ServerSessionsTest::seatsDistinctNames()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, seated);

    Client vic = join("Vic"), vic2 = join("Vic 2"), longName = join(QByteArray(24, 'V'));
    QVERIFY(vic && vic2 && longName);
    // From another address: a name seated from the newcomer's own address
    // would be taken for its earlier connection coming back.
    WireClient newcomer;
    newcomer.from = QStringLiteral("127.0.0.2");
    QVERIFY(newcomer.connectTo(m_server->port()));
    QCOMPARE(newcomer.nextOf("CMD_sendlogininfo"), QByteArray("CMD_sendlogininfo+4"));
    newcomer.send("CMD_logininfo+4+" GD_VERSION_TEXT "+" + typed);
    // Everybody, the newcomer included, sees the name it sits under.
    const QByteArray announced = "CMD_newplayerinfo+4+" + seated;
    QCOMPARE(newcomer.nextOf("CMD_newplayerinfo"), announced);
    QCOMPARE(vic->nextOf("CMD_newplayerinfo"), QByteArray("CMD_newplayerinfo+2+Vic 2"));
    QCOMPARE(vic->nextOf("CMD_newplayerinfo"), "CMD_newplayerinfo+3+" + QByteArray(24, 'V'));
    QCOMPARE(vic->nextOf("CMD_newplayerinfo"), announced);
    // The sender's own colour is the first "|" a client finds.
    newcomer.send("CMD_chat+4+hi|clBlue");
    QCOMPARE(vic->nextOf("CMD_chat"), "CMD_chat+4+" + seated + " chats: hi|clBlue");
    // One login per connection: a second cannot change the name.
    newcomer.send("CMD_logininfo+4+" GD_VERSION_TEXT "+Other");
    newcomer.send("CMD_chat+4+again");
    QCOMPARE(vic->nextOf("CMD_chat"), "CMD_chat+4+" + seated + " chats: again");
}

void ServerSessionsTest::dropsSpoofedAndMalformed_data()
{
    QTest::addColumn<QByteArray>("message"); // sent by Ann, slot 2, during a game
    QTest::addColumn<QByteArray>("reply"); // what Ann hears before her next chat line

    const QList<const char*> dropped = {"CMD_chat+1+x",
                                        "CMD_action+3+x",
                                        "CMD_phrase+1+ says: x",
                                        "CMD_playasound+1+wave1+",
                                        "CMD_logininfo+1+" GD_VERSION_TEXT "+Evil",
                                        "CMD_selecttile+1+0+0",
                                        "CMD_chat+two+x",
                                        "CMD_chat+4294967298+x",
                                        "CMD_chat+2",
                                        "CMD_justwatch+7+1",
                                        "CMD_justwatch+0+2",
                                        "CMD_selecttile+2+x+0",
                                        "CMD_selecttile+2+0+2147483648",
                                        "CMD_unknown+2",
                                        "CMD_chat",
                                        ""};
    for (const char* message : dropped)
        QTest::newRow(*message ? message : "empty") << QByteArray(message) << QByteArray();
    QTest::newRow("pick off the board") << QByteArray("CMD_selecttile+2+9+0") << QByteArray("CMD_error+3");
    QTest::newRow("pick below the board") << QByteArray("CMD_selecttile+2+0+-1") << QByteArray("CMD_error+3");
}

void ServerSessionsTest::dropsSpoofedAndMalformed()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, reply);

    Client host = join("Host"), ann = join("Ann"), cy = join("Cy");
    QVERIFY(host && ann && cy);
    startGame({host.get(), ann.get(), cy.get()});
    ann->send(message);
    ann->send(ping(*ann));
    if (!reply.isEmpty())
        QCOMPARE(ann->next(), reply);
    for (WireClient* c : {host.get(), ann.get(), cy.get()})
        QCOMPARE(c->next(), QByteArray("CMD_chat+2+Ann chats: ping"));
    QCOMPARE(m_server->game().players[1].name, QByteArray("Host"));
    QCOMPARE(m_server->game().players[1].movecount, 0);
}

void ServerSessionsTest::closesFloodingConnection()
{
    Client host = join("Host"), ann = join("Ann");
    QVERIFY(host && ann);
    QVERIFY(settle({host.get(), ann.get()}));
    m_server->socktimer().setManual(true);
    QByteArray burst;
    for (int i = 0; i < Server::FloodLimit; ++i)
        burst += "CMD_chat+2+spam" + QByteArray(1, MessageSplitter::Terminator);
    ann->sendRaw(burst);
    QTRY_COMPARE(m_server->socktimer().queued(), Server::FloodLimit);
    QVERIFY(m_server->game().players.connected(2));

    ann->send("CMD_chat+2+one too many");
    QVERIFY(ann->waitClosed());
    // What the flood left in the queue is not heard: only the departure waits.
    QTRY_COMPARE(m_server->socktimer().queued(), 1);
    QVERIFY(m_server->socktimer().dispatchOne());
    QVERIFY(!m_server->game().players.connected(2));
    QCOMPARE(host->next(), QByteArray("CMD_playerdisconnected+2+Ann"));
    m_server->socktimer().setManual(false);
    host->send(ping(*host));
    QCOMPARE(host->next(), QByteArray("CMD_chat+1+Host chats: ping"));
}

void ServerSessionsTest::hearsLeaverToTheEnd_data()
{
    QTest::addColumn<bool>("hard");
    QTest::newRow("close") << false;
    QTest::newRow("reset") << true;
}

void ServerSessionsTest::hearsLeaverToTheEnd()
{
    QFETCH(bool, hard);
    Client host = join("Host"), ann = join("Ann");
    QVERIFY(host && ann);
    QVERIFY(settle({host.get(), ann.get()}));
    m_server->socktimer().setManual(true);
    WireClient ghost;
    QVERIFY(ghost.connectTo(m_server->port()));
    QCOMPARE(ghost.next(), QByteArray("CMD_sendlogininfo+3"));
    ghost.send("CMD_logininfo+3+" GD_VERSION_TEXT "+Ghost");
    ghost.close();
    QTRY_COMPARE(m_server->socktimer().queued(), 2);
    ann->send("CMD_chat+2+gg bye");
    hard ? ann->abort() : ann->close();
    // Each leaver's messages, then its departure.
    QTRY_COMPARE(m_server->socktimer().queued(), 4);
    // Until then the seat is still the leaver's: a newcomer gets another.
    WireClient gus;
    QVERIFY(gus.connectTo(m_server->port()));
    QCOMPARE(gus.next(), QByteArray("CMD_sendlogininfo+4"));
    while (m_server->socktimer().dispatchOne()) { }
    QCOMPARE(host->next(), QByteArray("CMD_newplayerinfo+3+Ghost"));
    QCOMPARE(host->next(), QByteArray("CMD_chat+2+Ann chats: gg bye"));
    QCOMPARE(host->next(), QByteArray("CMD_playerdisconnected+3+Ghost"));
    QCOMPARE(host->next(), QByteArray("CMD_playerdisconnected+2+Ann"));
    QVERIFY(!m_server->game().players.connected(2) && !m_server->game().players.connected(3));
    m_server->socktimer().setManual(false);
    host->send(ping(*host));
    QCOMPARE(host->next(), QByteArray("CMD_chat+1+Host chats: ping"));
}

void ServerSessionsTest::playsRoundOverSockets()
{
    Client host = join("Host"), ann = join("Ann");
    QVERIFY(host && ann);
    QVERIFY(settle({host.get(), ann.get()}));
    host->send("CMD_startgame+Host+1+");
    QCOMPARE(ann->next(), QByteArray("CMD_startgame+Host+1+3+"));
    QCOMPARE(ann->next(), QByteArray("CMD_nextplayer+1+2"));
    for (const char* command : {"CMD_settiles", "CMD_setbonus", "CMD_setnexttile", "CMD_setnntile"})
        QCOMPARE(CommandLine::parse(ann->next()).command, QByteArray(command));

    GameTable& table = m_server->table();
    for (int i = 0; i < 93; ++i)
        table.Timer1Timer();
    QCOMPARE(ann->next(), QByteArray("CMD_turnover+2+0+0+3"));
    QCOMPARE(ann->next(), QByteArray("CMD_postscores+1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0"));

    // A newcomer in the pause learns the game's mode, then plays from the next round.
    WireClient cy;
    QVERIFY(cy.login(m_server->port(), "Cy"));
    QCOMPARE(cy.nextOf("CMD_loadstats"), QByteArray("CMD_loadstats+1+"));
    // ... and the standings so far, in the form a round's end posts them.
    QCOMPARE(cy.next(), QByteArray("CMD_postscores+1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0"));
    for (int i = 0; i < 41; ++i)
        table.Timer1Timer();
    QCOMPARE(cy.next(), QByteArray("CMD_nextplayer+2+3"));
    QCOMPARE(CommandLine::parse(cy.next()).command, QByteArray("CMD_settiles"));
}

void ServerSessionsTest::relaysOnlyWhatClientsTake_data()
{
    QTest::addColumn<int>("nameBytes");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("textBytes");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QByteArray>("relay");

    // Together they pass every reader's send cap, which must not cut anyone;
    // the relays are cut to what the table allows.
    const QByteArray line400 = QByteArray(TextLimits::Chat, 'x');
    QTest::newRow("two long lines at once")
        << 3 << QByteArray("CMD_chat") << 1000000 << 2 << "CMD_chat+2+nnn chats: " + line400;
    QTest::newRow("the longest line a client may send")
        << 3 << QByteArray("CMD_chat") << 1048560 << 1 << "CMD_chat+2+nnn chats: " + line400;
    QTest::newRow("a long name and a long line")
        << 300000 << QByteArray("CMD_chat") << 800000 << 1
        << "CMD_chat+2+" + QByteArray(TextLimits::Name, 'n') + " chats: " + line400;
    QTest::newRow("a long chatter sound") << 3 << QByteArray("CMD_playasound") << 1048560 << 1 << QByteArray();
}

void ServerSessionsTest::relaysOnlyWhatClientsTake()
{
    QFETCH(int, nameBytes);
    QFETCH(QByteArray, command);
    QFETCH(int, textBytes);
    QFETCH(int, messages);
    QFETCH(QByteArray, relay);
    Client host = join("Host"), ann = join(QByteArray(nameBytes, 'n')), cy = join("Cy");
    QVERIFY(host && ann && cy);
    QVERIFY(settle({host.get(), ann.get(), cy.get()}));
    m_server->socktimer().setManual(true);
    for (int i = 0; i < messages; ++i)
        ann->send(command + "+2+" + QByteArray(textBytes, 'x'));
    QTRY_COMPARE(m_server->waiting(2), messages);
    while (m_server->socktimer().dispatchOne()) { }
    // Nobody is cut off; what is relayed is what the table allows, and a
    // chatter sound that is no sound is not relayed at all.
    for (WireClient* c : {host.get(), ann.get(), cy.get()})
        for (int i = 0; i < messages && !relay.isEmpty(); ++i)
            QCOMPARE(c->nextOf(command), relay);
    m_server->socktimer().setManual(false);
    cy->send(ping(*cy));
    QCOMPARE(host->nextOf("CMD_chat"), QByteArray("CMD_chat+3+Cy chats: ping"));
    QCOMPARE(cy->nextOf("CMD_chat"), QByteArray("CMD_chat+3+Cy chats: ping"));
}

void ServerSessionsTest::closesSquatters_data()
{
    QTest::addColumn<QByteArray>("login");
    QTest::addColumn<QByteArray>("unfinished");
    QTest::addColumn<bool>("closed");

    QTest::newRow("never logs in") << QByteArray() << QByteArray() << true;
    QTest::newRow("half a login") << QByteArray() << QByteArray("CMD_logininfo+2+1.0") << true;
    QTest::newRow("half a chat line") << QByteArray("CMD_logininfo+2+" GD_VERSION_TEXT "+Sam")
                                      << QByteArray("CMD_chat+2+ha") << true;
    QTest::newRow("logged in and quiet") << QByteArray("CMD_logininfo+2+" GD_VERSION_TEXT "+Sam") << QByteArray()
                                         << false;
}

void ServerSessionsTest::closesSquatters()
{
    QFETCH(QByteArray, login);
    QFETCH(QByteArray, unfinished);
    QFETCH(bool, closed);
    constexpr int limit = 300;
    m_server->setIdleLimit(limit);
    Client host = join("Host");
    QVERIFY(host);
    WireClient sam;
    QVERIFY(sam.connectTo(m_server->port()));
    QCOMPARE(sam.next(), QByteArray("CMD_sendlogininfo+2"));
    if (!login.isEmpty())
        sam.send(login);
    sam.sendRaw(unfinished);
    if (!closed) {
        QTest::qWait(3 * limit);
        QVERIFY(sam.isOpen());
        QVERIFY(m_server->game().players.connected(2));
        return;
    }
    QVERIFY(sam.waitClosed());
    QVERIFY(host->nextOf("CMD_playerdisconnected").startsWith("CMD_playerdisconnected+2+"));
    // The slot is free for a player again.
    WireClient next;
    QVERIFY(next.connectTo(m_server->port()));
    QCOMPARE(next.next(), QByteArray("CMD_sendlogininfo+2"));
}

void ServerSessionsTest::servesMemoryPeersAsNetworkOnes_data()
{
    QTest::addColumn<QByteArrayList>("script"); // the host's messages; an empty one hangs up
    QTest::addColumn<QByteArray>("last"); // the last command Bob is sent
    QTest::newRow("chat and action") << QByteArrayList{"CMD_chat+1+hi", "CMD_action+1+waves"}
                                     << QByteArray("CMD_action");
    QTest::newRow("game start") << QByteArrayList{"CMD_startgame+Host+1+"} << QByteArray("CMD_setnntile");
    QTest::newRow("kick") << QByteArrayList{"CMD_kickhim+1+2+"} << QByteArray("CMD_kicked");
    QTest::newRow("host hangs up") << QByteArrayList{"CMD_chat+1+bye", ""} << QByteArray("CMD_playerdisconnected");
}

// The fuzz harness drives the server through in-memory connections: what a
// peer is sent, and whether it stays connected, must be what a network peer sees.
void ServerSessionsTest::servesMemoryPeersAsNetworkOnes()
{
    QFETCH(QByteArrayList, script);
    QFETCH(QByteArray, last);
    Client host = join("Host"), bob = join("Bob");
    QVERIFY(host && bob);
    QVERIFY(!bob->nextOf("CMD_existingplayers").isEmpty());
    GameRandom::seed(7);
    for (const QByteArray& m : script)
        m.isEmpty() ? host->close() : host->send(m);
    QByteArrayList overNetwork;
    while (overNetwork.isEmpty() || CommandLine::parse(overNetwork.back()).command != last)
        overNetwork.append(bob->next());

    Server server(m_host, 0);
    server.socktimer().setManual(true);
    const auto drain = [&server] {
        while (server.socktimer().dispatchOne())
            QCoreApplication::sendPostedEvents();
    };
    std::array<MemorySock*, 2> peers{};
    for (int slot : {1, 2}) {
        auto sock = std::make_unique<MemorySock>();
        peers[size_t(slot - 1)] = sock.get();
        QCOMPARE(server.takeConnection(std::move(sock)), slot);
        peers[size_t(slot - 1)]->peerSends(
            ToServer::LoginInfo{slot, GD_VERSION_TEXT, slot == 1 ? "Host" : "Bob"}.bytes());
        drain();
    }
    peers[1]->takeSent();
    GameRandom::seed(7);
    for (const QByteArray& m : script) {
        m.isEmpty() ? peers[0]->peerCloses() : peers[0]->peerSends(m + MessageSplitter::Terminator);
        drain();
    }
    QCOMPARE(MessageSplitter(0).feed(peers[1]->sent()), overNetwork);
    QCOMPARE(peers[1]->open(), last != "CMD_kicked");
    QCOMPARE(bob->waitClosed(last == "CMD_kicked" ? 5000 : 0), last == "CMD_kicked");
}

namespace {
// A server on in-memory connections whose queue is served by hand.
struct MemoryTable {
    FixedHostOptions host;
    Server server{host, 0};
    std::array<MemorySock*, 3> peers{};

    MemoryTable() { server.socktimer().setManual(true); }
    void drain()
    {
        while (server.socktimer().dispatchOne())
            QCoreApplication::sendPostedEvents();
    }
    // Connects and logs in; false unless the peer gets `slot`.
    bool seat(int slot, const QByteArray& name)
    {
        auto sock = std::make_unique<MemorySock>();
        peers[size_t(slot)] = sock.get();
        if (server.takeConnection(std::move(sock)) != slot)
            return false;
        peers[size_t(slot)]->peerSends(ToServer::LoginInfo{slot, host.versionText(), name}.bytes());
        drain();
        return true;
    }
    // The host tries every cell in turn, once.
    void pickAll()
    {
        for (int x = 0; x < Table::BoardSize; ++x)
            for (int y = 0; y < Table::BoardSize; ++y)
                peers[1]->peerSends(ToServer::SelectTile{1, x, y}.bytes());
        drain();
    }
    // What Bob (slot 2) is sent over a standard game's first round, started by
    // the host, played by its picks and ended by the clock.
    QByteArray firstRound()
    {
        peers[2]->takeSent();
        GameRandom::seed(7);
        peers[1]->peerSends(Message("CMD_startgame").field("Host").field(1).field("").bytes());
        pickAll();
        server.game().countdown = 0;
        server.table().Timer1Timer();
        return peers[2]->takeSent();
    }
};
} // namespace

void ServerSessionsTest::resetsForTheNextGame_data()
{
    QTest::addColumn<QByteArrayList>("script"); // the host's messages; an empty one hangs up
    QTest::newRow("chat, no game") << QByteArrayList{"CMD_chat+1+hi"};
    // "*" stands for the host trying every cell.
    QTest::newRow("classic round played") << QByteArrayList{"CMD_startgame+Host+2+", "*", "CMD_justwatch+2+1"};
    QTest::newRow("host left mid-game") << QByteArrayList{"CMD_startgame+Host+1+", "*", ""};
    QTest::newRow("bob removed") << QByteArrayList{"CMD_startgame+Host+1+", "*", "CMD_kickhim+1+2+"};
}

// One server hosts game after game: once reset, the next host and game see
// exactly what a new server shows them, whatever the last game left behind.
void ServerSessionsTest::resetsForTheNextGame()
{
    QFETCH(QByteArrayList, script);
    MemoryTable fresh;
    QVERIFY(fresh.seat(1, "Host") && fresh.seat(2, "Bob"));
    const QByteArray expected = fresh.firstRound();

    MemoryTable reused;
    QVERIFY(reused.seat(1, "Host") && reused.seat(2, "Bob"));
    GameRandom::seed(3);
    for (const QByteArray& m : script) {
        if (m == "*")
            reused.pickAll();
        else
            m.isEmpty() ? reused.peers[1]->peerCloses() : reused.peers[1]->peerSends(m + MessageSplitter::Terminator);
        reused.drain();
    }
    reused.peers[1]->peerCloses();
    // The host's departure waits in the queue: nothing may be reset under it.
    QCOMPARE(reused.server.reset(), !reused.server.game().players.connected(1));
    reused.drain();
    QVERIFY(reused.server.reset());
    QVERIFY(!reused.server.game().gamerunning);
    QVERIFY(reused.seat(1, "Host"));
    if (!reused.server.game().players.loggedin(2))
        QVERIFY(reused.seat(2, "Bob"));
    QCOMPARE(reused.firstRound(), expected);
}

QTEST_GUILESS_MAIN(ServerSessionsTest)
#include "test_server_sessions.moc"
