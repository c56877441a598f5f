#include "chat/core/chat_line.h"
#include "client/after_first_paint.h"
#include "client/connection_controller.h"
#include "client/core/game_model.h"
#include "client/game_view.h"
#include "client/main_window.h"
#include "client/player_list_controller.h"
#include "client/program_windows.h"
#include "client/settings_binding.h"
#include "gd_version.h"
#include "net/protocol_to_client.h"
#include "scripted_peer.h"
#include "server/host_options.h"
#include "server/server.h"
#include "side/about_window.h"
#include "side/download_window.h"
#include "side/spy_list_window.h"
#include "support_client_parts.h"
#include "ui/design_scale.h"
#include "ui/window_frame.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One copy of the game's main window with its chat lines and chatter sounds recorded.
struct Copy : RecordedParts {
    FixedHostOptions options;
    GameModel model;
    MainWindow window{model, parts()};
    ConnectionController connection{model, window, options};

    QString rowName(int slot) const
    {
        const auto* label = window.findChild<QLabel*>("label_playername" + QString::number(slot));
        return label ? label->text() : QString();
    }
    QAction* action(const char* name) const { return window.findChild<QAction*>(name); }
    // Joins a scripted server as Ann.
    bool join(ScriptedPeer& server)
    {
        connection.setPorts(server.port(), 0);
        connection.setCommandLine({"Ann", "127.0.0.1", "false"});
        window.show();
        return server.accept();
    }
};

QMessageBox* findBox(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return qobject_cast<QMessageBox*>(w);
    }
    return nullptr;
}

const QColor Blue(0, 0, 255);

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sideWindowsBuiltLateMissNothing();
    void heldWorkFollowsTheFirstPaint();
    void commandLine_data();
    void commandLine();
    void takenPortIsShownAndNothingConnects();
    void smallestClientAreaFollowsTheBoard();
    void closeWritesSettingsOnlyWhenBoundsChanged_data();
    void closeWritesSettingsOnlyWhenBoundsChanged();
    void lostServerEndsTheProgram_data();
    void lostServerEndsTheProgram();
    void silentHostIsReported();
    void secondaryWindowsFitTheirTitles();
    void scriptedGameShowsWhatTheServerSays();
    void dispatchesInArrivalOrderThroughOneTable();
    void ignoredAndMutedPlayersAreHeldBack();
    void ignoreListOutlivesARestart();
    void programCreatesEveryWindowOnceAndHosts();

private:
    QTemporaryDir m_runtime;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
}

void TestMainWindow::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("hosts");
    QTest::addColumn<QString>("seated");
    QTest::addColumn<bool>("linksLobby");

    // "remote" stands for the host address of a copy that hosts elsewhere.
    QTest::newRow("solo") << QStringList{} << true << "You" << false;
    QTest::newRow("host ignores the address") << QStringList{"Ann", "10.0.0.5", "true"} << true << "Ann" << true;
    QTest::newRow("join") << QStringList{"Bob", "remote", "false"} << false << "Bob" << true;
    QTest::newRow("True is not true") << QStringList{"Cy", "remote", "True"} << false << "Cy" << true;
    QTest::newRow("two arguments stay unconnected") << QStringList{"Ed", "remote"} << false << "" << false;
}

void TestMainWindow::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, hosts);
    QFETCH(QString, seated);
    QFETCH(bool, linksLobby);
    bool download = false;
    FixedHostOptions elsewhereOptions;
    Server elsewhere(elsewhereOptions, 0);
    elsewhere.listen();
    ScriptedPeer lobby;
    Copy copy;
    QObject::connect(
        &copy.window, &MainWindow::sideWindowRequested, &copy.window,
        [&download](MainWindow::SideWindow which) { download |= which == MainWindow::SideWindow::Download; });
    // Joining uses the game port; hosting uses whatever free port its own server got.
    copy.connection.setPorts(elsewhere.port(), lobby.port());
    copy.connection.setHostPort(0);
    for (QString& a : arguments)
        a.replace("remote", "127.0.0.1");
    copy.connection.setCommandLine(arguments);
    copy.window.show();

    QTRY_COMPARE(copy.lines.value(0),
                 arguments.isEmpty() ? QStringLiteral("0+Loading Solo Game..Please wait.")
                                     : QStringLiteral("0+Loading Multi-player Game.. Please Wait."));
    QCOMPARE(copy.colours.value(0), Blue);
    QCOMPARE(download, arguments.isEmpty());
    if (linksLobby)
        QVERIFY(lobby.accept());
    if (!seated.isEmpty()) {
        QTRY_COMPARE(copy.rowName(1), seated);
        QCOMPARE(copy.model.session().myname(), seated);
        QCOMPARE(copy.model.session().hostaddress(), arguments.value(1, "127.0.0.1"));
        QVERIFY(copy.lines.contains("0+You are Connected."));
    } else {
        QVERIFY(copy.model.session().sock().HostName().isEmpty());
        QVERIFY(copy.model.session().myname().isEmpty());
    }
    QCOMPARE(copy.model.hosting(), hosts);
    QCOMPARE(copy.connection.server().port() != 0, hosts);
    QCOMPARE(copy.action("StartGame1")->isEnabled(), hosts);
    if (!linksLobby)
        QVERIFY(!lobby.contacted());
}

