#include "server/host_options.h"
#include "server/server.h"

#include "wire_client.h"

#include <QTest>
#include <memory>

namespace {
using Client = std::unique_ptr<WireClient>;

QByteArray hostIs(int slot)
{
    return "CMD_host+" + QByteArray::number(slot) + '+';
}
} // namespace

// Who may start games and remove players at a table without a player of its
// own, and what the table tells its players about it.
class HostPowersTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void longestSeatedPersonHoldsPowers();
    void newLoginReplacesItsGhost();
    void closingTableSaysGoodbye();

private:
    Client join(const QByteArray& name);

    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
};

void HostPowersTest::init()
{
    m_server = std::make_unique<Server>(m_host, 0);
    m_server->setHostRule(HostPowers::Rule::LongestSeated);
    m_server->listen();
    m_server->table().Timer1().setRealTime(false);
}

Client HostPowersTest::join(const QByteArray& name)
{
    auto client = std::make_unique<WireClient>();
    if (!client->login(m_server->port(), name))
        return nullptr;
    return client;
}

void HostPowersTest::longestSeatedPersonHoldsPowers()
{
    // A probe takes slot 1 and never logs in; a bot sits down before anyone.
    WireClient probe;
    QVERIFY(probe.connectTo(m_server->port()));
    QCOMPARE(probe.next(), QByteArray("CMD_sendlogininfo+1"));
    Client bot = join("Bot Cy");
    QVERIFY(bot);
    QCOMPARE(bot->nextOf("CMD_host"), hostIs(0));
    Client ann = join("Ann");
    QVERIFY(ann);
    QCOMPARE(ann->slot, 3);
    QCOMPARE(ann->nextOf("CMD_host"), hostIs(3));
    QCOMPARE(bot->nextOf("CMD_host"), hostIs(3));
    Client bob = join("Bob");
    QVERIFY(bob);
    QCOMPARE(bob->nextOf("CMD_host"), hostIs(3));

    // Only the holder removes players or restarts a running game.
    bob->send("CMD_kickhim+4+2+");
    bob->send("CMD_chat+4+before");
    QCOMPARE(bob->nextOf("CMD_chat"), QByteArray("CMD_chat+4+Bob chats: before"));
    QVERIFY(m_server->game().players.connected(2));
    ann->send("CMD_startgame+Ann+1+");
    QVERIFY(!ann->nextOf("CMD_setnntile").isEmpty());
    bob->send("CMD_startgame+Bob+2+");
    bob->send("CMD_chat+4+after");
    QCOMPARE(ann->nextOf({"CMD_startgame", "CMD_chat"}), QByteArray("CMD_chat+4+Bob chats: after"));
    ann->send("CMD_kickhim+3+2+");
    QVERIFY(bot->waitClosed());

    // The next-longest-seated person takes over when the holder leaves.
    ann->close();
    QCOMPARE(bob->nextOf("CMD_host"), hostIs(4));
    QCOMPARE(m_server->hostSlot(), 4);
    bob->send("CMD_startgame+Bob+2+");
    QCOMPARE(bob->nextOf("CMD_startgame"), QByteArray("CMD_startgame+Bob+2+6+"));
}

void HostPowersTest::newLoginReplacesItsGhost()
{
    Client ann = join("Ann"), bob = join("Bob");
    QVERIFY(ann && bob);
    ann->send("CMD_startgame+Ann+1+");
    QVERIFY(!bob->nextOf("CMD_setnntile").isEmpty());
    m_server->game().players[1].total = 120;

    // Ann's link died without a word; she comes back from the same address.
    ann->stopReading();
    WireClient again;
    QVERIFY(again.login(m_server->port(), "ann"));
    QCOMPARE(again.slot, 3);
    QVERIFY(ann->waitClosed());
    QCOMPARE(m_server->game().players[3].name, QByteArray("ann"));
    QCOMPARE(m_server->game().players[3].total, 120);
    // The game so far reaches the returning window at once.
    QCOMPARE(again.nextOf("CMD_loadstats"), QByteArray("CMD_loadstats+1+"));
    QVERIFY(again.nextOf("CMD_postscores").contains("+2+0+0+3+120+0+4+0+0+"));
    // Her place as the longest seated comes back with her.
    QCOMPARE(bob->nextOf("CMD_host"), hostIs(3));
    QCOMPARE(bob->nextOf("CMD_playerdisconnected"), QByteArray("CMD_playerdisconnected+1+Ann"));
    QCOMPARE(m_server->hostSlot(), 3);
}

void HostPowersTest::closingTableSaysGoodbye()
{
    Client ann = join("Ann");
    QVERIFY(ann);
    WireClient silent;
    QVERIFY(silent.connectTo(m_server->port()));
    m_server->closeTable();
    for (WireClient* c : {ann.get(), &silent}) {
        QCOMPARE(c->nextOf("CMD_closing"), QByteArray("CMD_closing+"));
        QVERIFY(c->waitClosed());
    }
}

QTEST_GUILESS_MAIN(HostPowersTest)
#include "test_host_powers.moc"
