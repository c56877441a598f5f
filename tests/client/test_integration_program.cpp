// The whole program as a player meets it: every window created and wired,
// hosting on a free port, with settings, tile sets, the tally and real players
// (the gloopbot tool) around one game.
#include "bot/bot_seats.h"
#include "chat/chat_menu.h"
#include "chat/core/colour_text.h"
#include "chat/core/game_settings.h"
#include "chat/core/settings_file.h"
#include "chat/panel_chat.h"
#include "chat/phrase_buttons.h"
#include "chat/tile_set_menu.h"
#include "chat/tphrases.h"
#include "client/board_canvas.h"
#include "client/board_view.h"
#include "client/chat_binding.h"
#include "client/connection_controller.h"
#include "client/core/client_session.h"
#include "client/core/game_model.h"
#include "client/game_view.h"
#include "client/main_window.h"
#include "client/program_windows.h"
#include "client/settings_binding.h"
#include "raw_http_server.h"
#include "scripted_peer.h"
#include "server/server.h"
#include "side/core/score_post.h"
#include "side/core/tally_book.h"
#include "side/game_start_window.h"
#include "side/high_score_window.h"
#include "side/tally_list_window.h"
#include "ui/rich_chat_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace {

const QColor SetColour(0, 0, 255);

// A tile set whose seven pieces are plain blue and whose bonuses are black,
// that is see-through.
void writeBlueSet(const QString& home)
{
    QDir(home).mkpath(QStringLiteral("gloopdashtiles"));
    QImage strip(576, 48, QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int x = 0; x < 7 * 48; ++x)
        for (int y = 0; y < 48; ++y)
            strip.setPixelColor(x, y, SetColour);
    QVERIFY(strip.save(home + QStringLiteral("/gloopdashtiles/Blue.bmp"), "BMP"));
}

bool settingsLoaded(ProgramWindows& program)
{
    return QTest::qWaitFor([&] { return program.settings().file().hasLoaded(); });
}

QString botPath()
{
    return qEnvironmentVariable("GD_TOOLS_DIR") + QStringLiteral("/gloopbot/gloopbot");
}

QString chatText(ProgramWindows& program)
{
    RichChatView* view = program.chatBinding().panel().mainchat();
    view->SelectAllText();
    return view->SelectedText().simplified();
}

QString rowText(ProgramWindows& program, const char* prefix, int slot)
{
    const auto* label = program.chat().findChild<QLabel*>(QLatin1String(prefix) + QString::number(slot));
    return label ? label->text() : QString();
}

// Walks the board's cursor to cell (x, y) with the arrow keys and picks it
// with Space, as a player without a mouse does.
void pickByKeys(GameView& view, int x, int y)
{
    BoardCanvas* canvas = view.boardView()->canvas();
    while (canvas->cursorCell() != QPoint(x, y)) {
        const QPoint at = canvas->cursorCell();
        const Qt::Key key = at.x() < x ? Qt::Key_Right
            : at.x() > x               ? Qt::Key_Left
            : at.y() < y               ? Qt::Key_Down
                                       : Qt::Key_Up;
        QTest::keyClick(canvas, key);
    }
    QTest::keyClick(canvas, Qt::Key_Space);
}

// Ann's own pick of the first cell that matches her current tile.
void pickLikeAPlayer(GameView& view, const GameModel& model, bool byKeys = false)
{
    const BoardModel& board = model.board();
    const int current = board.currentTile();
    if (!board.canselect() || current <= 0)
        return;
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            const int tile = board.tile(x, y);
            if (tile > 0 && (tile == current || tile == 6 || current == 6)) {
                if (byKeys)
                    pickByKeys(view, x, y);
                else
                    view.boardMouseUp(52 * x + 26, 52 * y + 26);
                return;
            }
        }
    }
}

// Moves the server's clock by hand: through a pause at once, through a round
// once nobody has picked for a while.
// Runs on the server's thread.
struct ClockHand {
    QElapsedTimer quiet;
    int lastMoves = -1;