void TestMainWindow::takenPortIsShownAndNothingConnects()
{
    QTcpServer blocker;
    QVERIFY(blocker.listen(QHostAddress::Any, 0));
    ScriptedPeer lobby;
    Copy copy;
    copy.connection.setPorts(blocker.serverPort(), lobby.port());
    copy.connection.setCommandLine({"Ann", "127.0.0.1", "true"});
    copy.window.show();
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = findBox("errorbox")) != nullptr);
    QCOMPARE(box->text(), QStringLiteral("Listen - Error Binding Socket"));
    QVERIFY(!copy.model.hosting());
    QVERIFY(!copy.action("StartGame1")->isEnabled());
    QVERIFY(!lobby.contacted());
    QVERIFY(copy.model.session().sock().HostName().isEmpty());
    box->accept();
}

void TestMainWindow::smallestClientAreaFollowsTheBoard()
{
    Copy copy;
    copy.connection.setCommandLine({"Ann"});
    copy.window.show();
    copy.window.resize(200, 200);
    QTRY_COMPARE(copy.window.centralWidget()->size(), QSize(329, 326));
    // The chat shrinks with the window and never gets a negative size.
    const auto* chat = copy.window.findChild<QWidget*>("panel_chat");
    QVERIFY(chat->width() >= 0 && chat->height() >= 0);
    copy.window.resize(905, 722);
    QTRY_COMPARE(copy.window.centralWidget()->width(), 905);
    const int client = copy.window.centralWidget()->height();
    // The chat grows with the rest of the game area, in its design proportions.
    const qreal scale = qMin(905.0 / 713, client / 531.0);
    QCOMPARE(chat->geometry(), DesignScale::scaled(QRect(8, 353, 692, 171), scale));
}

void TestMainWindow::closeWritesSettingsOnlyWhenBoundsChanged_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("current");
    QTest::addColumn<bool>("writes");
    QTest::newRow("unchanged") << QRect(30, 40, 720, 560) << QRect(30, 40, 720, 560) << false;
    QTest::newRow("moved") << QRect(30, 40, 720, 560) << QRect(31, 40, 720, 560) << true;
    QTest::newRow("never loaded") << QRect(0, 0, 0, 0) << MainWindow::ResetBounds << true;
}

void TestMainWindow::closeWritesSettingsOnlyWhenBoundsChanged()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, current);
    QFETCH(bool, writes);
    Copy copy;
    QSignalSpy save(&copy.window, &MainWindow::saveSettingsRequested);
    QSignalSpy closed(&copy.window, &MainWindow::closed);
    copy.window.setWindowBounds(current);
    copy.window.setSavedBounds(saved);
    copy.window.close();
    QCOMPARE(closed.size(), 1);
    QCOMPARE(save.size(), writes ? 1 : 0);
    QCOMPARE(copy.window.savedBounds(), writes ? copy.window.windowBounds() : saved);
}

void TestMainWindow::lostServerEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("says");
    // A table that closes without a word is a broken link, come back to; one
    // that says goodbye ends the game.
    QTest::newRow("closed after a goodbye") << QByteArray("CMD_closing+") << "closedbox"
                                            << "The connection to the game has closed.";
    QTest::newRow("removed by the host") << QByteArray("CMD_kicked+") << "closedbox"
                                         << "You were removed from the game.";
    QTest::newRow("game is full, then closed") << QByteArray("CMD_full+") << "fullbox"
                                               << "Game is full";
    QTest::newRow("lobby link closed") << QByteArray() << QString() << QString();
}

