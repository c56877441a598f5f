#include "support_game_view.h"

#include "client/core/score_order.h"
#include "client/game_overlays.h"
#include "client/score_panel.h"
#include "client/turn_flow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QString text(GameViewRig& rig, const QString& name)
{
    return rig.find<QLabel>(name)->text();
}

bool visible(GameViewRig& rig, const QString& name)
{
    return rig.find<QWidget>(name)->isVisibleTo(&rig.back);
}

void ticks(GameViewRig& rig, int n)
{
    for (int i = 0; i < n; ++i)
        rig.view->turnFlow().Timer2Timer();
}

// Seats: slot 1 "Host", slot 2 the local "Ann", slot 3 "Bob".
// Whether `upper` is drawn over `lower` (siblings stack in child order).
bool above(GameViewRig& rig, const QString& upper, const QString& lower)
{
    const QObjectList& order = rig.back.children();
    return order.indexOf(rig.find<QWidget>(upper)) > order.indexOf(rig.find<QWidget>(lower));
}

void seat(GameViewRig& rig)
{
    rig.seatThree();
}

// Records the tally and high-score calls of a finished game.
void recordTally(GameViewRig& rig, const QString& highScore)
{
    rig.highScore = true;
    rig.tallyScore = highScore;
}

} // namespace

class TestTurnFlow : public QObject {
    Q_OBJECT
private slots:
    void repeatedStartIsAnnouncedOnce();
    void roundStartNamesThePlayer();
    void turnOverShowsReason_data();
    void turnOverShowsReason();
    void scoresOrderRowsStably();
    void countdown_data();
    void countdown();
    void phrasesShowOneAtATime();
    void bubbleNeverCoversTheStartButton();
    void clockSleepsWhenNothingIsShown();
    void phraseColour_data();
    void phraseColour();
    void winnerOffersAndTallies_data();
    void winnerOffersAndTallies();
    void watcherSeesBannerOnly();
    void startReadsFromTheRight_data();
    void startReadsFromTheRight();
    void soloTextsSpeakToThePlayer();
    void popupWakesTheSleepingClock();
    void replayStaysReadableAndTheEndStaysVisible();
    void tieSaysAMissionWasAdded();
    void watchingSeatCannotPick();
    void rowsShowWhoPlaysWatchesAndLeft();
};

// Which start is a new game, and what it does to the totals, is the model's
// (test_game_model); the screen announces a new game once and shows the
// missions of the latest start.
void TestTurnFlow::repeatedStartIsAnnouncedOnce()
{
    GameViewRig rig;
    seat(rig);
    rig.model->setHosting(true);
    QVERIFY(visible(rig, "button_startgame"));
    rig.feed(&GameModel::startGame, "Bob+2+6+");
    QCOMPARE(text(rig, "label_numround"), QStringLiteral("Missions Per Game: 6"));
    QCOMPARE(rig.lines.size(), 1);
    QCOMPARE(rig.lines[0], QStringLiteral("0+Bob has started a CLASSIC game."));
    QCOMPARE(rig.colours[0], QColor(0, 0, 255));
    QVERIFY(!visible(rig, "button_startgame"));

    rig.feed(&GameModel::startGame, "Bob+1+3+");
    QCOMPARE(text(rig, "label_numround"), QStringLiteral("Missions Per Game: 3"));
    QCOMPARE(rig.lines.size(), 1);
    QCOMPARE(rig.sounds, QStringList{"gamestart"});
    QCOMPARE(rig.tally, QStringList{"loadchecklist"});

    rig.feed(&GameModel::nextPlayer, "1+2");
    rig.feed(&GameModel::startGame, "Ann+1+3+");
    QCOMPARE(rig.lines.last(), QStringLiteral("0+Ann has started a game."));
}

