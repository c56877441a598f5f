#include "support_bench.h"

#include "net/message.h"

#include <QTest>

namespace {
QStringList commandsOf(const RecordingOutbox& out)
{
    QStringList log;
    for (const RecordingOutbox::Sent& s : out.sent)
        log.append(QString::number(s.slot) + ':' + QString::fromUtf8(CommandLine::parse(s.message).command));
    return log;
}

QStringList forSlots(const QList<int>& slotList, const QString& command)
{
    QStringList log;
    for (int slot : slotList)
        log.append(QString::number(slot) + ':' + command);
    return log;
}

// Plays a round out by its clock: the round's 93 ticks, then the pause.
void playOutRound(TableBench& bench, int pauseTicks)
{
    bench.tick(93);
    bench.tick(pauseTicks);
}

void clearBoard(TableBench& bench, int slot)
{
    bench.leaveOneTile(slot);
    QVERIFY(bench.pickAny(slot));
}
} // namespace

class GameTableTest : public QObject {
    Q_OBJECT
private slots:
    void startsGame_data();
    void startsGame();
    void dealsRoundInOrder();
    void timesOutRound_data();
    void timesOutRound();
    void endsRoundWhenEveryBoardIsClear();
    void watchingSeatKeepsRoundOpen();
    void sendsWholePathOfBestSeat();
    void skipsPathWhenNobodyScored();
    void playsOnAfterTie();
    void playsOnWithoutPositiveScore();
    void announcesWinnerAtNextRoundStart();
    void playsSixClassicRounds();
    void restartsRunningGame();
    void switchesWatching_data();
    void switchesWatching();
    void dealsNewcomerNextRound();
};

void GameTableTest::startsGame_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("announced"); // empty: dropped

    QTest::newRow("standard") << QByteArray("Ann+1+") << QByteArray("CMD_startgame+Ann+1+3+");
    QTest::newRow("classic") << QByteArray("Ann+2+") << QByteArray("CMD_startgame+Ann+2+6+");
    QTest::newRow("name with plus") << QByteArray("A+n+n+1+") << QByteArray("CMD_startgame+A+n+n+1+3+");
    QTest::newRow("empty name") << QByteArray("+2+") << QByteArray("CMD_startgame++2+6+");
    QTest::newRow("mode 3") << QByteArray("Ann+3+") << QByteArray();
    QTest::newRow("mode 0") << QByteArray("Ann+0+") << QByteArray();
    QTest::newRow("mode -1") << QByteArray("Ann+-1+") << QByteArray();
    QTest::newRow("mode not a number") << QByteArray("Ann+x+") << QByteArray();
    QTest::newRow("mode past 32 bits") << QByteArray("Ann+4294967297+") << QByteArray();
    QTest::newRow("no trailing rest") << QByteArray("Ann+1") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void GameTableTest::startsGame()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, announced);

    TableBench bench({1, 8});
    bench.table.startgame(payload);
    QCOMPARE(bench.game.gamerunning, !announced.isEmpty());
    if (announced.isEmpty()) {
        QVERIFY(bench.out.sent.isEmpty());
        return;
    }
    QCOMPARE(bench.out.to(8).value(0), announced);
    QCOMPARE(bench.game.rounds, announced.contains("+2+6+") ? 6 : 3);
}

void GameTableTest::dealsRoundInOrder()
{
    TableBench bench({1, 2, 7});
    bench.table.startgame("Ann", 1);
    const QList<QByteArray> toSeat = bench.out.to(2);
    QCOMPARE(toSeat.size(), 6);
    QCOMPARE(toSeat[0], QByteArray("CMD_startgame+Ann+1+3+"));
    QCOMPARE(toSeat[1], QByteArray("CMD_nextplayer+1+2"));
    QStringList commands;
    for (const QByteArray& m : toSeat.mid(2))
        commands.append(QString::fromUtf8(CommandLine::parse(m).command));
    QCOMPARE(commands, (QStringList{"CMD_settiles", "CMD_setbonus", "CMD_setnexttile", "CMD_setnntile"}));
    // Every seat starts from the same place in the shared sequence.
    QCOMPARE(bench.out.to(1).mid(2), toSeat.mid(2));
    // A spectator sees the deal but gets no seat of its own.
    QCOMPARE(bench.out.to(7).size(), 3);
    QCOMPARE(bench.table.phase(), 1);
    QCOMPARE(bench.game.countdown, 92);
    QVERIFY(bench.table.Timer1().isEnabled());
}

