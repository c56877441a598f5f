#include "recording_session.h"

#include "net/protocol_to_server.h"

#include <QSignalSpy>
#include <QTest>

class TestGameModel : public QObject {
    Q_OBJECT
private slots:
    void startReadsFromTheRight_data();
    void startReadsFromTheRight();
    void repeatedStartChangesOnlyModeAndMissions();
    void roundsMoveThroughThePhases();
    void scoresOrderRowsStably();
    void seatsKeepNoTotalOfADepartedPlayer();
    void finishedGameKeepsALeaversStandingUntilTheNext();
    void watchingSeatCannotPick();
    void countdownRunsFromTheDeal();
    void phraseQueueIsBounded();
    void hostPowers_data();
    void hostPowers();
    void leavingTheTableEndsTheGame();
    void spectatorsAndStrangeSlotsTakeNoSeat_data();
    void spectatorsAndStrangeSlotsTakeNoSeat();
};

void TestGameModel::startReadsFromTheRight_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("starter");
    QTest::addColumn<GameMode>("mode");
    QTest::addColumn<int>("missions");
    QTest::newRow("plus in the name") << QByteArray("A+B+1+3+") << "A+B" << GameMode::Standard << 3;
    QTest::newRow("classic") << QByteArray("Bob+2+6+") << "Bob" << GameMode::Classic << 6;
    QTest::newRow("no closing field") << QByteArray("C++ fan+1+3") << "C++ fan" << GameMode::Standard << 3;
    QTest::newRow("unknown mode") << QByteArray("Bob+7+3+") << "Bob" << GameMode::None << 3;
    QTest::newRow("mode not a number") << QByteArray("A+B+x+3+") << QString() << GameMode::None << 0;
    QTest::newRow("too few fields") << QByteArray("1+3") << QString() << GameMode::None << 0;
}

void TestGameModel::startReadsFromTheRight()
{
    QFETCH(QByteArray, payload);
    QFETCH(QString, starter);
    QFETCH(GameMode, mode);
    QFETCH(int, missions);
    ModelRig rig;
    rig.seatThree();
    rig.feed(&GameModel::postScores, "2+900+0");
    QSignalSpy started(rig.model.get(), &GameModel::gameStarted);
    rig.feed(&GameModel::startGame, payload);
    const bool real = !starter.isEmpty();
    QCOMPARE(started.size(), real ? 1 : 0);
    if (real)
        QCOMPARE(started[0][0].toString(), starter);
    QCOMPARE(rig.model->mode(), mode);
    QCOMPARE(rig.model->missions(), missions);
    QCOMPARE(rig.model->gameRunning(), real);
    // A real start resets the old game's scores.
    QCOMPARE(rig.model->seats().total(2), std::optional<int>(real ? 0 : 900));
}

void TestGameModel::repeatedStartChangesOnlyModeAndMissions()
{
    ModelRig rig;
    rig.seatThree();
    QSignalSpy started(rig.model.get(), &GameModel::gameStarted);
    rig.feed(&GameModel::startGame, "Bob+2+6+");
    rig.feed(&GameModel::postScores, "1+5+0");
    rig.feed(&GameModel::startGame, "Bob+1+3+");
    QCOMPARE(started.size(), 1);
    QCOMPARE(rig.model->mode(), GameMode::Standard);
    QCOMPARE(rig.model->missions(), 3);
    QCOMPARE(rig.model->seats().total(1), std::optional<int>(5));

    // The first round ends the start phase: the next start is a new game.
    rig.feed(&GameModel::nextPlayer, "1+2");
    rig.feed(&GameModel::startGame, "Ann+1+3+");
    QCOMPARE(started.size(), 2);
    QCOMPARE(rig.model->seats().total(1), std::optional<int>(0));
}