void TestTurnFlow::roundStartNamesThePlayer()
{
    GameViewRig rig;
    seat(rig);
    rig.feed(&GameModel::postScores, "1+300+300");
    QCOMPARE(text(rig, "label_bonus1"), QStringLiteral("+300"));
    rig.find<QWidget>("panel_winner")->show();
    rig.feed(&GameModel::nextPlayer, "3+3");
    QCOMPARE(text(rig, "label_roundnum"), QStringLiteral("Mission: 3  Bob's turn"));
    QCOMPARE(text(rig, "label_status"), QStringLiteral("Bob's turn."));
    QVERIFY(text(rig, "label_bonus1").isEmpty());
    QVERIFY(!visible(rig, "panel_winner"));
    QVERIFY(rig.find<QLabel>("label_playername3")->font().bold());
    QVERIFY(!rig.find<QLabel>("label_playername2")->font().bold());
    QCOMPARE(rig.find<QLabel>("image_turn")->y(), rig.find<QLabel>("label_playername3")->y());
    QVERIFY(rig.sounds.isEmpty());
    rig.feed(&GameModel::nextPlayer, "4+2");
    QCOMPARE(rig.sounds, QStringList{"turn"});
    QVERIFY(!rig.find<QLabel>("label_playername3")->font().bold());
    // A slot without a row names nobody: nothing changes.
    rig.feed(&GameModel::nextPlayer, "5+7");
    QCOMPARE(text(rig, "label_roundnum"), QStringLiteral("Mission: 4  Ann's turn"));
}

void TestTurnFlow::turnOverShowsReason_data()
{
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QStringList>("sounds");
    QTest::newRow("out of moves") << QByteArray("1") << "Out of Moves!" << QStringList{"nomove"};
    QTest::newRow("cleared") << QByteArray("2") << "Cleared the Board! Bonus +200!" << QStringList{"cleared"};
    QTest::newRow("out of time") << QByteArray("3") << "Out of Time!" << QStringList{"outtime"};
    QTest::newRow("everyone done") << QByteArray("4") << "Everyone has completed this turn!" << QStringList{"cleared"};
    QTest::newRow("unknown reason") << QByteArray("5") << "Welcome To Gloop Dash" << QStringList{};
}

void TestTurnFlow::turnOverShowsReason()
{
    QFETCH(QByteArray, reason);
    QFETCH(QString, banner);
    QFETCH(QStringList, sounds);
    GameViewRig rig;
    seat(rig);
    rig.startRound(1, 1);
    rig.sounds.clear();
    rig.feed(&GameModel::turnOver, "2+250+660+" + reason);
    QCOMPARE(text(rig, "label_status"), QStringLiteral("Turn Over"));
    QCOMPARE(text(rig, "label_over"), banner);
    QCOMPARE(rig.sounds, sounds);
    QCOMPARE(text(rig, "label_score2"), QStringLiteral("660"));
    QVERIFY(visible(rig, "panel_Over"));
    QVERIFY(rig.find<QLabel>("image_current")->pixmap().isNull());
    // The next board takes the banner away.
    rig.deal(2);
    QVERIFY(!visible(rig, "panel_Over"));
}

void TestTurnFlow::scoresOrderRowsStably()
{
    GameViewRig rig;
    for (int n = 1; n <= 6; ++n)
        rig.model->playerArrived(n, "P" + QString::number(n));
    rig.feed(&GameModel::postScores, "1+100+100+2+300+300+3+300+0+4+50+50+5+0+0+6+0+0");
    // Each row, name, total and result alike, sits where the model's order puts it.
    for (int k = 1; k <= 6; ++k) {
        const QString n = QString::number(rig.model->seats().order().slotAt(k));
        const int top = ScoreOrder::rowTop(k);
        QCOMPARE(rig.find<QLabel>("label_playername" + n)->y(), top);
        QCOMPARE(rig.find<QLabel>("label_score" + n)->y(), top);
        QCOMPARE(rig.find<QLabel>("label_bonus" + n)->y(), top);
    }
    QCOMPARE(text(rig, "label_score2"), QStringLiteral("300"));
    QCOMPARE(text(rig, "label_bonus2"), QStringLiteral("+300"));
    QVERIFY(text(rig, "label_bonus3").isEmpty()); // a round result of 0 is not shown
}

void TestTurnFlow::countdown_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("label");
    QTest::newRow("10 s") << 10 << 168 << "Time: 80";
    QTest::newRow("54 s") << 54 << 36 << "Time: 36";
    QTest::newRow("60 s") << 60 << 30 << "Time: 30";
    QTest::newRow("89 s") << 89 << 1 << "Time: 1";
    QTest::newRow("past the end") << 95 << 1 << "Time: 0";
}

