// Who may sit, act and hold up the table during a game: newcomers who take a
// departed player's seat, players who come back after a drop, rounds that no
// seat still plays, and which connection may start, switch or pick.
#include "gd_version.h"
#include "support_host.h"

#include "net/game_random.h"
#include "net/message.h"

#include <QPoint>
#include <QTest>

namespace {
// What a test watches for; deals, draws and scores pass by.
const QList<QByteArray> Watched = {"CMD_startgame", "CMD_justwatching",      "CMD_chat", "CMD_removetile", "CMD_error",
                                   "CMD_kicked",    "CMD_playerdisconnected"};

QList<QByteArray> watched(const QList<QByteArray>& messages)
{
    QList<QByteArray> out;
    for (const QByteArray& m : messages)
        if (Watched.contains(CommandLine::parse(m).command))
            out.append(m);
    return out;
}
} // namespace

class TableSeatsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void takesSeatFreedDuringGame_data();
    void takesSeatFreedDuringGame();
    void roundEndsWhenNobodyPlays_data();
    void roundEndsWhenNobodyPlays();
    void onlyEntitledConnectionsAct_data();
    void onlyEntitledConnectionsAct();

private:
    void startGame(const QList<Player*>& players);
    // Round 1 with Bob scoring, then round 2 dealt; Bob's total after round 1.
    int bobScoresThenNextRound();
    // Bob's connection breaks; returns his slot once the others heard of it.
    int bobDrops();
    bool clearBoard(Player* p);

    std::unique_ptr<Host> m_host;
    Player* m_ann = nullptr;
    Player* m_bob = nullptr;
    Player* m_eve = nullptr;
};

void TableSeatsTest::init()
{
    GameRandom::seed(20240611);
    m_host = std::make_unique<Host>();
    m_ann = m_host->join("Ann");
    m_bob = m_host->join("Bob");
    m_eve = m_host->join("Eve");
    QVERIFY(m_ann && m_bob && m_eve);
}

void TableSeatsTest::cleanup()
{
    m_host.reset();
}

void TableSeatsTest::startGame(const QList<Player*>& players)
{
    players.front()->send("CMD_startgame+" + players.front()->name + "+1+");
    for (Player* p : players)
        QVERIFY(p->awaitDeal());
}

int TableSeatsTest::bobScoresThenNextRound()
{
    startGame({m_ann, m_bob, m_eve});
    for (int i = 0; i < 3; ++i)
        m_bob->pick();
    m_host->timeOut();
    m_host->timeOut();
    for (Player* p : {m_ann, m_bob, m_eve})
        if (!p->awaitDeal())
            return -1;
    return m_host->server().game().players[m_bob->slot].total;
}

int TableSeatsTest::bobDrops()
{
    const int slot = m_bob->slot;
    m_bob->abort();
    m_host->drop(m_bob);
    m_bob = nullptr;
    const QByteArray gone = "CMD_playerdisconnected+" + QByteArray::number(slot) + "+Bob";
    return m_ann->nextOf("CMD_playerdisconnected") == gone ? slot : -1;
}

bool TableSeatsTest::clearBoard(Player* p)
{
    Player::Pick last = Player::Pick::Taken;
    for (int picks = 0; picks < 36 && last == Player::Pick::Taken; ++picks)
        last = p->pick();
    return last == Player::Pick::Cleared;
}

void TableSeatsTest::takesSeatFreedDuringGame_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("rejoins"); // Bob's name in another case; Gus takes Bob's old seat first
    QTest::addColumn<int>("passersBy"); // players who come and go under names of their own before

    QTest::newRow("a newcomer starts from nothing") << QByteArray("Gus") << false << 0;
    QTest::newRow("a rejoiner gets his total back, in any slot") << QByteArray("bOB") << true << 0;
    QTest::newRow("a rejoiner's total outlasts a crowd of passers-by") << QByteArray("Bob") << true << 60;
}

