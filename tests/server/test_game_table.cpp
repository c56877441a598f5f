#include "support_bench.h"

#include "net/message.h"
#include "net/protocol.h"

#include <QTest>

namespace {
QStringList to(const QList<int>& seatList, const QString& command)
{
    QStringList out;
    for (int slot : seatList)
        out.append(QString::number(slot) + ':' + command);
    return out;
}

QStringList commands(const QList<QByteArray>& messages)
{
    QStringList out;
    for (const QByteArray& m : messages)
        out.append(QString::fromUtf8(CommandLine::parse(m).command));
    return out;
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
    void tellsSeatsSittingOutThatTheRoundEnded();
    void sendsWholePathOfBestSeat();
    void playsOnAfterTieThenEnds();
    void announcesWinnerAtNextRoundStart();
    void switchesWatching_data();
    void switchesWatching();
};

void GameTableTest::startsGame_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("announced"); // empty: dropped

    // The game is announced under the starter's seat name ("A+n"), whatever the message says.
    QTest::newRow("standard") << QByteArray("A+n+1+") << QByteArray("CMD_startgame+A+n+1+3+");
    QTest::newRow("classic") << QByteArray("Ann+2+") << QByteArray("CMD_startgame+A+n+2+6+");
    QTest::newRow("name with plus") << QByteArray("A+n+n+1+") << QByteArray("CMD_startgame+A+n+1+3+");
    QTest::newRow("another's name") << QByteArray("Bob+2+") << QByteArray("CMD_startgame+A+n+2+6+");
    QTest::newRow("empty name") << QByteArray("+2+") << QByteArray("CMD_startgame+A+n+2+6+");
    for (const char* bad : {"Ann+3+", "Ann+0+", "Ann+-1+", "Ann+x+", "Ann+4294967297+", "Ann+1", ""})
        QTest::newRow(bad) << QByteArray(bad) << QByteArray();
}

void GameTableTest::startsGame()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, announced);

    Bench bench({1, 8}, 0);
    bench.seat(1).name = "A+n";
    FieldReader fields(payload);
    if (const auto m = ToServer::StartGame::decode(fields))
        bench.table.startgame(1, *m);
    QCOMPARE(bench.game.gamerunning, !announced.isEmpty());
    QCOMPARE(bench.out.to(8).value(0), announced);
    if (!announced.isEmpty())
        QCOMPARE(bench.game.rounds, announced.endsWith("+6+") ? 6 : 3);
}

void GameTableTest::dealsRoundInOrder()
{
    Bench bench({1, 2, 7});
    bench.seat(1).total = bench.seat(2).total = 300; // a restart clears earlier totals
    bench.table.startgame("Ann", GameMode::Standard);
    const QList<QByteArray> toSeat = bench.out.to(2);
    QCOMPARE(toSeat.mid(0, 2), (QList<QByteArray>{"CMD_startgame+Ann+1+3+", "CMD_nextplayer+1+2"}));
    QCOMPARE(commands(toSeat.mid(2)),
             (QStringList{"CMD_settiles", "CMD_setbonus", "CMD_setnexttile", "CMD_setnntile"}));
    QCOMPARE(bench.out.to(1).mid(2), toSeat.mid(2)); // every seat starts at the same place
    QCOMPARE(commands(bench.out.to(7)), (QStringList{"CMD_startgame", "CMD_settiles", "CMD_setbonus"}));
    QCOMPARE(bench.seat(1).total, 0);
    QCOMPARE(bench.table.phase(), RoundPhase::InPlay);
    QCOMPARE(bench.game.countdown, 92);
    QVERIFY(bench.table.Timer1().isEnabled());
}

void GameTableTest::timesOutRound_data()
{
    QTest::addColumn<bool>("showPath");
    QTest::addColumn<bool>("scored");
    QTest::addColumn<int>("pauseTicks");
    QTest::newRow("path shown") << true << true << 41;
    QTest::newRow("path hidden") << false << true << 11;
    QTest::newRow("nobody scored") << true << false << 41;
}