void TestTurnFlow::countdown()
{
    QFETCH(int, ticks);
    QFETCH(int, width);
    QFETCH(QString, label);
    GameViewRig rig;
    QVERIFY(!rig.view->turnFlow().timer2().isActive());
    rig.startRound(1, 1);
    QVERIFY(rig.view->turnFlow().timer2().isActive());
    QCOMPARE(rig.find<QLabel>("image_timer")->width(), 198);
    ::ticks(rig, ticks);
    QCOMPARE(rig.find<QLabel>("image_timer")->width(), width);
    QCOMPARE(text(rig, "label_timer"), label);
}

void TestTurnFlow::bubbleNeverCoversTheStartButton()
{
    GameViewRig rig;
    seat(rig);
    rig.model->setHosting(true);
    rig.model->queuePhrase("Bot Ann  says: Good Game Everyone!|clRed");
    ticks(rig, 4);
    QVERIFY(visible(rig, "image_bubble"));
    auto* button = rig.back.findChild<QWidget*>("button_startgame");
    QVERIFY(button && visible(rig, "button_startgame"));
    // What a click on the button's middle reaches is the button itself.
    QCOMPARE(button->parentWidget()->childAt(button->geometry().center()), button);
}

void TestTurnFlow::phrasesShowOneAtATime()
{
    GameViewRig rig;
    rig.model->queuePhrase("Bob  says: Hi|clRed");
    rig.model->queuePhrase("Bob  says: Again|clBlue");
    ticks(rig, 3);
    QVERIFY(!visible(rig, "image_bubble"));
    ticks(rig, 1);
    QVERIFY(visible(rig, "image_bubble"));
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Hi"));
    ticks(rig, 3);
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Hi"));
    ticks(rig, 1);
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Again"));
    ticks(rig, 4);
    QVERIFY(!visible(rig, "image_bubble"));
    QVERIFY(!visible(rig, "label_bubble"));

    // A game start lets a waiting phrase show at the next tick.
    rig.feed(&GameModel::startGame, "Bob+1+3+");
    rig.model->queuePhrase("Bob  says: Go");
    ticks(rig, 1);
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Go"));
}

void TestTurnFlow::clockSleepsWhenNothingIsShown()
{
    GameViewRig rig;
    QTimer& clock = rig.view->turnFlow().timer2();
    rig.model->queuePhrase("Bob  says: Early");
    QVERIFY2(!clock.isActive(), "phrases wait for the first deal");
    rig.startRound(1, 1);
    ticks(rig, 89);
    QVERIFY(clock.isActive());
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Early"));
    ticks(rig, 1);
    QVERIFY2(!clock.isActive(), "the clock keeps running with nothing to show");

    rig.model->queuePhrase("Bob  says: Hi");
    QVERIFY(clock.isActive());
    ticks(rig, 1);
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: Hi"));
    ticks(rig, 3);
    QVERIFY(clock.isActive());
    ticks(rig, 1);
    QVERIFY(!visible(rig, "image_bubble"));
    QVERIFY(!clock.isActive());
}

void TestTurnFlow::phraseColour_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("named colour") << "Hi|clRed"
                                  << "Hi" << QColor(Qt::red);
    QTest::newRow("hex colour, blue byte first") << "Yo|$00FF0000"
                                                 << "Yo" << QColor(Qt::blue);
    QTest::newRow("unknown colour") << "Hi|clNothing"
                                    << "Hi" << QColor(Qt::black);
    QTest::newRow("no bar") << "Hi there"
                            << "Hi there" << QColor(Qt::black);
    QTest::newRow("two bars") << "a|b|clRed"
                              << "a" << QColor(Qt::black);
}

void TestTurnFlow::phraseColour()
{
    QFETCH(QString, phrase);
    QFETCH(QString, shown);
    QFETCH(QColor, colour);
    GameViewRig rig;
    rig.model->queuePhrase(phrase);
    ticks(rig, 4);
    auto* bubble = rig.find<QLabel>("label_bubble");
    QCOMPARE(bubble->text(), shown);
    QCOMPARE(bubble->palette().color(QPalette::WindowText), colour);
}