void TestGameModel::roundsMoveThroughThePhases()
{
    ModelRig rig;
    rig.seatThree();
    QCOMPARE(rig.model->phase(), GamePhase::NoGame);
    rig.feed(&GameModel::startGame, "Host+1+3+");
    QCOMPARE(rig.model->phase(), GamePhase::Starting);
    rig.feed(&GameModel::postScores, "3+100+40");
    rig.startRound(1, 1);
    QCOMPARE(rig.model->phase(), GamePhase::InRound);
    QCOMPARE(rig.model->mission(), 1);
    QCOMPARE(rig.model->board().currentplayer(), 2);
    QVERIFY(rig.model->board().canselect());
    // A new round clears the last round's results.
    QCOMPARE(rig.model->seats().lastScore(3), 0);

    QSignalSpy ended(rig.model.get(), &GameModel::turnEnded);
    rig.feed(&GameModel::turnOver, "2+250+660+3");
    QCOMPARE(rig.model->phase(), GamePhase::RoundOver);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended[0][1].toInt(), 3);
    QCOMPARE(rig.model->seats().total(2), std::optional<int>(660));
    QVERIFY(!rig.model->board().canselect());
    QCOMPARE(rig.model->board().currentplayer(), 0);
    QCOMPARE(rig.model->timeLeft(), 0);
    QVERIFY(rig.model->gameRunning());

    rig.feed(&GameModel::winner, "Ann");
    QCOMPARE(rig.model->phase(), GamePhase::Over);
    QVERIFY(!rig.model->gameRunning());
    // Joined into a running game: it counts as running until its winner.
    rig.feed(&GameModel::loadStats, "2");
    QVERIFY(rig.model->gameRunning());
    QCOMPARE(rig.model->mode(), GameMode::Classic);
    QCOMPARE(rig.model->missions(), 6);
}

void TestGameModel::scoresOrderRowsStably()
{
    ModelRig rig;
    for (int n = 1; n <= 6; ++n)
        rig.model->playerArrived(n, "P" + QString::number(n));
    QSignalSpy moved(&rig.model->seats(), &GameSeats::orderChanged);
    rig.feed(&GameModel::postScores, "1+100+100+2+300+300+3+300+0+4+50+50+5+0+0+6+0+0");
    QCOMPARE(rig.model->seats().order().order(), (std::array<int, 6>{2, 3, 1, 4, 5, 6}));
    QCOMPARE(rig.model->seats().lastScore(2), 300);
    QCOMPARE(rig.model->seats().lastScore(3), 0); // a round result of 0 is not shown
    QCOMPARE(moved.size(), 1);

    // Equal totals next time: the order left by the last sort stays.
    rig.feed(&GameModel::postScores, "1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0");
    QCOMPARE(rig.model->seats().order().order(), (std::array<int, 6>{2, 3, 1, 4, 5, 6}));
    QCOMPARE(moved.size(), 1);
    // Slots without a row are skipped; a list with a bad number is dropped whole.
    rig.feed(&GameModel::postScores, "7+999+9+4+10+x");
    QCOMPARE(rig.model->seats().total(4), std::optional<int>(0));
    rig.feed(&GameModel::postScores, "7+999+9+4+10+0");
    QCOMPARE(rig.model->seats().total(4), std::optional<int>(10));
    QCOMPARE(rig.model->seats().order().slotAt(1), 4);
}

void TestGameModel::seatsKeepNoTotalOfADepartedPlayer()
{
    ModelRig rig;
    rig.seatThree();
    rig.feed(&GameModel::postScores, "1+100+100+2+300+300+3+50+50");
    rig.model->seatWatching(3, true);
    QVERIFY(rig.model->seats().watching(3));

    // Host leaves: the row empties, sinks below everyone and its old total
    // never comes back, nor does watching on it.
    QSignalSpy left(rig.model.get(), &GameModel::playerDisconnected);
    rig.model->playerLeft(1, "Host");
    QCOMPARE(left.size(), 1);
    QCOMPARE(left[0][2].toString(), QStringLiteral("Host"));
    rig.model->seatWatching(1, true);
    QVERIFY(!rig.model->seats().watching(1));
    rig.feed(&GameModel::postScores, "1+100+0+2+300+0+3+50+0");
    QCOMPARE(rig.model->seats().total(1), std::nullopt);
    const auto& order = rig.model->seats().order().order();
    QVERIFY(std::find(order.begin(), order.end(), 1) > std::find(order.begin(), order.end(), 3));

    // A newcomer in the freed seat starts at 0, playing.
    rig.model->playerArrived(1, "Dee");
    QCOMPARE(rig.model->seats().total(1), std::optional<int>(0));
    QVERIFY(!rig.model->seats().watching(1));
}