    void step(GameTable& table, const GameState& game)
    {
        int moves = 0;
        for (int seat = 1; seat <= Table::Seats; ++seat)
            moves += game.players[seat].movecount;
        if (moves != lastMoves) {
            lastMoves = moves;
            quiet.restart();
        }
        if (!game.gamerunning)
            return;
        if (table.phase() == RoundPhase::Pause) {
            while (game.gamerunning && table.phase() == RoundPhase::Pause)
                table.Timer1Timer();
        } else if (quiet.elapsed() > 1500) {
            for (int i = 0; i < 93 && game.gamerunning && table.phase() == RoundPhase::InPlay; ++i)
                table.Timer1Timer();
        }
    }
};

// Picks like a player and moves the server's round clock on once play goes
// quiet, until a game has been played to its end (false after two minutes).
// `round` is the last mission the game reached.
bool playToTheEnd(ServerThread& server, GameView& view, const GameModel& model, int& round, bool byKeys = false)
{
    ClockHand clock;
    clock.quiet.start();
    QElapsedTimer total;
    total.start();
    bool running = false;
    do {
        if (total.elapsed() > 120000)
            return false;
        QTest::qWait(5);
        pickLikeAPlayer(view, model, byKeys);
        server.call([&](Server& s) {
            clock.step(s.table(), s.game());
            round = s.game().round;
            running = s.game().gamerunning;
        });
    } while (round == 0 || running);
    return true;
}

} // namespace

class TestIntegrationProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void settingsSurviveARestart();
    void changesBeforeTheConnectionKeepStoredValues();
    void playsAStandardGameWithTwoBotsToTheWinner();
    void soloGameWithBotsFromTheWindowPlaysToTheWinner_data();
    void soloGameWithBotsFromTheWindowPlaysToTheWinner();
    void highScorePostFollowsTheOption_data();
    void highScorePostFollowsTheOption();

private:
    QTemporaryDir m_runtime;
};

void TestIntegrationProgram::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
}

void TestIntegrationProgram::settingsSurviveARestart()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    writeBlueSet(home.path());
    const QRect moved(40, 50, 760, 600);
    {
        ProgramWindows program(0, 0);
        program.start({"Ann", "127.0.0.1", "true"});
        QVERIFY(settingsLoaded(program));
        // Without a file the first connection brings the stored defaults.
        QVERIFY(program.chatBinding().panel().menu()->sizeItem(8)->isChecked());
        QVERIFY(program.chatBinding().soundOptions().chatterSounds->isChecked());

        program.chatBinding().panel().menu()->sizeItem(14)->trigger();
        program.chatBinding().panel().menu()->textColor()->trigger();
        auto* chooser = program.chatBinding().panel().findChild<QColorDialog*>("ColorDialog");
        QVERIFY(chooser);
        chooser->setCurrentColor(Qt::red);
        chooser->accept();
        program.chatBinding().soundOptions().playSounds->trigger();
        program.settings().winnersPath()->trigger();
        program.settings().tileSetMenu().item("Blue")->trigger();
        program.phrases().openEditor(&program.chat());
        program.phrases().edit(4)->setText("Go team");
        QTest::mouseClick(program.phrases().findChild<QAbstractButton*>("button_done"), Qt::LeftButton);
        program.chat().setWindowBounds(moved);
        program.chat().close();
    }
    SettingsFile file(home.path());
    const GameSettings stored = file.load();
    QCOMPARE(stored.textSize, 14);
    QCOMPARE(stored.textColor, QStringLiteral("clRed"));
    QCOMPARE(stored.playSounds, false);
    QCOMPARE(stored.winnersPath, false);
    QCOMPARE(stored.tiles, QStringLiteral("Blue"));
    QCOMPARE(stored.phrases[3], QStringLiteral("Go team"));
    QCOMPARE(stored.bounds(), moved);

    ProgramWindows program(0, 0);
    // Until the connection is confirmed the built-in state shows.
    QVERIFY(program.chatBinding().soundOptions().playSounds->isChecked());
    QCOMPARE(program.settings().tileSet().currentTileSet(), QString());
    program.start({"Ann", "127.0.0.1", "true"});
    QVERIFY(settingsLoaded(program));
    QCOMPARE(program.chatBinding().panel().textSize(), 14);
    QVERIFY(program.chatBinding().panel().menu()->sizeItem(14)->isChecked());
    QCOMPARE(program.chatBinding().panel().ownColour(), ColourText::Red);
    QVERIFY(!program.chatBinding().soundOptions().playSounds->isChecked());
    QVERIFY(!program.chatBinding().player().playSounds());
    // The hosting server reads the same option.
    QVERIFY(!program.settings().hostOptions().showWinnersPath());
    QCOMPARE(program.settings().tileSet().currentTileSet(), QStringLiteral("Blue"));
    QVERIFY(program.settings().tileSetMenu().item("Blue")->isChecked());
    QCOMPARE(program.chatBinding().buttons().phrase(4), QStringLiteral("Go team"));
    QCOMPARE(program.chatBinding().buttons().phrase(1), QStringLiteral("Way To Go!"));
    QCOMPARE(program.chat().windowBounds(), moved);
    QCOMPARE(program.chat().savedBounds(), moved);
    // A later login of the same run leaves the window where the player put it.
    const QRect later(90, 70, 760, 600);
    program.chat().setWindowBounds(later);
    program.settings().loadinifile();
    QCOMPARE(program.chat().windowBounds(), later);
    program.chat().close();
}