void TestTurnFlow::winnerOffersAndTallies_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("winner");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("calls");
    const QString won = "addwongame";
    QTest::newRow("standard 49999") << QByteArray("1") << "49999"
                                    << "Ann"
                                    << "Host" << QStringList{"addword 49999 3", won};
    QTest::newRow("standard 50000") << QByteArray("1") << "50000"
                                    << "Ann"
                                    << "Host" << QStringList{"sendscore Ann 3/7/24 50000 1", "addword 50000 3", won};
    QTest::newRow("classic 19999") << QByteArray("2") << "19999"
                                   << "Bob"
                                   << "Host" << QStringList{"addword 19999 3", "addgame Bob"};
    QTest::newRow("classic 20000") << QByteArray("2") << "20000"
                                   << "Bob"
                                   << "Host"
                                   << QStringList{"sendscore Ann 3/7/24 20000 2", "addword 20000 3", "addgame Bob"};
    QTest::newRow("solo game") << QByteArray("1") << "90000"
                               << "Ann"
                               << "You" << QStringList{"addword 90000 3", won};
    QTest::newRow("below tally best") << QByteArray("1") << "100"
                                      << "Bob"
                                      << "Host" << QStringList{"addgame Bob"};
    QTest::newRow("winner differs in case") << QByteArray("1") << "100"
                                            << "ann"
                                            << "Host" << QStringList{"addgame ann"};
    QTest::newRow("no game seen") << QByteArray() << "90000"
                                  << "Bob"
                                  << "Host" << QStringList{"addword 90000 3", "addgame Bob"};
}

void TestTurnFlow::winnerOffersAndTallies()
{
    QFETCH(QByteArray, mode);
    QFETCH(QString, total);
    QFETCH(QString, winner);
    QFETCH(QString, host);
    QFETCH(QStringList, calls);
    GameViewRig rig;
    seat(rig);
    recordTally(rig, "500");
    rig.model->playerArrived(1, host);
    if (!mode.isEmpty())
        rig.feed(&GameModel::loadStats, mode);
    rig.feed(&GameModel::postScores, "2+" + total.toUtf8() + "+0");
    rig.feed(&GameModel::winner, winner.toUtf8());
    QCOMPARE(rig.tally, calls);
    QCOMPARE(rig.sounds, QStringList{"gameover"});
    QCOMPARE(rig.lines.last(), "0+" + winner + " has Won the Game!");
    QCOMPARE(text(rig, "label_winner1"), winner);
    QCOMPARE(text(rig, "label_winner2"), winner);
    QVERIFY(visible(rig, "panel_winner"));
    QVERIFY(!visible(rig, "button_startgame")); // only the host's powers start the next game
}

void TestTurnFlow::watcherSeesBannerOnly()
{
    GameViewRig rig;
    seat(rig);
    recordTally(rig, "0");
    rig.session->slot = 7;
    rig.feed(&GameModel::loadStats, "1");
    rig.feed(&GameModel::postScores, "1+99999+0");
    rig.feed(&GameModel::winner, "Host+with plus");
    QVERIFY(rig.tally.isEmpty());
    QCOMPARE(text(rig, "label_winner2"), QStringLiteral("Host+with plus"));
    QVERIFY(visible(rig, "panel_winner"));

    GameViewRig host;
    host.session->slot = 1;
    host.model->setHosting(true);
    host.feed(&GameModel::startGame, "Host+1+3+");
    QVERIFY(!visible(host, "button_startgame"));
    host.feed(&GameModel::winner, "Ann");
    QVERIFY(visible(host, "button_startgame"));
    host.feed(&GameModel::nextPlayer, "1+1");
    QVERIFY(!visible(host, "panel_winner"));
}

void TestTurnFlow::startReadsFromTheRight_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("missions");
    QTest::newRow("plus in the name") << QByteArray("A+B+1+3+") << "0+A+B has started a game."
                                      << "3";
    QTest::newRow("classic") << QByteArray("Bob+2+6+") << "0+Bob has started a CLASSIC game."
                             << "6";
    QTest::newRow("mode not a number") << QByteArray("A+B+x+3+") << QString() << "";
}