void TestMainWindow::lostServerEndsTheProgram()
{
    QFETCH(QByteArray, last);
    QFETCH(QString, box);
    QFETCH(QString, says);
    ScriptedPeer server;
    ScriptedPeer lobby;
    Copy copy;
    QSignalSpy closed(&copy.window, &MainWindow::closed);
    copy.connection.setPorts(server.port(), lobby.port());
    copy.connection.setCommandLine({"Ann", "127.0.0.1", "false"});
    copy.window.show();
    QVERIFY(server.accept());
    QVERIFY(lobby.accept());
    server.write("CMD_sendlogininfo+2" + FF);
    if (!last.isEmpty())
        server.write(last + FF);
    // Ending the lobby's link ends the game at once, as the lobby means it to.
    if (box.isEmpty()) {
        lobby.close();
        QTRY_COMPARE(closed.size(), 1);
        return;
    }
    server.close();
    // The player is told why first; the program ends when the box is dismissed.
    QTRY_VERIFY(findBox(box));
    QCOMPARE(findBox(box)->text(), says);
    QVERIFY(!(findBox(box)->windowFlags() & Qt::WindowMaximizeButtonHint));
    QTRY_VERIFY(!copy.model.session().sock().Connected());
    QCoreApplication::processEvents();
    QVERIFY(copy.window.isVisible());
    QCOMPARE(closed.size(), 0);
    findBox(box)->accept();
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!copy.window.isVisible());
}

void TestMainWindow::silentHostIsReported()
{
    // A listener that never speaks: the connection opens, no slot ever comes.
    ScriptedPeer server;
    Copy copy;
    copy.model.session().setAnswerWait(300);
    QVERIFY(copy.join(server));
    const QString said = "0+The host does not answer. No game was found at 127.0.0.1.";
    QTRY_COMPARE(copy.lines.size(), 2);
    QCOMPARE(copy.lines, QStringList({"0+Loading Multi-player Game.. Please Wait.", said}));
    QCOMPARE(copy.colours.last(), Blue);
    QVERIFY(copy.window.isVisible());

    // A host that answers in time is not reported.
    ScriptedPeer host;
    Copy answered;
    answered.model.session().setAnswerWait(300);
    QVERIFY(answered.join(host));
    host.write("CMD_sendlogininfo+2" + FF);
    QTRY_VERIFY(answered.model.session().loggedin());
    QTest::qWait(500);
    QVERIFY(!answered.lines.contains(said));
}

void TestMainWindow::secondaryWindowsFitTheirTitles()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    ProgramWindows program(0, 0);
    program.highscore();
    for (int which = 0; which <= int(MainWindow::SideWindow::Download); ++which)
        emit program.chat().sideWindowRequested(MainWindow::SideWindow(which));
    emit program.chat().phraseListRequested();
    program.chat().findChild<QAction*>("HostGame1")->trigger();
    program.chat().findChild<QAction*>("JoinGame1")->trigger();
    QTRY_VERIFY(program.download().isVisible());
    int checked = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == &program.chat() || !window->isWindow() || window->windowTitle().isEmpty())
            continue;
        ++checked;
        QVERIFY2(!(window->windowFlags() & Qt::WindowMaximizeButtonHint), qPrintable(window->windowTitle()));
        QVERIFY2(window->width() >= WindowFrame::titleWidth(window), qPrintable(window->windowTitle()));
        // Nothing is squeezed to make the title fit: every button has room for its text.
        for (const QPushButton* b : window->findChildren<QPushButton*>())
            if (b->isVisible() && !b->text().isEmpty())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(window->windowTitle() + ": " + b->text()));
        // The host and join dialogs go with their answer: nothing to minimise.
        if (qobject_cast<QDialog*>(window) && window->isVisible())
            QVERIFY2(!(window->windowFlags() & Qt::WindowMinimizeButtonHint), qPrintable(window->windowTitle()));
    }
    QVERIFY(checked >= 11);

    // A one-line box grows to its title too.
    Copy copy;
    ScriptedPeer server;
    QVERIFY(copy.join(server));
    server.write("CMD_full+" + FF);
    QTRY_VERIFY(findBox("fullbox"));
    QVERIFY(findBox("fullbox")->width() >= WindowFrame::titleWidth(findBox("fullbox")));
    findBox("fullbox")->accept();
}

