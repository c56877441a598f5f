// Players that vanish at awkward moments: halfway through a message, between
// sending a pick or a bomb and the server handling it (what they sent is still
// played), while the server is answering, and in the pause between rounds. The
// seat is freed, everybody else hears of it, and the honest players go on
// playing.
#include "support_host.h"

#include "net/game_random.h"

#include <QTest>

class DisconnectsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void leavesHalfwayThroughMessage_data();
    void leavesHalfwayThroughMessage();
    void leavesWhileServerHandlesMove_data();
    void leavesWhileServerHandlesMove();
    void leavesDuringPause();
    void othersClearTheirBoardsAfterLeaving();

private:
    void startGame();
    // Takes other tiles until Eve's current tile lets her pick her bomb; the
    // bomb's cell, or (-1, -1) when the board never allows it.
    QPoint readyBomb();
    bool heardLeaving(int slot, const QByteArray& name);

    std::unique_ptr<Host> m_host;
    QList<Player*> m_honest;
    Player* m_eve = nullptr;
};

void DisconnectsTest::init()
{
    // A known deal, so that the bomb can always be reached the same way.
    GameRandom::seed(20240611);
    m_host = std::make_unique<Host>();
    m_honest = {m_host->join("Ann"), m_host->join("Bob")};
    m_eve = m_host->join("Eve");
    QVERIFY(!m_honest.contains(nullptr) && m_eve);
}

void DisconnectsTest::cleanup()
{
    m_honest.clear();
    m_host.reset();
}

void DisconnectsTest::startGame()
{
    m_honest.front()->send("CMD_startgame+Ann+1+");
    for (Player* p : m_honest + QList<Player*>{m_eve})
        QVERIFY(p->awaitDeal());
}

bool DisconnectsTest::heardLeaving(int slot, const QByteArray& name)
{
    const QByteArray gone = "CMD_playerdisconnected+" + QByteArray::number(slot) + '+' + name;
    for (Player* p : m_honest)
        if (p->nextOf("CMD_playerdisconnected") != gone)
            return false;
    return true;
}

QPoint DisconnectsTest::readyBomb()
{
    QPoint bomb(-1, -1);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (m_eve->bonus()[x][y] == 2)
                bomb = QPoint(x, y);
    if (bomb.x() < 0)
        return bomb;
    while (!m_eve->matches(bomb.x(), bomb.y())) {
        QPoint other(-1, -1);
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                if (m_eve->matches(x, y) && QPoint(x, y) != bomb)
                    other = QPoint(x, y);
        if (other.x() < 0 || m_eve->pickAt(other.x(), other.y()) != Player::Pick::Taken)
            return QPoint(-1, -1);
    }
    return bomb;
}

void DisconnectsTest::leavesHalfwayThroughMessage_data()
{
    QTest::addColumn<QByteArray>("half");
    QTest::addColumn<bool>("hard");

    QTest::newRow("chat cut short") << QByteArray("CMD_chat+3+hal") << false;
    QTest::newRow("pick cut short") << QByteArray("CMD_selecttile+3+0+") << false;
    QTest::newRow("command word cut short, reset") << QByteArray("CMD_sel") << true;
}