void TestIntegrationProgram::changesBeforeTheConnectionKeepStoredValues()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    QFile ini(home.filePath("rezeruvar.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[gloopdash]\r\nTextsize=12\r\nTextcolor=clNavy\r\nPlaysounds=false\r\nLeft=100\r\n");
    ini.close();
    {
        // Two arguments: the window opens but never connects, so nothing is loaded.
        ProgramWindows program(0, 0);
        program.start({"Ann", "127.0.0.1"});
        program.chatBinding().panel().menu()->sizeItem(10)->trigger();
        program.settings().winnersPath()->trigger();
        program.chat().close();
    }
    SettingsFile file(home.path());
    const GameSettings stored = file.load();
    QCOMPARE(stored.textSize, 10);
    QCOMPARE(stored.winnersPath, false);
    // Untouched in this run, so kept as stored (the window was not moved either).
    QCOMPARE(stored.textColor, QStringLiteral("clNavy"));
    QCOMPARE(stored.playSounds, false);
    QCOMPARE(stored.left, 100);
    QCOMPARE(stored.tiles, QString());
}

void TestIntegrationProgram::playsAStandardGameWithTwoBotsToTheWinner()
{
    QVERIFY2(QFile::exists(botPath()), qPrintable(botPath()));
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    writeBlueSet(home.path());
    GameSettings stored;
    stored.tiles = QStringLiteral("Blue");
    QVERIFY(SettingsFile(home.path()).save(stored, SettingsFile::Key::Tiles));

    ProgramWindows program(0, 0);
    program.start({"Ann", "127.0.0.1", "true"});
    ServerThread& server = program.connection().server();
    server.call([](Server& s) { s.table().Timer1().setRealTime(false); });
    QVERIFY(settingsLoaded(program));
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    std::vector<std::unique_ptr<QProcess>> bots;
    // Two different players: equal play would tie every round, and a tie plays on.
    const QList<QStringList> players{{"Bob", "--seed", "1"}, {"Cy", "--strategy", "random", "--seed", "2"}};
    for (const QStringList& player : players) {
        bots.push_back(std::make_unique<QProcess>());
        bots.back()->start(botPath(), QStringList{address} + player + QStringList{"--delay", "0"});
    }
    // The bots connect in either order.
    QTRY_VERIFY(rowText(program, "label_playername", 2) != "<Waiting>"
                && rowText(program, "label_playername", 3) != "<Waiting>");
    const QString slot2 = rowText(program, "label_playername", 2);

    // Ann starts a standard game from the game-start window.
    program.gamestart().show();
    QTest::mouseClick(program.gamestart().findChild<QAbstractButton*>("button_start"), Qt::LeftButton);
    GameView& view = program.chat().gameView();
    const GameModel& model = program.model();
    QTRY_VERIFY(model.board().currentTile() > 0);
    // The stored tile set draws the board: every piece is blue.
    const QImage board = view.boardView()->canvas()->grab().toImage();
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (model.board().tile(x, y) > 0 && model.board().bonus(x, y) == 0)
                QCOMPARE(board.pixelColor(52 * x + 26, 52 * y + 26), SetColour);

    int round = 0;
    QVERIFY2(playToTheEnd(server, view, model, round), "the game did not end");
    // The event loop must run meanwhile: the winner is still on its way to them.
    for (auto& bot : bots)
        QTRY_COMPARE_WITH_TIMEOUT(bot->state(), QProcess::NotRunning, 10000);

    // Every copy agrees on the winner: the bots' own reports, Ann's banner and chat.
    const QRegularExpression report(QStringLiteral("^(\\w+) final score (\\d+) winner (\\w+)\\n$"));
    QString winner;
    for (auto& bot : bots) {
        const QRegularExpressionMatch m = report.match(QString::fromUtf8(bot->readAllStandardOutput()));
        QVERIFY(m.hasMatch());
        winner = m.captured(3);
        const int slot = m.captured(1) == slot2 ? 2 : 3;
        QTRY_COMPARE(rowText(program, "label_score", slot), m.captured(2));
    }
    QTRY_VERIFY(program.chat().findChild<QWidget*>("panel_winner")->isVisible());
    QCOMPARE(rowText(program, "label_winner", 1), winner);
    QVERIFY(chatText(program).contains(winner + " has Won the Game!"));
    QVERIFY(round >= 3);
    QVERIFY(rowText(program, "label_score", 1).toInt() > 0);

    // The tally counted the game and keeps Ann's best final score.
    QCOMPARE(program.tallyBook().mylabeltext(1), QStringLiteral("1"));
    QCOMPARE(program.tallyBook().mylabeltext(2), winner == QLatin1String("Ann") ? "1" : "0");
    QCOMPARE(program.tallyBook().mylabeltext(3), rowText(program, "label_score", 1));
    QVERIFY(QFile::exists(program.tallyBook().filePath()));
    // The window, first opened after the game, shows what was counted and who played.
    QCOMPARE(program.tallylist().findChild<QLabel*>("mylabel_1")->text(), QStringLiteral("1"));
    QCOMPARE(program.tallylist().checklist()->count(), program.tallyBook().playersInGame().size());
    program.chat().close();
}