void TestMainWindow::scriptedGameShowsWhatTheServerSays()
{
    ScriptedPeer server;
    Copy copy;
    QVERIFY(copy.join(server));
    QByteArray deal;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            deal += QByteArray(deal.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + "+1";
    const auto label = [&copy](const QString& name) { return copy.window.findChild<QLabel*>(name); };
    server.write("CMD_sendlogininfo+2" + FF + "CMD_existingplayers+1+A+B" + FF + "CMD_newplayerinfo+2+Ann" + FF
                 + "CMD_newplayerinfo+3+Bob" + FF + "CMD_startgame+A+B+1+3+" + FF + "CMD_justwatching+2+1" + FF
                 + "CMD_nextplayer+1+2" + FF + "CMD_settiles+" + deal + FF + "CMD_setbonus+0+0+0" + FF
                 + "CMD_setnexttile+1+1" + FF + "CMD_postscores+1+500+500+2+0+0+3+900+900+4+0+0+5+0+0+6+0+0" + FF
                 + "CMD_playerdisconnected+3+Bob" + FF);
    QTRY_VERIFY(copy.lines.contains("0+Bob disconnected."));
    // A "+" in the starter's name: the start still counts.
    QVERIFY(copy.lines.contains("0+A+B has started a game."));
    QCOMPARE(label("label_numround")->text(), QStringLiteral("Missions Per Game: 3"));
    QCOMPARE(copy.model.mode(), GameMode::Standard);
    // Watching: the tick, the board's notice, and no pick leaves.
    QVERIFY(copy.action("JustWatch1")->isChecked());
    QVERIFY(label("label_watching")->isVisibleTo(&copy.window));
    QTest::mouseClick(copy.window.findChild<QWidget*>("board"), Qt::LeftButton, {}, QPoint(10, 10));
    // Bob left: his 900 neither stays nor ranks above the players.
    QVERIFY(label("label_score3")->text().isEmpty());
    QVERIFY(label("label_playername3")->y() > label("label_playername1")->y());
    QVERIFY(label("label_playername3")->y() > label("label_playername2")->y());
    server.write("CMD_newplayerinfo+3+Cy" + FF + "CMD_winner+A+B" + FF + "CMD_startgame+A+B+1+3+" + FF);
    QTRY_COMPARE(label("label_playername3")->text(), QStringLiteral("Cy"));
    QCOMPARE(label("label_score3")->text(), QStringLiteral("0"));
    // The next game seats the watcher again, and the tick says so.
    QTRY_VERIFY(!copy.action("JustWatch1")->isChecked());
    QVERIFY(!label("label_watching")->isVisibleTo(&copy.window));
    const QByteArray login = "CMD_logininfo+2+" GD_VERSION_TEXT "+Ann" + FF;
    QCOMPARE(server.read(login.size() + 1), login);
}

void TestMainWindow::dispatchesInArrivalOrderThroughOneTable()
{
    ScriptedPeer server;
    Copy copy;
    QVERIFY(copy.join(server));
    server.write("CMD_sendlogininfo+1" + FF);
    // The version is the build's, whatever any window shows.
    const QByteArray login = "CMD_logininfo+1+" + QByteArray(MainWindow::BuiltInVersion) + "+Ann" + FF;
    QCOMPARE(server.read(login.size()), login);
    copy.log.clear();
    server.write("CMD_newplayerinfo+1+Ann" + FF + "CMD_havewrongversion+Bob" + FF + "CMD_wrongversion+" + FF
                 + "CMD_chat+1+Ann chats: a+b|clRed" + FF + "CMD_unknown+1" + FF + "CMD_phrase+Ann says: Hi|clBlue" + FF
                 + "CMD_playasound+1+wave3+" + FF + "CMD_existingplayers+2+Cy" + FF + "CMD_action+1+Ann waves|clRed"
                 + FF);
    QTRY_COMPARE(copy.log.size(), 7);
    QCOMPARE(copy.log,
             QStringList({"0+You are Connected.", "0+Bob has a different version of the game then you.",
                          "0+You have a differnt version of the game then the host.", "1+Ann chats: a+b",
                          "sound:1+wave3+", "0+Cy is Connected.", "1+Ann waves"}));
    QCOMPARE(copy.rowName(2), QStringLiteral("Cy"));
    // Phrases wait, unchanged, in the speech bubble's queue.
    const auto* phrases = copy.window.findChild<QListWidget*>("listbox_phrase");
    QCOMPARE(phrases->count(), 1);
    QCOMPARE(phrases->item(0)->text(), QStringLiteral("Ann says: Hi|clBlue"));
    // A flood of phrases waits no further than ten deep.
    for (int i = 0; i < 12; ++i)
        server.write("CMD_phrase+Ann says: again|clBlue" + FF);
    server.write("CMD_chat+1+Ann chats: done|clRed" + FF); // handled after them
    QTRY_COMPARE(copy.log.size(), 8);
    QCOMPARE(phrases->count(), GameModel::MaxWaitingPhrases);
    server.write("CMD_startgame+Ann+1+3+" + FF);
    QTRY_VERIFY(copy.model.gameRunning());

    // "Just Watch" asks the server; only its answer moves the tick.
    QAction* justWatch = copy.action("JustWatch1");
    justWatch->trigger();
    QVERIFY(!justWatch->isChecked());
    server.write("CMD_justwatching+1+1" + FF);
    QTRY_VERIFY(justWatch->isChecked());
    justWatch->trigger();
    QVERIFY(justWatch->isChecked());
    const QByteArray asks = login + "CMD_justwatch+1+1" + FF + "CMD_justwatch+1+2" + FF;
    QCOMPARE(server.read(asks.size()), asks);
}

void TestMainWindow::ignoredAndMutedPlayersAreHeldBack()
{
    ScriptedPeer server;
    Copy copy;
    QVERIFY(copy.join(server));
    server.write("CMD_sendlogininfo+1" + FF + "CMD_newplayerinfo+1+Ann" + FF + "CMD_existingplayers+2+Bob" + FF
                 + "CMD_existingplayers+3+Cy" + FF);
    QTRY_COMPARE(copy.rowName(3), QStringLiteral("Cy"));
    PlayerListController& players = copy.window.players();
    const auto item = [&players](const char* name) { return players.popupKick()->findChild<QAction*>(name); };
    players.label_playername1ContextPopup(1);
    QVERIFY(!item("Ignore1")->isEnabled());
    players.label_playername1ContextPopup(2);
    item("Ignore1")->trigger();
    players.label_playername1ContextPopup(2);
    // An ignored player's sounds are silent already.
    QVERIFY(item("Ignore1")->isChecked() && !item("MuteSounds1")->isEnabled());
    players.label_playername1ContextPopup(3);
    item("MuteSounds1")->trigger();
    QCOMPARE(copy.rowName(2), QStringLiteral("\u2298 Bob"));
    QVERIFY(copy.rowName(3).endsWith(" Cy") && copy.rowName(3) != "Cy");
    QCOMPARE(copy.window.findChild<QLabel*>("label_playername2")->toolTip(), QStringLiteral("Ignored"));

    copy.log.clear();
    server.write("CMD_chat+2+Bob chats: hi|clRed" + FF + "CMD_action+2+Bob waves|clRed" + FF
                 + "CMD_phrase+Bob  says: Go|clRed" + FF + "CMD_playasound+2+wave3+" + FF
                 + "CMD_chat+2+Bob chats: again|clRed" + FF + "CMD_chat+3+Cy chats: yo|clRed" + FF
                 + "CMD_playasound+3+wave4+" + FF + ToClient::tableLine("welcome").bytes()
                 + "CMD_chat+1+Ann chats: done|clRed" + FF);
    QTRY_COMPARE(copy.log.size(), 4);
    QCOMPARE(copy.log, QStringList({"0+Bob is ignored.", "3+Cy chats: yo", "0+Server: welcome", "1+Ann chats: done"}));
    QCOMPARE(copy.window.findChild<QListWidget*>("listbox_phrase")->count(), 0);
    // Forgiven from the same menu: heard again, and nothing went to the server.
    players.label_playername1ContextPopup(2);
    item("Ignore1")->trigger();
    QCOMPARE(copy.rowName(2), QStringLiteral("Bob"));
    server.write("CMD_playasound+2+wave5+" + FF);
    QTRY_COMPARE(copy.log.size(), 5);
    QCOMPARE(copy.log.last(), QStringLiteral("sound:2+wave5+"));
    // The login was all this copy ever sent.
    QTest::qWait(50);
    QCOMPARE(server.read(0), "CMD_logininfo+1+" + QByteArray(MainWindow::BuiltInVersion) + "+Ann" + FF);
}

void TestMainWindow::ignoreListOutlivesARestart()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    QFile ini(home.filePath("rezeruvar.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[gloopdash]\nTextsize=12\n");
    ini.close();
    {
        ProgramWindows program(0, 0);
        IgnoreList& ignores = program.chat().players().ignores();
        QVERIFY(ignores.set(IgnoreList::Kind::Ignore, "Bob", true));
        QVERIFY(ignores.set(IgnoreList::Kind::Mute, "Cy", true));
    }
    ProgramWindows program(0, 0);
    const IgnoreList& ignores = program.chat().players().ignores();
    QVERIFY(ignores.isIgnored("bob") && ignores.isMuted("Cy") && !ignores.isIgnored("Cy"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY2(text.startsWith("[gloopdash]\nTextsize=12\n") && text.contains("[gloopdash.ignore]"), text.constData());
}

void TestMainWindow::programCreatesEveryWindowOnceAndHosts()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    ProgramWindows program(0, 0);
    const auto windows = [](const char* name) {
        QWidgetList found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name))
                found << w;
        return found;
    };
    // Only the windows the player list and the chat fill stand before the first paint.
    QCOMPARE(windows("chat").size(), 1);
    for (const char* name :
         {"spylist", "tallylist", "phrases", "about", "help", "story", "highscore", "gamestart", "download"})
        QVERIFY2(windows(name).isEmpty(), name);
    // Each request shows the one window, built at the first.
    using Side = MainWindow::SideWindow;
    const QList<std::pair<Side, const char*>> sides = {
        {Side::GameStart, "gamestart"}, {Side::Tally, "tallylist"}, {Side::SpyList, "spylist"},  {Side::Story, "story"},
        {Side::Help, "help"},           {Side::About, "about"},     {Side::Download, "download"}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& [which, name] : sides) {
            emit program.chat().sideWindowRequested(which);
            // The download window waits for the main window's first paint,
            // which never comes here: it shows after a short wait instead.
            QTRY_COMPARE(windows(name).size(), 1);
            QTRY_VERIFY2(windows(name).first()->isVisible(), name);
            windows(name).first()->hide();
        }
    }

    program.start({"Ann", "127.0.0.1", "true"});
    QTRY_VERIFY(program.model().session().loggedin());
    // The login carried the game's version, which the server accepted.
    QCOMPARE(program.settings().hostOptions().versionText(), QByteArray(GD_VERSION_TEXT));
    QCOMPARE(program.about().versionText(), QStringLiteral(GD_VERSION_TEXT));
    QVERIFY(program.spylist().findChild<QAction*>("popup_kickhim")->isEnabled());
    program.chat().close();
}