void TestGameModel::finishedGameKeepsALeaversStandingUntilTheNext()
{
    ModelRig rig;
    rig.seatThree();
    rig.feed(&GameModel::startGame, "Host+1+3+");
    rig.feed(&GameModel::postScores, "1+100+100+2+300+300+3+50+50");
    rig.feed(&GameModel::winner, "Bob");
    rig.model->playerLeft(2, "Ann");
    QCOMPARE(rig.model->seats().name(2), QStringLiteral("Ann"));
    QCOMPARE(rig.model->seats().total(2), std::optional<int>(300));
    // The next game clears the row; a newcomer before it takes the seat.
    rig.model->playerLeft(3, "Bob");
    rig.model->playerArrived(3, "Dee");
    QCOMPARE(rig.model->seats().name(3), QStringLiteral("Dee"));
    rig.feed(&GameModel::startGame, "Host+1+3+");
    QVERIFY(!rig.model->seats().seated(2));
    QVERIFY(rig.model->seats().seated(3));
}

void TestGameModel::watchingSeatCannotPick()
{
    ModelRig rig;
    rig.seatThree();
    rig.feed(&GameModel::startGame, "Host+1+3+");
    QSignalSpy watching(rig.model.get(), &GameModel::watchingChanged);
    rig.model->seatWatching(2, true);
    QVERIFY(rig.model->watching());
    rig.startRound(1, 1);
    QVERIFY(!rig.model->board().canselect());
    rig.model->pick(10, 10);
    QVERIFY(rig.session->sent.isEmpty());

    // Playing again within our own round opens picking at once.
    rig.model->seatWatching(2, false);
    QVERIFY(rig.model->board().canselect());
    rig.model->pick(10, 10);
    QCOMPARE(rig.session->sent.size(), 1);
    rig.model->seatWatching(2, true);
    QVERIFY(!rig.model->board().canselect());

    // The server seats every watcher again at a new game.
    rig.feed(&GameModel::nextPlayer, "2+2");
    rig.feed(&GameModel::startGame, "Host+1+3+");
    QVERIFY(!rig.model->watching());
    QVERIFY(!rig.model->seats().watching(2));
    QCOMPARE(watching.size(), 4);
}

void TestGameModel::countdownRunsFromTheDeal()
{
    ModelRig rig;
    QSignalSpy dealt(rig.model.get(), &GameModel::dealt);
    rig.startRound(1, 1);
    QCOMPARE(dealt.size(), 1);
    QCOMPARE(rig.model->timeLeft(), GameModel::RoundSeconds);
    for (int i = 0; i < 95; ++i)
        rig.model->tick();
    QCOMPARE(rig.model->timeLeft(), 0);
    // A malformed deal is dropped whole: no countdown starts.
    rig.feed(&GameModel::setTiles, "1+1+x");
    QCOMPARE(dealt.size(), 1);
    QCOMPARE(rig.model->timeLeft(), 0);
    rig.deal(2);
    QCOMPARE(dealt.size(), 2);
    QCOMPARE(rig.model->timeLeft(), GameModel::RoundSeconds);
}

void TestGameModel::phraseQueueIsBounded()
{
    ModelRig rig;
    QSignalSpy queued(rig.model.get(), &GameModel::phraseQueued);
    for (int i = 0; i < GameModel::MaxWaitingPhrases + 5; ++i)
        rig.model->queuePhrase("Bob  says: " + QString::number(i));
    QCOMPARE(rig.model->phrases().size(), GameModel::MaxWaitingPhrases);
    QCOMPARE(queued.size(), GameModel::MaxWaitingPhrases);
    QCOMPARE(rig.model->takePhrase(), std::optional<QString>("Bob  says: 0"));
    QCOMPARE(rig.model->phrases().size(), GameModel::MaxWaitingPhrases - 1);
    rig.model->leaveTable();
    QCOMPARE(rig.model->takePhrase(), std::nullopt);
}