void GameTableTest::timesOutRound_data()
{
    QTest::addColumn<bool>("showPath");
    QTest::addColumn<int>("pauseTicks");
    QTest::newRow("winner's path shown") << true << 41;
    QTest::newRow("winner's path hidden") << false << 11;
}

void GameTableTest::timesOutRound()
{
    QFETCH(bool, showPath);
    QFETCH(int, pauseTicks);

    TableBench bench({1, 2, 7});
    bench.host.winnersPath = showPath;
    bench.table.startgame("Ann", 1);
    clearBoard(bench, 1);
    bench.out.clear();
    bench.tick(92);
    QVERIFY(bench.out.sent.isEmpty());

    bench.tick();
    QStringList expected = forSlots({1, 2}, "CMD_turnover") + forSlots({1, 2, 7}, "CMD_postscores")
                           + forSlots({1, 2, 7}, "CMD_resettiles") + forSlots({1, 2, 7}, "CMD_resetbonus");
    if (showPath)
        expected += forSlots({1, 2, 7}, "CMD_thepath");
    QCOMPARE(commandsOf(bench.out), expected);
    // A seat that had already cleared its board hears of the time-out too.
    QCOMPARE(bench.out.to(1).first(), QByteArray("CMD_turnover+1+10+10+3"));
    QCOMPARE(bench.out.to(2).first(), QByteArray("CMD_turnover+2+0+0+3"));
    QCOMPARE(bench.out.to(7).first(), QByteArray("CMD_postscores+1+10+10+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0"));

    bench.out.clear();
    QCOMPARE(bench.table.phase(), 2);
    QVERIFY(bench.pickAny(2)); // no picks in the pause
    bench.tick(pauseTicks - 1);
    QVERIFY(bench.out.sent.isEmpty());
    bench.tick();
    QCOMPARE(bench.out.to(1).value(0), QByteArray("CMD_nextplayer+2+1"));
    QCOMPARE(bench.table.phase(), 1);
}

void GameTableTest::endsRoundWhenEveryBoardIsClear()
{
    TableBench bench({1, 2, 3, 8});
    bench.table.startgame("Ann", 1);
    clearBoard(bench, 1);
    clearBoard(bench, 3);
    QCOMPARE(bench.out.to(8, {"CMD_postscores"}).size(), 0);
    bench.out.clear();
    clearBoard(bench, 2);

    QCOMPARE(bench.out.to(2).value(1), "CMD_turnover+2+" + QByteArray::number(bench.game.players[2].nexttile) + "+0+2");
    const QList<QByteArray> scores = bench.out.to(8, {"CMD_postscores"});
    QCOMPARE(scores, (QList<QByteArray>{
                         "CMD_postscores+1+10+10",
                         "CMD_postscores+1+10+10+2+10+10",
                         "CMD_postscores+1+10+10+2+10+10+3+10+10",
                         "CMD_postscores+1+10+10+2+10+10+3+10+10+4+0+0",
                         "CMD_postscores+1+10+10+2+10+10+3+10+10+4+0+0+5+0+0",
                         "CMD_postscores+1+10+10+2+10+10+3+10+10+4+0+0+5+0+0+6+0+0"}));
    QCOMPARE(bench.out.to(8, {"CMD_thepath"}).value(0).left(15), QByteArray("CMD_thepath+P1+"));
    QCOMPARE(bench.table.phase(), 2);
    QCOMPARE(bench.game.countdown, 40);
    QVERIFY(bench.table.Timer1().isEnabled());
    bench.tick(41);
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}), QList<QByteArray>{"CMD_nextplayer+2+1"});
}