void DisconnectsTest::leavesHalfwayThroughMessage()
{
    QFETCH(QByteArray, half);
    QFETCH(bool, hard);
    startGame();
    m_eve->sendRaw(half);
    hard ? m_eve->abort() : m_eve->close();
    for (Player* p : m_honest) {
        const auto before = p->readUntil("CMD_playerdisconnected+3+Eve");
        QVERIFY(before);
        QCOMPARE(*before, QList<QByteArray>{});
    }
    QCOMPARE(m_host->server().game().players[3].movecount, 0);
    const QString failure = m_host->honestRound(m_honest);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void DisconnectsTest::leavesWhileServerHandlesMove_data()
{
    QTest::addColumn<bool>("bomb");
    QTest::addColumn<bool>("beforeHandling"); // gone before the server takes the message
    QTest::addColumn<bool>("hard");

    QTest::newRow("pick, then close") << false << true << false;
    QTest::newRow("pick, then reset") << false << true << true;
    QTest::newRow("reset while the pick is handled") << false << false << true;
    QTest::newRow("bomb, then close") << true << true << false;
    QTest::newRow("reset while the bomb is handled") << true << false << true;
    QTest::newRow("close while the bomb is handled") << true << false << false;
}

void DisconnectsTest::leavesWhileServerHandlesMove()
{
    QFETCH(bool, bomb);
    QFETCH(bool, beforeHandling);
    QFETCH(bool, hard);
    startGame();
    QPoint cell(-1, -1);
    if (bomb) {
        cell = readyBomb();
        QVERIFY2(cell.x() >= 0, "the seeded deal must let the bomb be picked");
    } else {
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                if (m_eve->matches(x, y))
                    cell = QPoint(x, y);
    }
    QVERIFY(cell.x() >= 0);
    Server& server = m_host->server();
    const int moves = server.game().players[3].movecount;
    Dispatcher& queue = server.socktimer();
    m_host->holdQueue(true);
    m_eve->send(m_eve->pickMessage(cell.x(), cell.y()));
    QVERIFY(waitUntil([&] { return queue.queued() == 1; }));
    if (beforeHandling) {
        hard ? m_eve->abort() : m_eve->close();
        // The pick she sent before leaving still plays, and only then does she go.
        QVERIFY(waitUntil([&] { return queue.queued() == 2; }));
        QVERIFY(server.game().players.connected(3));
        QVERIFY(queue.dispatchOne());
        QVERIFY(server.game().players[3].movecount > moves);
        QVERIFY(server.game().players.connected(3));
        QVERIFY(queue.dispatchOne());
        QVERIFY(!server.game().players.connected(3));
    } else {
        // The server answers into a connection whose peer is already gone.
        hard ? m_eve->abort() : m_eve->close();
        QVERIFY(queue.dispatchOne());
        QVERIFY(server.game().players[3].movecount > moves);
        if (bomb)
            QCOMPARE(server.game().players[3].bonus[cell.x()][cell.y()], 1);
    }
    m_host->holdQueue(false);
    QVERIFY(heardLeaving(3, "Eve"));
    QVERIFY(!server.game().players.connected(3));
    const QString failure = m_host->honestRound(m_honest);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void DisconnectsTest::leavesDuringPause()
{
    startGame();
    QCOMPARE(m_eve->pick(), Player::Pick::Taken);
    m_host->timeOut();
    QCOMPARE(m_host->server().table().phase(), RoundPhase::Pause);
    m_eve->close();
    QVERIFY(heardLeaving(3, "Eve"));
    m_host->timeOut();
    // The next round goes to the seats that are still there, and only to them.
    for (Player* p : m_honest) {
        QCOMPARE(p->nextOf("CMD_nextplayer"), "CMD_nextplayer+2+" + QByteArray::number(p->slot));
        QVERIFY(p->awaitDeal());
        QCOMPARE(p->pick(), Player::Pick::Taken);
    }
    // A newcomer takes the free seat in the middle of the game.
    Player* dan = m_host->join("Dan");
    QVERIFY(dan);
    QCOMPARE(dan->slot, 3);
    QCOMPARE(dan->nextOf("CMD_loadstats"), QByteArray("CMD_loadstats+1+"));
    const QString failure = m_host->honestRound(m_honest + QList<Player*>{dan});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void DisconnectsTest::othersClearTheirBoardsAfterLeaving()
{
    startGame();
    QCOMPARE(m_eve->pick(), Player::Pick::Taken);
    m_eve->abort();
    QVERIFY(heardLeaving(3, "Eve"));
    // The seats still there clear their boards; the last clearance ends the
    // round at once, without waiting for the clock.
    for (Player* p : m_honest) {
        Player::Pick last = Player::Pick::Taken;
        for (int picks = 0; picks < 36 && last == Player::Pick::Taken; ++picks)
            last = p->pick();
        QCOMPARE(last, Player::Pick::Cleared);
        QCOMPARE(p->tilesLeft(), 0);
    }
    for (Player* p : m_honest) {
        QByteArray scores;
        for (int k = 1; k <= 6; ++k)
            scores = p->nextOf("CMD_postscores");
        const QByteArray own = '+' + QByteArray::number(p->slot) + '+';
        const qsizetype at = scores.indexOf(own, 14);
        QVERIFY2(at > 0, scores.constData());
        const QList<QByteArray> fields = scores.mid(at + 1).split('+');
        QCOMPARE(fields.value(2).toInt(), p->roundResult());
    }
    QCOMPARE(m_host->server().table().phase(), RoundPhase::Pause);
    const QString failure = m_host->honestRound(m_honest);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_GUILESS_MAIN(DisconnectsTest)
#include "test_disconnects.moc"