void TestIntegrationProgram::soloGameWithBotsFromTheWindowPlaysToTheWinner_data()
{
    QTest::addColumn<bool>("byKeys");
    QTest::newRow("mouse") << false;
    // The window's buttons pressed with Space, the board played with the cursor.
    QTest::newRow("keyboard alone") << true;
}

void TestIntegrationProgram::soloGameWithBotsFromTheWindowPlaysToTheWinner()
{
    QFETCH(bool, byKeys);
    const auto press = [byKeys](QAbstractButton* button) {
        if (byKeys)
            QTest::keyClick(button, Qt::Key_Space);
        else
            QTest::mouseClick(button, Qt::LeftButton);
    };
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    qputenv("GLOOPDASH_BOT_PACE", "0");
    ProgramWindows program(0, 0);
    qunsetenv("GLOOPDASH_BOT_PACE");
    program.start({});
    ServerThread& server = program.connection().server();
    server.call([](Server& s) { s.table().Timer1().setRealTime(false); });
    QVERIFY(settingsLoaded(program));
    QTRY_COMPARE(rowText(program, "label_playername", 1), QStringLiteral("You"));

    // Three bots in, the last one out again: a hard and an easy bot stay.
    Tgamestart& window = program.gamestart();
    window.show();
    auto* level = window.findChild<QComboBox*>("combobox_botlevel");
    auto* add = window.findChild<QAbstractButton*>("button_addbot");
    for (int index : {2, 0, 1}) {
        level->setCurrentIndex(index);
        press(add);
    }
    QTRY_COMPARE(rowText(program, "label_playername", 4), QStringLiteral("Bot Dot (normal)"));
    press(window.findChild<QAbstractButton*>("button_removebot"));
    QTRY_COMPARE(rowText(program, "label_playername", 4), QStringLiteral("<Waiting>"));
    QCOMPARE(program.botSeats().count(), 2);
    QCOMPARE(rowText(program, "label_playername", 2), QStringLiteral("Bot Ann (hard)"));
    QCOMPARE(rowText(program, "label_playername", 3), QStringLiteral("Bot Cy (easy)"));

    press(window.findChild<QAbstractButton*>("button_start"));
    GameView& view = program.chat().gameView();
    const GameModel& model = program.model();
    int round = 0;
    QVERIFY2(playToTheEnd(server, view, model, round, byKeys), "the game did not end");
    // A game of three: the banner names the best of them, and each seat's
    // final score is in the score panel.
    PlayerTable players;
    server.call([&](Server& s) { players = s.game().players; });
    int best = 1;
    for (int seat = 1; seat <= 3; ++seat) {
        QTRY_COMPARE(rowText(program, "label_score", seat), QString::number(players[seat].total));
        QVERIFY(players[seat].total > 0);
        if (players[seat].total > players[best].total)
            best = seat;
    }
    QTRY_VERIFY(program.chat().findChild<QWidget*>("panel_winner")->isVisible());
    QCOMPARE(rowText(program, "label_winner", 1), QString::fromUtf8(players[best].name));
    program.chat().close();
}