void GameTableTest::watchingSeatKeepsRoundOpen()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 1);
    bench.table.justwatch(2, 1);
    clearBoard(bench, 1);
    QCOMPARE(bench.out.to(1, {"CMD_postscores"}).size(), 0);
    QCOMPARE(bench.table.phase(), 1);
    bench.tick(93);
    QCOMPARE(bench.out.to(1, {"CMD_postscores"}).size(), 1);
}

void GameTableTest::sendsWholePathOfBestSeat()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 1);
    bench.game.players[2].name = "B+b";
    bench.leaveOneTile(2);
    const tplayer& p = bench.game.players[2];
    const QByteArray tiles = QByteArray::number(p.nexttile) + '+'
                             + QByteArray::number(bench.game.tilesequence[size_t(p.tileindex)]);
    QVERIFY(bench.pickAny(2));
    bench.tick(93);

    QByteArray path = "CMD_thepath+B+b+f+0+0+0+10+10+" + tiles;
    for (int i = 1; i < 36; ++i)
        path += "+f+-1+-1+-1+-1+-1+0+0";
    path += "+s+10+";
    QCOMPARE(bench.out.to(1, {"CMD_thepath"}), QList<QByteArray>{path});
    QCOMPARE(bench.out.to(1, {"CMD_resettiles"}), QList<QByteArray>{"CMD_resettiles" + bench.game.tilesmsg});
    QCOMPARE(bench.out.to(1, {"CMD_resetbonus"}), QList<QByteArray>{"CMD_resetbonus" + bench.game.bonusmsg});
}

void GameTableTest::skipsPathWhenNobodyScored()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 1);
    bench.tick(93);
    QCOMPARE(bench.out.to(1, {"CMD_postscores"}).size(), 1);
    QCOMPARE(bench.out.to(1, {"CMD_resettiles", "CMD_resetbonus", "CMD_thepath"}).size(), 0);
}

void GameTableTest::playsOnAfterTie()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 1);
    playOutRound(bench, 41);
    playOutRound(bench, 41);
    bench.game.players[1].total = 820;
    bench.game.players[2].total = 820;
    playOutRound(bench, 41);
    QCOMPARE(bench.out.to(1, {"CMD_winner"}).size(), 0);
    QCOMPARE(bench.out.to(2, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+4+2"));

    clearBoard(bench, 2);
    bench.out.clear();
    bench.tick(93);
    QStringList expected = forSlots({1, 2}, "CMD_turnover") + forSlots({1, 2}, "CMD_postscores")
                           + forSlots({1, 2}, "CMD_resettiles") + forSlots({1, 2}, "CMD_resetbonus")
                           + forSlots({1, 2}, "CMD_thepath") + forSlots({1, 2}, "CMD_winner");
    QCOMPARE(commandsOf(bench.out), expected);
    QCOMPARE(bench.out.to(1).last(), QByteArray("CMD_winner+P2"));
    QVERIFY(!bench.game.gamerunning);

    // The phase still reads "in play", yet the finished game keeps its totals.
    bench.out.clear();
    QVERIFY(bench.pickAny(1));
    bench.tick(200);
    QVERIFY(bench.out.sent.isEmpty());
    QCOMPARE(bench.game.players[1].total, 820);
}

void GameTableTest::playsOnWithoutPositiveScore()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 1);
    for (int round = 0; round < 3; ++round)
        playOutRound(bench, 41);
    QVERIFY(bench.game.gamerunning);
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+4+1"));
}

void GameTableTest::announcesWinnerAtNextRoundStart()
{
    TableBench bench({1});
    bench.table.startgame("Ann", 1);
    for (int round = 1; round <= 3; ++round) {
        clearBoard(bench, 1);
        QCOMPARE(bench.table.phase(), 2);
        bench.tick(41);
    }
    QCOMPARE(bench.out.to(1).last(), QByteArray("CMD_winner+P1"));
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}).size(), 3);
    QCOMPARE(bench.game.players[1].total, 30);
    QVERIFY(!bench.game.gamerunning);
}