void TableSeatsTest::takesSeatFreedDuringGame()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, rejoins);
    QFETCH(int, passersBy);

    const int total = bobScoresThenNextRound();
    QVERIFY(total > 0);
    const int seat = bobDrops();
    m_host->server().setConnectionPace(passersBy + 10, 1000);
    for (int i = 0; i < passersBy; ++i) {
        Player* passer = m_host->join("Passer " + QByteArray::number(i));
        QVERIFY(passer);
        QCOMPARE(passer->slot, seat);
        m_host->drop(passer);
        QCOMPARE(m_ann->nextOf("CMD_playerdisconnected"),
                 "CMD_playerdisconnected+" + QByteArray::number(seat) + "+Passer " + QByteArray::number(i));
    }
    // The names peers choose cannot grow what the table keeps for rejoiners.
    QVERIFY(m_host->server().table().departedCount() <= GameTable::DepartedKept);
    if (rejoins)
        QVERIFY(m_host->join("Gus"));
    Player* comer = m_host->join(name);
    QVERIFY(comer);
    QCOMPARE(comer->slot == seat, !rejoins);
    const QByteArray slot = QByteArray::number(comer->slot);
    if (rejoins)
        QCOMPARE(m_ann->nextOf("CMD_newplayerinfo"), "CMD_newplayerinfo+" + QByteArray::number(seat) + "+Gus");
    QCOMPARE(m_ann->nextOf("CMD_newplayerinfo"), "CMD_newplayerinfo+" + slot + '+' + name);
    QCOMPARE(comer->nextOf("CMD_loadstats"), QByteArray("CMD_loadstats+1+"));
    // Bob's board is nobody's to play: whoever comes waits for the next deal.
    QCOMPARE(comer->pickAt(0, 0), Player::Pick::Refused);
    m_host->timeOut();
    const QByteArray kept = QByteArray::number(rejoins ? total : 0);
    QCOMPARE(comer->nextOf("CMD_turnover"), "CMD_turnover+" + slot + "+0+" + kept + "+3");
    m_host->timeOut();
    QVERIFY(comer->awaitDeal());
    QCOMPARE(comer->pick(), Player::Pick::Taken);
}

void TableSeatsTest::roundEndsWhenNobodyPlays_data()
{
    QTest::addColumn<bool>("watchFirst"); // Eve watches before the others clear
    QTest::addColumn<QByteArray>("eveDoes"); // after the others cleared: "close", "watch" or nothing

    QTest::newRow("last playing seat leaves") << false << QByteArray("close");
    QTest::newRow("last playing seat watches") << false << QByteArray("watch");
    QTest::newRow("a watching seat holds nothing open") << true << QByteArray();
}

void TableSeatsTest::roundEndsWhenNobodyPlays()
{
    QFETCH(bool, watchFirst);
    QFETCH(QByteArray, eveDoes);

    startGame({m_ann, m_bob, m_eve});
    QCOMPARE(m_eve->pick(), Player::Pick::Taken);
    const QByteArray watch = "CMD_justwatch+" + QByteArray::number(m_eve->slot) + "+1";
    if (watchFirst)
        m_eve->send(watch);
    QVERIFY(clearBoard(m_ann));
    QVERIFY(clearBoard(m_bob));
    QCOMPARE(m_host->server().table().phase(), watchFirst ? RoundPhase::Pause : RoundPhase::InPlay);
    if (eveDoes == "close")
        m_eve->close();
    else if (eveDoes == "watch")
        m_eve->send(watch);
    // No tick of the clock: the round ends as soon as nobody plays it.
    QByteArray scores;
    for (int k = 1; k <= 6; ++k)
        scores = m_ann->nextOf("CMD_postscores");
    QVERIFY(scores.startsWith("CMD_postscores+1+"));
    QCOMPARE(m_host->server().table().phase(), RoundPhase::Pause);
}