void GameTableTest::timesOutRound()
{
    QFETCH(bool, showPath);
    QFETCH(bool, scored);
    QFETCH(int, pauseTicks);

    Bench bench({1, 2, 7});
    bench.host.winnersPath = showPath;
    bench.table.startgame("Ann", GameMode::Standard);
    if (scored)
        bench.clearBoard(1);
    bench.out.sent.clear();
    bench.tick(92);
    QVERIFY(bench.out.sent.isEmpty());
    bench.tick();

    QStringList expected = to({1, 2}, "CMD_turnover") + to({1, 2, 7}, "CMD_postscores");
    if (scored)
        expected += to({1, 2, 7}, "CMD_resettiles") + to({1, 2, 7}, "CMD_resetbonus");
    if (scored && showPath)
        expected += to({1, 2, 7}, "CMD_thepath");
    QCOMPARE(bench.out.order(), expected);
    // A seat that had cleared its board hears of the time-out too.
    const int result = scored ? 10 : 0;
    QCOMPARE(bench.out.to(1).first(), QStringLiteral("CMD_turnover+1+%1+%1+3").arg(result).toUtf8());
    QCOMPARE(bench.out.to(7).first(),
             QStringLiteral("CMD_postscores+1+%1+%1+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0").arg(result).toUtf8());

    bench.out.sent.clear();
    QVERIFY(bench.pickAny(2)); // the pause takes no picks
    bench.tick(pauseTicks - 1);
    QVERIFY(bench.out.sent.isEmpty());
    bench.tick();
    QCOMPARE(bench.out.to(1).value(0), QByteArray("CMD_nextplayer+2+1"));
}

void GameTableTest::endsRoundWhenEveryBoardIsClear()
{
    Bench bench({1, 2, 3, 8});
    bench.seat(2).watching = true; // a seat that watches still has to clear or time out
    bench.table.startgame("Ann", GameMode::Standard);
    QVERIFY(!bench.seat(2).watching);
    bench.clearBoard(1);
    bench.clearBoard(3);
    QCOMPARE(bench.out.to(8, {"CMD_postscores"}).size(), 0);
    bench.clearBoard(2);

    QCOMPARE(bench.out.to(2, {"CMD_turnover"}),
             QList<QByteArray>{"CMD_turnover+2+" + QByteArray::number(bench.seat(2).nexttile) + "+0+2"});
    QByteArray list;
    QList<QByteArray> growing;
    for (int seat = 1; seat <= 6; ++seat) {
        list += '+' + QByteArray::number(seat) + (seat <= 3 ? "+10+10" : "+0+0");
        growing.append("CMD_postscores" + list);
    }
    QCOMPARE(bench.out.to(8, {"CMD_postscores"}), growing);
    QVERIFY(bench.out.to(8, {"CMD_thepath"}).value(0).startsWith("CMD_thepath+P1+"));
    QCOMPARE(bench.table.phase(), RoundPhase::Pause);
    QCOMPARE(bench.game.countdown, 40);
    bench.tick(41);
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+2+1"));
}

void GameTableTest::tellsSeatsSittingOutThatTheRoundEnded()
{
    Bench bench({1, 2, 8});
    bench.table.startgame("Ann", GameMode::Standard);
    bench.table.justwatch(2, 1);
    bench.out.sent.clear();
    bench.clearBoard(1);
    // The seat that cleared hears it once; the one sitting out stops its clock too.
    QCOMPARE(bench.out.to(1, {"CMD_turnover"}).size(), 1);
    QCOMPARE(bench.out.to(2, {"CMD_turnover"}), QList<QByteArray>{"CMD_turnover+2+0+0+4"});
    QCOMPARE(bench.out.to(8, {"CMD_turnover"}).size(), 0);
    QCOMPARE(bench.table.phase(), RoundPhase::Pause);
}

void GameTableTest::sendsWholePathOfBestSeat()
{
    Bench bench({1, 2});
    bench.table.startgame("Ann", GameMode::Standard);
    bench.seat(2).name = "B+b";
    bench.clearBoard(2);
    bench.tick(93);

    const tmove& m = bench.seat(2).moves[0];
    QByteArray path =
        "CMD_thepath+B+b+f+0+0+0+10+10+" + QByteArray::number(m.tile1) + '+' + QByteArray::number(m.tile2);
    for (int i = 1; i < 36; ++i)
        path += "+f+-1+-1+-1+-1+-1+0+0";
    QCOMPARE(bench.out.to(1, {"CMD_thepath"}), QList<QByteArray>{path + "+s+10+"});
    // The replay's board is the round's deal as it was sent.
    const QByteArray dealt = bench.out.to(1, {"CMD_settiles"}).value(0).mid(qstrlen("CMD_settiles"));
    QCOMPARE(
        bench.out.to(1, {"CMD_resettiles", "CMD_resetbonus"}),
        (QList<QByteArray>{"CMD_resettiles" + dealt, ToClient::ResetBonus{bench.game.dealtBonus}.bytes().chopped(1)}));
}