void GameTableTest::playsSixClassicRounds()
{
    TableBench bench({1, 2});
    bench.table.startgame("Ann", 2);
    QCOMPARE(bench.out.to(2).value(0), QByteArray("CMD_startgame+Ann+2+6+"));
    for (int round = 1; round <= 6; ++round) {
        QVERIFY(bench.pickAny(1));
        bench.tick(93);
        if (round < 6)
            bench.tick(41);
    }
    QCOMPARE(bench.out.to(2, {"CMD_nextplayer"}).size(), 6);
    QCOMPARE(bench.out.to(2).last(), QByteArray("CMD_winner+P1"));
}

void GameTableTest::restartsRunningGame()
{
    TableBench bench({1});
    bench.table.startgame("Ann", 1);
    QVERIFY(bench.pickAny(1));
    playOutRound(bench, 41);
    QVERIFY(bench.game.players[1].total > 0);
    bench.table.startgame("Bob", 2);
    QCOMPARE(bench.game.players[1].total, 0);
    QCOMPARE(bench.game.round, 1);
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+1+1"));
}

void GameTableTest::switchesWatching_data()
{
    QTest::addColumn<QList<int>>("seats");
    QTest::addColumn<QList<int>>("watching");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("only playing seat cannot watch") << QList<int>{1} << QList<int>{} << true << 1 << 1 << false;
    QTest::newRow("one of two may watch") << QList<int>{1, 2} << QList<int>{} << true << 1 << 1 << true;
    QTest::newRow("other seat already watching") << QList<int>{1, 2} << QList<int>{2} << true << 1 << 1 << false;
    QTest::newRow("spectators do not count") << QList<int>{1, 7} << QList<int>{} << true << 1 << 1 << false;
    QTest::newRow("play again") << QList<int>{1} << QList<int>{1} << true << 1 << 2 << true;
    QTest::newRow("no game running") << QList<int>{1, 2} << QList<int>{} << false << 1 << 1 << false;
    QTest::newRow("spectator slot") << QList<int>{1, 7} << QList<int>{} << true << 7 << 2 << false;
    QTest::newRow("unknown value") << QList<int>{1, 2} << QList<int>{} << true << 1 << 3 << false;
}

void GameTableTest::switchesWatching()
{
    QFETCH(QList<int>, seats);
    QFETCH(QList<int>, watching);
    QFETCH(bool, running);
    QFETCH(int, target);
    QFETCH(int, value);
    QFETCH(bool, accepted);

    TableBench bench(seats);
    bench.game.gamerunning = running;
    for (int slot : watching)
        bench.game.players[slot].watching = true;
    const bool before = bench.game.players[target].watching;
    bench.table.justwatch(target, value);
    const QList<QByteArray> sent = bench.out.to(seats.last());
    if (!accepted) {
        QVERIFY(sent.isEmpty());
        QCOMPARE(bench.game.players[target].watching, before);
        return;
    }
    QCOMPARE(sent, QList<QByteArray>{"CMD_justwatching+" + QByteArray::number(target) + '+' + QByteArray::number(value)});
    QCOMPARE(bench.game.players[target].watching, value == 1);
}

void GameTableTest::dealsNewcomerNextRound()
{
    TableBench bench({1});
    bench.table.startgame("Ann", 1);
    bench.game.players[3].connected = true;
    bench.game.players.slotcount = 3;
    bench.tick(93);
    bench.out.clear();
    bench.tick(41);
    QStringList commands;
    for (const QByteArray& m : bench.out.to(3))
        commands.append(QString::fromUtf8(CommandLine::parse(m).command));
    QCOMPARE(commands, (QStringList{"CMD_nextplayer", "CMD_settiles", "CMD_setbonus", "CMD_setnexttile", "CMD_setnntile"}));
    QCOMPARE(bench.out.to(3).first(), QByteArray("CMD_nextplayer+2+3"));
}

QTEST_APPLESS_MAIN(GameTableTest)
#include "test_game_table.moc"