void TableSeatsTest::onlyEntitledConnectionsAct_data()
{
    QTest::addColumn<int>("sender"); // a slot; 4 has connected without logging in
    QTest::addColumn<bool>("running"); // Ann has started a game first
    QTest::addColumn<QList<QByteArray>>("messages"); // "pick": a cell the sender's tile matches
    QTest::addColumn<QList<QByteArray>>("heard"); // by Eve, slot 3
    QTest::addColumn<QList<QByteArray>>("reply"); // by the sender, besides what Cy heard

    using L = QList<QByteArray>;
    QTest::newRow("any seat starts a game")
        << 2 << false << L{"CMD_startgame+Bob+2+"} << L{"CMD_startgame+Bob+2+6+"} << L{};
    QTest::newRow("spectators never start") << 7 << false << L{"CMD_startgame+Spy+1+"} << L{} << L{};
    QTest::newRow("nor connections not logged in") << 4 << false << L{"CMD_startgame+Raw+1+"} << L{} << L{};
    QTest::newRow("who has not logged in is not heard") << 4 << false << L{"CMD_chat+4+hi"} << L{} << L{};
    QTest::newRow("slot 1 restarts a game")
        << 1 << true << L{"CMD_startgame+Ann+2+"} << L{"CMD_startgame+Ann+2+6+"} << L{};
    QTest::newRow("other seats do not") << 2 << true << L{"CMD_startgame+Bob+2+"} << L{} << L{};
    QTest::newRow("a seat watches") << 2 << true << L{"CMD_justwatch+2+1"} << L{"CMD_justwatching+2+1"} << L{};
    QTest::newRow("and plays again") << 2 << true << L{"CMD_justwatch+2+1", "CMD_justwatch+2+2"}
                                     << L{"CMD_justwatching+2+1", "CMD_justwatching+2+2"} << L{};
    QTest::newRow("slot 1 switches others") << 1 << true << L{"CMD_justwatch+3+1"} << L{"CMD_justwatching+3+1"} << L{};
    QTest::newRow("other seats do not switch others") << 2 << true << L{"CMD_justwatch+3+1"} << L{} << L{};
    QTest::newRow("nor do spectators") << 7 << true << L{"CMD_justwatch+3+1"} << L{} << L{};
    QTest::newRow("a watching seat's pick is refused")
        << 2 << true << L{"CMD_justwatch+2+1", "pick"} << L{"CMD_justwatching+2+1"} << L{"CMD_error+3"};
    QTest::newRow("a spectator's pick is refused") << 7 << true << L{"CMD_selecttile+7+0+0"} << L{} << L{"CMD_error+3"};
    QTest::newRow("a pick not logged in is dropped") << 4 << true << L{"pick"} << L{} << L{};
}

void TableSeatsTest::onlyEntitledConnectionsAct()
{
    QFETCH(int, sender);
    QFETCH(bool, running);
    QFETCH(QList<QByteArray>, messages);
    QFETCH(QList<QByteArray>, heard);
    QFETCH(QList<QByteArray>, reply);

    // Seats 1 to 6 taken (4 by a connection that never logs in), 7 a spectator.
    Player raw;
    QVERIFY(raw.connectTo(m_host->port()));
    raw.slot = 4;
    QCOMPARE(raw.nextOf("CMD_sendlogininfo"), QByteArray("CMD_sendlogininfo+4"));
    QList<Player*> table = {m_ann, m_bob, m_eve, &raw};
    for (const char* name : {"Dan", "Fay", "Spy"})
        table.append(m_host->join(name));
    QVERIFY(!table.contains(nullptr));
    if (running) {
        startGame(table.mid(0, 6));
        // The spectator is shown the board, but gets no tiles to play.
        QVERIFY(!table.at(6)->nextOf("CMD_setbonus").isEmpty());
    }
    Player* from = table.at(sender - 1);
    for (const QByteArray& message : messages) {
        if (message != "pick") {
            from->send(message);
            continue;
        }
        QPoint cell(-1, -1);
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                if (from->matches(x, y))
                    cell = QPoint(x, y);
        QVERIFY(cell.x() >= 0);
        from->send(from->pickMessage(cell.x(), cell.y()));
    }
    // A chat line of the sender's own closes what it did; the connection that
    // has not logged in logs in first.
    const QByteArray slot = QByteArray::number(sender);
    if (sender == 4)
        from->send("CMD_logininfo+4+" GD_VERSION_TEXT "+Raw");
    from->send("CMD_chat+" + slot + "+done");
    const QByteArray done =
        "CMD_chat+" + slot + '+' + (sender == 4 ? QByteArray("Raw") : table.at(sender - 1)->name) + " chats: done";
    const auto eve = m_eve->readUntil(done);
    QVERIFY(eve);
    QCOMPARE(watched(*eve), heard);
    const auto own = from->readUntil(done);
    QVERIFY(own);
    QCOMPARE(watched(*own), heard + reply);
}

QTEST_GUILESS_MAIN(TableSeatsTest)
#include "test_table_seats.moc"