void TestTurnFlow::startReadsFromTheRight()
{
    QFETCH(QByteArray, payload);
    QFETCH(QString, line);
    QFETCH(QString, missions);
    GameViewRig rig;
    seat(rig);
    rig.feed(&GameModel::postScores, "2+900+0");
    rig.feed(&GameModel::startGame, payload);
    QCOMPARE(rig.lines.isEmpty() ? QString() : rig.lines.last(), line);
    const bool started = !line.isEmpty();
    QCOMPARE(text(rig, "label_numround"), started ? "Missions Per Game: " + missions : QString());
    QCOMPARE(text(rig, "label_score2"), started ? QStringLiteral("0") : QStringLiteral("900"));
}

void TestTurnFlow::soloTextsSpeakToThePlayer()
{
    GameViewRig rig;
    rig.session->slot = 1;
    rig.session->setMyname("You");
    rig.model->playerArrived(1, "You");
    rig.feed(&GameModel::startGame, "You+1+3+");
    QCOMPARE(rig.lines.last(), QStringLiteral("0+You have started a game."));
    rig.feed(&GameModel::nextPlayer, "1+1");
    QCOMPARE(text(rig, "label_roundnum"), QStringLiteral("Mission: 1  Your turn"));
    QCOMPARE(text(rig, "label_status"), QStringLiteral("Your turn."));
    QCOMPARE(rig.sounds.last(), QStringLiteral("turn"));
    // The first second of a mission already shows its time.
    rig.deal(1);
    QCOMPARE(text(rig, "label_timer"), QStringLiteral("Time: 90"));
    QCOMPARE(rig.find<QLabel>("image_timer")->width(), 198);
    rig.feed(&GameModel::winner, "You");
    QCOMPARE(rig.lines.last(), QStringLiteral("0+You have Won the Game!"));
    QCOMPARE(text(rig, "label_winner3"), QStringLiteral("Have Won the Game!!"));
    QCOMPARE(text(rig, "label_winner4"), QStringLiteral("Have Won the Game!!"));

    // Someone else called "You" on another screen is still spoken of.
    rig.session->setMyname("Ann");
    rig.feed(&GameModel::winner, "You");
    QCOMPARE(text(rig, "label_winner3"), QStringLiteral("Has Won the Game!!"));
}

void TestTurnFlow::popupWakesTheSleepingClock()
{
    GameViewRig rig;
    QTimer& clock = rig.view->turnFlow().timer2();
    rig.startRound(1, 1);
    rig.feed(&GameModel::removeTile, "2+0+0+1+40+40+40");
    ticks(rig, 90);
    QVERIFY(!clock.isActive());
    // The server still takes picks for a moment after "Time: 0".
    rig.feed(&GameModel::removeTile, "2+1+1+1+10+10+50");
    QVERIFY(visible(rig, "image_bonus"));
    QVERIFY2(clock.isActive(), "the popup needs the clock to go away");
    ticks(rig, 3);
    QVERIFY(!visible(rig, "image_bonus"));
    QVERIFY(!visible(rig, "label_bonus"));
    QVERIFY(!clock.isActive());
}

void TestTurnFlow::replayStaysReadableAndTheEndStaysVisible()
{
    GameViewRig rig;
    rig.session->slot = 1;
    rig.model->setHosting(true);
    rig.startRound(1, 1);
    rig.feed(&GameModel::turnOver, "1+0+500+3");
    rig.feed(&GameView::thepath, "Host+f+0+0+1+10+10+1+1+f+1+1+2+20+30+1+1+s+30+");
    QVERIFY(visible(rig, "panel_winnerspath"));
    rig.model->queuePhrase("Bob  says: gg|clRed");
    ticks(rig, 4);
    // While the replay runs, phrases wait and nothing is raised over it.
    QVERIFY(!visible(rig, "image_bubble"));
    QVERIFY(above(rig, "panel_winnerspath", "panel_Over"));
    QVERIFY(above(rig, "panel_winnerspath", "image_bubble"));

    // Last mission: the winner and the next game's button come above the replay,
    // and the round's banner gives way to the winner's.
    rig.feed(&GameModel::winner, "Host");
    QVERIFY(above(rig, "panel_winner", "panel_winnerspath"));
    QVERIFY(visible(rig, "button_startgame"));
    QVERIFY(above(rig, "button_startgame", "panel_winnerspath"));
    QVERIFY(!visible(rig, "panel_Over"));

    // Once the replay has run out, the waiting phrase shows.
    for (int i = 0; i < 4; ++i)
        rig.view->replayPanel()->Timer1Timer();
    QVERIFY(!rig.view->replayPanel()->timer1().isActive());
    ticks(rig, 1);
    QVERIFY(visible(rig, "image_bubble"));
    QCOMPARE(text(rig, "label_bubble"), QStringLiteral("Bob says: gg"));
    QVERIFY(above(rig, "image_bubble", "panel_winnerspath"));
}