void TestGameModel::hostPowers_data()
{
    QTest::addColumn<bool>("hosting");
    QTest::addColumn<int>("hostSlot");
    QTest::addColumn<int>("myslot");
    QTest::addColumn<bool>("held");
    QTest::newRow("hosting, no seat named") << true << 0 << 1 << true;
    QTest::newRow("joined, no seat named") << false << 0 << 1 << false;
    QTest::newRow("headless table names us") << false << 3 << 3 << true;
    QTest::newRow("hosting, another seat named") << true << 2 << 1 << true;
    QTest::newRow("joined, another seat named") << false << 2 << 1 << false;
    QTest::newRow("a spectator named") << false << 9 << 9 << true;
    QTest::newRow("a slot nobody has") << false << 100000 << 100000 << false;
}

void TestGameModel::hostPowers()
{
    QFETCH(bool, hosting);
    QFETCH(int, hostSlot);
    QFETCH(int, myslot);
    QFETCH(bool, held);
    ModelRig rig;
    rig.session->slot = myslot;
    QSignalSpy changed(rig.model.get(), &GameModel::hostPowersChanged);
    rig.model->setHosting(hosting);
    rig.model->setHostSlot(hostSlot);
    QCOMPARE(rig.model->hosting(), hosting);
    QCOMPARE(rig.model->holdsHostPowers(), held);
    QCOMPARE(changed.isEmpty() ? false : changed.last()[0].toBool(), held);

    // Leaving the table gives up the powers with it.
    rig.model->leaveTable();
    QVERIFY(!rig.model->holdsHostPowers());
    QVERIFY(!rig.model->hosting());
    QCOMPARE(changed.isEmpty() ? false : changed.last()[0].toBool(), false);
}

void TestGameModel::leavingTheTableEndsTheGame()
{
    ModelRig rig;
    rig.seatThree();
    rig.model->setHosting(true);
    rig.feed(&GameModel::startGame, "Host+2+6+");
    rig.startRound(1, 1);
    rig.model->seatWatching(2, true);
    QVERIFY(rig.model->gameRunning());
    QSignalSpy left(rig.model.get(), &GameModel::tableLeft);
    QSignalSpy running(rig.model.get(), &GameModel::gameRunningChanged);
    rig.model->leaveTable();
    QCOMPARE(left.size(), 1);
    QCOMPARE(running.size(), 1);
    QVERIFY(!rig.model->gameRunning());
    QCOMPARE(rig.model->phase(), GamePhase::NoGame);
    QCOMPARE(rig.model->mode(), GameMode::None);
    QCOMPARE(rig.model->missions(), 0);
    QCOMPARE(rig.model->timeLeft(), 0);
    QVERIFY(!rig.model->watching());
    QVERIFY(!rig.model->board().canselect());
    for (int n = 1; n <= 6; ++n) {
        QVERIFY(!rig.model->seats().seated(n));
        QCOMPARE(rig.model->seats().total(n), std::nullopt);
    }
    // The next table's first start is a new game, not a repeat of the old one.
    QSignalSpy started(rig.model.get(), &GameModel::gameStarted);
    rig.feed(&GameModel::startGame, "Bob+1+3+");
    QCOMPARE(started.size(), 1);
}

void TestGameModel::spectatorsAndStrangeSlotsTakeNoSeat_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("announced");
    QTest::newRow("spectator") << 7 << true;
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("past the slots") << 100000 << false;
}

void TestGameModel::spectatorsAndStrangeSlotsTakeNoSeat()
{
    QFETCH(int, slot);
    QFETCH(bool, announced);
    ModelRig rig;
    QSignalSpy connected(rig.model.get(), &GameModel::playerConnected);
    QSignalSpy names(&rig.model->seats(), &GameSeats::nameChanged);
    rig.model->playerArrived(slot, "Eve");
    rig.model->seatWatching(slot, true);
    rig.feed(&GameModel::nextPlayer, "1+" + QByteArray::number(slot));
    QCOMPARE(connected.size(), announced ? 1 : 0);
    QVERIFY(names.isEmpty());
    QCOMPARE(rig.model->phase(), GamePhase::NoGame);
}

QTEST_GUILESS_MAIN(TestGameModel)
#include "test_game_model.moc"