void GameTableTest::playsOnAfterTieThenEnds()
{
    Bench bench({1, 2});
    bench.table.startgame("Ann", GameMode::Standard);
    bench.tick(3 * (93 + 41)); // nobody scores: no winner, the game goes on
    QCOMPARE(bench.out.to(2, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+4+2"));
    bench.seat(1).total = bench.seat(2).total = 820;
    bench.tick(93 + 41);
    QCOMPARE(bench.out.to(2, {"CMD_nextplayer"}).last(), QByteArray("CMD_nextplayer+5+2"));

    bench.clearBoard(2);
    bench.out.sent.clear();
    bench.tick(93);
    QCOMPARE(bench.out.order(),
             to({1, 2}, "CMD_turnover") + to({1, 2}, "CMD_postscores") + to({1, 2}, "CMD_resettiles")
                 + to({1, 2}, "CMD_resetbonus") + to({1, 2}, "CMD_thepath") + to({1, 2}, "CMD_winner"));
    QCOMPARE(bench.out.to(1).last(), QByteArray("CMD_winner+P2"));
    QVERIFY(!bench.game.gamerunning);
    QVERIFY2(!bench.table.Timer1().isEnabled(), "the round clock keeps ticking after the game is decided");
    // The phase still reads "in play", yet the decided game keeps its totals.
    bench.out.sent.clear();
    QVERIFY(bench.pickAny(1));
    bench.tick(200);
    QVERIFY(bench.out.sent.isEmpty());
    QCOMPARE(bench.seat(1).total, 820);
}

void GameTableTest::announcesWinnerAtNextRoundStart()
{
    Bench bench({1});
    bench.table.startgame("Ann", GameMode::Classic);
    for (int round = 1; round <= 6; ++round) {
        bench.clearBoard(1);
        QCOMPARE(bench.table.phase(), RoundPhase::Pause);
        bench.tick(41);
    }
    QCOMPARE(bench.out.to(1, {"CMD_nextplayer"}).size(), 6);
    QCOMPARE(bench.out.to(1).last(), QByteArray("CMD_winner+P1"));
    QCOMPARE(bench.seat(1).total, 60);
}

void GameTableTest::switchesWatching_data()
{
    QTest::addColumn<QList<int>>("seats");
    QTest::addColumn<int>("watcher"); // already watching, 0 none
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("last playing seat stays") << QList<int>{1} << 0 << true << 1 << 1 << false;
    QTest::newRow("one of two may watch") << QList<int>{1, 2} << 0 << true << 1 << 1 << true;
    QTest::newRow("spectators don't play") << QList<int>{1, 7} << 0 << true << 1 << 1 << false;
    QTest::newRow("play again") << QList<int>{1} << 1 << true << 1 << 2 << true;
    QTest::newRow("no game") << QList<int>{1, 2} << 0 << false << 1 << 1 << false;
    QTest::newRow("spectator slot") << QList<int>{1, 7} << 0 << true << 7 << 2 << false;
}

void GameTableTest::switchesWatching()
{
    QFETCH(QList<int>, seats);
    QFETCH(int, watcher);
    QFETCH(bool, running);
    QFETCH(int, target);
    QFETCH(int, value);
    QFETCH(bool, accepted);

    Bench bench(seats);
    bench.game.gamerunning = running;
    if (watcher)
        bench.seat(watcher).watching = true;
    const bool before = bench.seat(target).watching;
    bench.table.justwatch(target, value);
    if (!accepted) {
        QVERIFY(bench.out.sent.isEmpty());
        QCOMPARE(bench.seat(target).watching, before);
        return;
    }
    QCOMPARE(bench.out.to(seats.last()),
             QList<QByteArray>{QStringLiteral("CMD_justwatching+%1+%2").arg(target).arg(value).toUtf8()});
    QCOMPARE(bench.seat(target).watching, value == 1);
}

QTEST_APPLESS_MAIN(GameTableTest)
#include "test_game_table.moc"