void TestIntegrationProgram::highScorePostFollowsTheOption_data()
{
    QTest::addColumn<bool>("option");
    QTest::newRow("Post High Score on") << true;
    QTest::newRow("Post High Score off") << false;
}

void TestIntegrationProgram::highScorePostFollowsTheOption()
{
    QFETCH(bool, option);
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    RawHttpServer web;
    ScriptedPeer host;
    ProgramWindows program(host.port(), 0);
    program.highscore().setWebHost(web.host());
    program.start({"Ann", "127.0.0.1", "false"});
    QVERIFY(host.accept());
    host.write("CMD_sendlogininfo+2" + FF + "CMD_newplayerinfo+2+Ann" + FF + "CMD_existingplayers+1+Bob" + FF);
    QVERIFY(settingsLoaded(program));
    if (!option)
        program.settings().highScore()->trigger();

    // Ann ends a normal game with 52340 points, more than the score limit.
    host.write("CMD_startgame+Bob+1+3+" + FF + "CMD_postscores+1+700+0+2+52340+0+3+0+0+4+0+0+5+0+0+6+0+0" + FF
               + "CMD_winner+Ann" + FF);
    QTRY_VERIFY(program.chat().findChild<QWidget*>("panel_winner")->isVisible());
    // The score page asked for afterwards comes second, or first when nothing was posted.
    program.chat().findChild<QAction*>("HighScores1")->trigger();
    QTRY_VERIFY(!web.requests().isEmpty());
    const QByteArray first = web.requests().first();
    const QString date = ScorePost::dateText(QDate::currentDate(), ScorePost::systemDateSeparator());
    const QByteArray post = "GET /cgi-bin/gloop.cgi?name=Ann&date=" + date.toUtf8() + "&score=52340 HTTP/1.0\r\n";
    QCOMPARE(first.startsWith(post), option);
    QCOMPARE(first.startsWith("GET /counter/gloop.shtml HTTP/1.0\r\n"), !option);
    program.chat().close();
}

QTEST_MAIN(TestIntegrationProgram)
#include "test_integration_program.moc"