// The tally and the watchers are kept from start-up, their windows built only
// when first shown: a damaged tally file is told over the main window as soon
// as that shows, and a spy list first opened while hosting offers removal.
void TestMainWindow::sideWindowsBuiltLateMissNothing()
{
    QTemporaryDir home;
    QFile damaged(home.filePath("gloopdashtally.tld"));
    QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("not a tally") > 0);
    damaged.close();
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    ProgramWindows program(0, 0);
    QVERIFY(!program.chat().findChild<QMessageBox*>());
    program.start({"Ann", "127.0.0.1", "true"});
    QTRY_VERIFY(program.chat().findChild<QMessageBox*>("messagebox")
                && program.chat().findChild<QMessageBox*>("messagebox")->isVisible());
    QVERIFY(QFile::exists(home.filePath("gloopdashtally.tld.bad")));
    QTRY_VERIFY(program.model().session().loggedin());
    QVERIFY(program.spylist().findChild<QAction*>("popup_kickhim")->isEnabled());
    program.chat().close();
}

void TestMainWindow::heldWorkFollowsTheFirstPaint()
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    QWidget window;
    window.installEventFilter(&counter);
    AfterFirstPaint after(window);
    int paintsBefore = -1;
    after.run([&] { paintsBefore = counter.paints; });
    QCOMPARE(paintsBefore, -1);
    window.show();
    QTRY_VERIFY(paintsBefore >= 0);
    QVERIFY(paintsBefore > 0);
    // Once painted, work runs at once.
    bool again = false;
    after.run([&] { again = true; });
    QVERIFY(again);

    // A window never painted lets its work go after a short wait.
    QWidget hidden;
    AfterFirstPaint never(hidden);
    bool released = false;
    never.run([&] { released = true; });
    QVERIFY(!released);
    QTRY_VERIFY(released);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