void TestTurnFlow::tieSaysAMissionWasAdded()
{
    GameViewRig rig;
    rig.feed(&GameModel::startGame, "Bob+1+3+");
    const QString tie = "0+Tie! An extra mission decides it.";
    for (int round = 1; round <= 3; ++round)
        rig.feed(&GameModel::nextPlayer, QByteArray::number(round) + "+2");
    QVERIFY(rig.lines.last() != tie);
    rig.feed(&GameModel::nextPlayer, "4+2");
    QCOMPARE(rig.lines.last(), tie);
    QCOMPARE(rig.colours.last(), QColor(0, 0, 255));
}

void TestTurnFlow::watchingSeatCannotPick()
{
    GameViewRig rig;
    seat(rig);
    rig.feed(&GameModel::startGame, "Host+1+3+");
    rig.model->seatWatching(2, true);
    QVERIFY(visible(rig, "label_watching"));
    QVERIFY(visible(rig, "image_eyes2"));
    rig.sounds.clear();
    rig.startRound(1, 1);
    QCOMPARE(text(rig, "label_roundnum"), QStringLiteral("Mission: 1  Just watching"));
    QCOMPARE(text(rig, "label_status"), QStringLiteral("Just watching."));
    QVERIFY(!rig.sounds.contains("turn"));
    rig.view->boardMouseUp(10, 10);
    QVERIFY(rig.session->sent.isEmpty());

    // The server seats every watcher again at a new game.
    rig.feed(&GameModel::nextPlayer, "2+2");
    rig.feed(&GameModel::startGame, "Host+1+3+");
    QVERIFY(!visible(rig, "label_watching"));
    QVERIFY(!visible(rig, "image_eyes2"));
}

void TestTurnFlow::rowsShowWhoPlaysWatchesAndLeft()
{
    GameViewRig rig;
    ScorePanel* panel = rig.view->scorePanel();
    // Rows start where the first scores put them.
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(panel->playerName(n)->y(), ScoreOrder::rowTop(n));
    seat(rig);
    rig.feed(&GameModel::postScores, "1+100+100+2+300+300+3+50+50");
    rig.model->seatWatching(3, true);
    QVERIFY(visible(rig, "image_eyes3"));
    const QColor playing = panel->playerName(1)->palette().color(QPalette::WindowText);
    QVERIFY(panel->playerName(3)->palette().color(QPalette::WindowText) != playing);
    QVERIFY(panel->playerName(3)->font().italic());

    // Host leaves: the row empties and dims, and sinks below everyone.
    rig.model->playerLeft(1, "Host");
    QCOMPARE(text(rig, "label_playername1"), QStringLiteral("<Waiting>"));
    QVERIFY(text(rig, "label_score1").isEmpty());
    QVERIFY(panel->playerName(1)->y() > panel->playerName(3)->y());
    QVERIFY(panel->playerName(1)->palette().color(QPalette::WindowText) != playing);

    // A newcomer in the freed seat starts at 0, playing.
    rig.model->playerArrived(1, "Dee");
    QCOMPARE(text(rig, "label_score1"), QStringLiteral("0"));
    QCOMPARE(panel->playerName(1)->palette().color(QPalette::WindowText), playing);
}

QTEST_MAIN(TestTurnFlow)
#include "test_turn_flow.moc"
