// Hosting and joining as a player does it from the menus: the host and join
// dialogs, the join's failures, leaving a running game, the server's own
// thread, and the program's answers to --help and --version.
#include "chat/core/settings_file.h"
#include "client/connection_controller.h"
#include "client/core/client_session.h"
#include "client/core/game_model.h"
#include "client/core/lan_table_finder.h"
#include "client/core/table_list_model.h"
#include "client/game_browser.h"
#include "client/host_game_dialog.h"
#include "client/join_game_dialog.h"
#include "client/main_window.h"
#include "gd_version.h"
#include "scripted_peer.h"
#include "server/host_options.h"
#include "server/server.h"
#include "side/download_window.h"
#include "support_client_parts.h"
#include "wire_client.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

namespace {

// One copy of the game: its main window, start-up and connection, its status
// lines, and its own settings file.
struct Copy : RecordedParts {
    QTemporaryDir home;
    FixedHostOptions options;
    GameModel model;
    MainWindow window{model, parts()};
    ConnectionController connection{model, window, options};
    SettingsFile file{home.path()};

    // By default two arguments: on screen, connected to nothing.
    explicit Copy(const QStringList& arguments = {"Nobody", "nowhere"})
    {
        connection.setHistoryFile(&file);
        connection.setPorts(0, 0);
        connection.setCommandLine(arguments);
        window.show();
        // The command line is read once the window is drawn; its first line says so.
        QVERIFY(QTest::qWaitFor([this] { return !lines.isEmpty(); }, 5000));
    }
    QString rowName(int slot) const
    {
        const auto* label = window.findChild<QLabel*>("label_playername" + QString::number(slot));
        return label ? label->text() : QString();
    }
    void hostFromTheMenu(const QString& name, quint16 port)
    {
        window.findChild<QAction*>("HostGame1")->trigger();
        HostGameDialog* dialog = nullptr;
        for (auto* open : window.findChildren<HostGameDialog*>("hostgame"))
            dialog = open->isVisible() ? open : dialog;
        QVERIFY(dialog);
        QCOMPARE(dialog->portEdit()->value(), 7772);
        dialog->nameEdit()->setText(name);
        dialog->portEdit()->setValue(port);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }
    JoinGameDialog* joinFromTheMenu(const QString& name, const QString& address)
    {
        window.findChild<QAction*>("JoinGame1")->trigger();
        auto* dialog = openJoinDialog();
        if (!dialog)
            return nullptr;
        dialog->nameEdit()->setText(name);
        dialog->addressBox()->setEditText(address);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        return dialog;
    }
    JoinGameDialog* openJoinDialog() const
    {
        for (auto* dialog : window.findChildren<JoinGameDialog*>("joingame"))
            if (dialog->isVisible())
                return dialog;
        return nullptr;
    }
    bool loggedIn()
    {
        return QTest::qWaitFor([this] { return model.session().loggedin(); }, 5000);
    }
};

// A port nothing listens on right now, other than the game's usual one.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

bool canListenOn(quint16 port)
{
    QTcpServer probe;
    return probe.listen(QHostAddress::Any, port);
}

} // namespace

class TestHosting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void joiningAfterHostingGivesUpTheHostsPowersAndTheGame();
    void hostFromTheMenuIsJoinedThroughTheDialog_data();
    void hostFromTheMenuIsJoinedThroughTheDialog();
    void hostedGameIsFoundAndJoinedWithADoubleClick();
    void commandLineHostsOnAPortAndJoinsOne();
    void headlessTableGivesItsFirstPersonTheHostControls();
    void brokenLinkIsMendedAndAFarewellEndsTheGame();
    void failedJoinSaysWhyAndOffersTheDialogAgain_data();
    void failedJoinSaysWhyAndOffersTheDialogAgain();
    void leavingARunningGameAsksFirstAndFreesThePort();
    void serverAnswersWhileTheWindowStalls();
    void downloadWindowOffersHostAndJoinWithoutALobby();
    void helpAndVersionPrintAndExit_data();
    void helpAndVersionPrintAndExit();

private:
    QTemporaryDir m_runtime;
};

void TestHosting::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
}

void TestHosting::joiningAfterHostingGivesUpTheHostsPowersAndTheGame()
{
    Copy bob;
    bob.hostFromTheMenu("Bob", freePort());
    QVERIFY(bob.loggedIn());
    Copy ann;
    const quint16 port = freePort();
    ann.hostFromTheMenu("Ann", port);
    QVERIFY(ann.loggedIn());
    QVERIFY(ann.window.findChild<QAction*>("StartGame1")->isEnabled());
    QTRY_COMPARE(ann.rowName(1), QStringLiteral("Ann"));
    ann.model.startGame({"Ann", 1, 3});
    QVERIFY(ann.model.gameRunning());

    // Ann leaves her running game (saying yes) and joins Bob's table.
    QVERIFY(ann.joinFromTheMenu("Ann", QStringLiteral("127.0.0.1:%1").arg(bob.connection.server().port())));
    for (auto* box : ann.window.findChildren<QMessageBox*>("leavebox"))
        if (box->isVisible())
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    QVERIFY(ann.loggedIn());
    QTRY_COMPARE(ann.rowName(2), QStringLiteral("Ann"));
    // Her old table's powers and game went with it: nothing offers to remove
    // a player or start a game, and Just Watch says why it waits.
    QVERIFY(!ann.model.holdsHostPowers());
    QVERIFY(!ann.window.findChild<QAction*>("StartGame1")->isEnabled());
    QVERIFY(!ann.model.gameRunning());
    ann.lines.clear();
    ann.window.findChild<QAction*>("JustWatch1")->trigger();
    QCOMPARE(ann.lines, QStringList{"0+Just Watch works only while a game is running."});
}

void TestHosting::hostFromTheMenuIsJoinedThroughTheDialog_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("IPv4") << "127.0.0.1:%1";
    QTest::newRow("IPv6") << "[::1]:%1";
}

void TestHosting::hostFromTheMenuIsJoinedThroughTheDialog()
{
    QFETCH(QString, address);
    const quint16 port = freePort();
    QVERIFY(port != 7772);
    Copy ann;
    ann.hostFromTheMenu("Ann", port);
    QVERIFY(ann.loggedIn());
    QCOMPARE(ann.connection.server().port(), port);
    QVERIFY(ann.window.findChild<QAction*>("StartGame1")->isEnabled());

    Copy bob;
    const QByteArray stored = "[gloopdash]\r\nTextsize=12\r\n";
    QFile ini(bob.file.path());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(stored);
    ini.close();
    QVERIFY(bob.joinFromTheMenu("Bob", address.arg(port)));
    QVERIFY(bob.loggedIn());
    QTRY_COMPARE(ann.rowName(2), QStringLiteral("Bob"));
    QTRY_COMPARE(bob.rowName(1), QStringLiteral("Ann"));
    QVERIFY(!bob.model.hosting());
    QVERIFY(!bob.window.findChild<QAction*>("StartGame1")->isEnabled());

    // The address and the name are offered next time, from a section of
    // their own; the game's own section stays byte for byte as it was.
    QCOMPARE(bob.connection.history().addresses(), QStringList{address.arg(port)});
    QCOMPARE(bob.connection.history().name(), QStringLiteral("Bob"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray now = ini.readAll();
    QVERIFY(now.startsWith(stored + "[gloopdash.join]"));
    QCOMPARE(now.count("[gloopdash]"), 1);
}

void TestHosting::hostedGameIsFoundAndJoinedWithADoubleClick()
{
    const quint16 port = freePort();
    Copy ann;
    ann.hostFromTheMenu("Ann", port);
    QVERIFY(ann.loggedIn());
    Copy bob;
    bob.window.findChild<QAction*>("JoinGame1")->trigger();
    JoinGameDialog* dialog = bob.openJoinDialog();
    QVERIFY(dialog);
    dialog->nameEdit()->setText(QStringLiteral("Bob"));
    dialog->browser()->findChild<QLineEdit*>("edit_port")->setText(QString::number(port));
    QTest::mouseClick(dialog->browser()->findChild<QPushButton*>("button_addport"), Qt::LeftButton);
    QTableView* view = dialog->browser()->lanView();
    // A hosting copy is listed under its host's name.
    QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 1, LanTableFinder::RepeatMs + 1000);
    QCOMPARE(view->model()->index(0, TableListModel::Name).data().toString(), QStringLiteral("Ann"));
    QCOMPARE(view->model()->index(0, TableListModel::Players).data().toString(), QStringLiteral("1 of 6"));
    // A double-click as the window system delivers it: a click, then a second
    // press reported as a double-click.
    const QPoint at = view->visualRect(view->model()->index(0, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(bob.loggedIn());
    QTRY_COMPARE(ann.rowName(2), QStringLiteral("Bob"));
    QCOMPARE(bob.connection.history().addresses(), QStringList{QStringLiteral("127.0.0.1:%1").arg(port)});
    // The port added is looked on again next time.
    bob.connection.showJoinDialog();
    QCOMPARE(bob.openJoinDialog()->browser()->extraPorts(), QList<quint16>{port});
}

void TestHosting::commandLineHostsOnAPortAndJoinsOne()
{
    const QString port = QString::number(freePort());
    Copy ann({"Ann", "0.0.0.0", "true", "--port", port});
    QVERIFY(ann.loggedIn());
    QCOMPARE(QString::number(ann.connection.server().port()), port);
    Copy bob({"Bob", "[::1]:" + port, "false"});
    QVERIFY(bob.loggedIn());
    QTRY_COMPARE(ann.rowName(2), QStringLiteral("Bob"));
    QCOMPARE(bob.model.session().hostaddress(), "[::1]:" + port);
}

void TestHosting::headlessTableGivesItsFirstPersonTheHostControls()
{
    FixedHostOptions options;
    Server table(options, 0);
    table.setHostRule(HostPowers::Rule::LongestSeated);
    table.listen();
    // A port probe holds slot 1 and never logs in.
    WireClient probe;
    QVERIFY(probe.connectTo(table.port()));
    Copy ann;
    QVERIFY(ann.joinFromTheMenu("Ann", "127.0.0.1:" + QString::number(table.port())));
    QVERIFY(ann.loggedIn());
    QCOMPARE(ann.model.session().myslot(), 2);
    QTRY_VERIFY(ann.window.findChild<QAction*>("StartGame1")->isEnabled());
    QVERIFY(ann.window.findChild<QWidget*>("button_startgame")->isVisible());
    QVERIFY(!ann.model.hosting());

    // Powers handed on to a later player reach only that player's window.
    Copy bob;
    QVERIFY(bob.joinFromTheMenu("Bob", "127.0.0.1:" + QString::number(table.port())));
    QVERIFY(bob.loggedIn());
    QVERIFY(!bob.window.findChild<QAction*>("StartGame1")->isEnabled());
    ann.model.session().disconnectFromServer();
    QTRY_VERIFY(bob.window.findChild<QAction*>("StartGame1")->isEnabled());
    QVERIFY(bob.window.findChild<QWidget*>("button_startgame")->isVisible());
}

void TestHosting::brokenLinkIsMendedAndAFarewellEndsTheGame()
{
    FixedHostOptions options;
    Server table(options, 0);
    table.setHostRule(HostPowers::Rule::LongestSeated);
    table.listen();
    Copy ann;
    QVERIFY(ann.joinFromTheMenu("Ann", "127.0.0.1:" + QString::number(table.port())));
    QVERIFY(ann.loggedIn());
    QTRY_VERIFY(table.game().players.loggedin(1));

    // The table drops the link without a word: the window comes back by itself
    // under the same name, with the strip up meanwhile.
    QSignalSpy reconnecting(&ann.connection.reconnector(), &Reconnector::reconnecting);
    QSignalSpy reconnected(&ann.connection.reconnector(), &Reconnector::reconnected);
    table.disconnectsock(1);
    QTRY_COMPARE(reconnecting.size(), 1);
    auto* strip = ann.window.findChild<QWidget*>("reconnectstrip");
    QVERIFY(strip);
    QTRY_COMPARE(reconnected.size(), 1);
    QTRY_VERIFY(table.game().players.loggedin(1));
    QCOMPARE(table.game().players[1].name, QByteArray("Ann"));
    QVERIFY(!strip->isVisible());
    QVERIFY(ann.window.findChildren<QMessageBox*>("closedbox").isEmpty());

    // A table that says goodbye ends the game at once.
    table.closeTable();
    QTRY_COMPARE(ann.window.findChildren<QMessageBox*>("closedbox").size(), 1);
    QVERIFY(!ann.connection.reconnector().active());
}

void TestHosting::failedJoinSaysWhyAndOffersTheDialogAgain_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("why");
    // Whether the player is in a game of his own when the join fails.
    QTest::addColumn<bool>("inGame");
    QTest::newRow("refused") << QByteArray() << false << "the connection was refused" << false;
    QTest::newRow("not a game") << QByteArray("SSH-2.0-OpenSSH_9.2\r\n") << true << "not a Gloop Dash game" << false;
    QTest::newRow("silent") << QByteArray() << true << "no game answered within 5 seconds" << false;
    QTest::newRow("refused, in a game") << QByteArray() << false << "the connection was refused" << true;
    QTest::newRow("not a game, in a game") << QByteArray("HTTP/1.0 400\r\n") << true << "not a Gloop Dash game" << true;
}

void TestHosting::failedJoinSaysWhyAndOffersTheDialogAgain()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, listening);
    QFETCH(QString, why);
    QFETCH(bool, inGame);
    ScriptedPeer other;
    const quint16 port = listening ? other.port() : freePort();
    Copy bob;
    if (inGame) {
        bob.hostFromTheMenu("Bob", freePort());
        QVERIFY(bob.loggedIn());
    }
    QSignalSpy closed(&bob.window, &MainWindow::closed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(bob.joinFromTheMenu("Bob", QStringLiteral("127.0.0.1:%1").arg(port)));
    if (listening) {
        QVERIFY(other.accept());
        if (!answer.isEmpty())
            other.write(answer);
    }
    QTRY_VERIFY_WITH_TIMEOUT(bob.openJoinDialog(), 8000);
    const QString shown = bob.openJoinDialog()->error();
    QVERIFY2(shown.contains(why), qPrintable(shown));
    QCOMPARE(bob.lines.last(), "0+" + shown);
    if (why.contains("5 seconds"))
        QVERIFY(clock.elapsed() >= 4900);
    // The program goes on, in the game it was in if any, and remembers
    // nothing that failed; the dialog offers what was typed.
    QCOMPARE(closed.size(), 0);
    QCOMPARE(bob.model.session().sock().Connected(), inGame);
    QCOMPARE(bob.model.hosting(), inGame);
    QCOMPARE(bob.openJoinDialog()->address(), QStringLiteral("127.0.0.1:%1").arg(port));
    QVERIFY(bob.connection.history().addresses().isEmpty());
    bob.openJoinDialog()->reject();
}

void TestHosting::leavingARunningGameAsksFirstAndFreesThePort()
{
    Copy ann;
    const quint16 first = freePort();
    ann.hostFromTheMenu("Ann", first);
    QVERIFY(ann.loggedIn());
    QVERIFY(!canListenOn(first));
    ann.model.startGame({"Ann", 1, 3});

    const auto answer = [&](QMessageBox::StandardButton button, const char* name = "leavebox") {
        QMessageBox* box = nullptr;
        for (auto* open : ann.window.findChildren<QMessageBox*>(name))
            box = open->isVisible() ? open : box;
        QVERIFY(box);
        box->button(button)->click();
    };
    const quint16 second = freePort();
    ann.hostFromTheMenu("Ann", second);
    answer(QMessageBox::No);
    QCOMPARE(ann.connection.server().port(), first);
    QVERIFY(ann.model.session().loggedin());

    ann.hostFromTheMenu("Ann", second);
    answer(QMessageBox::Yes);
    QVERIFY(ann.loggedIn());
    QCOMPARE(ann.connection.server().port(), second);
    // The first game's listener is gone with it, in this same process.
    QVERIFY(canListenOn(first));
    QVERIFY(ann.window.isVisible());
    QTRY_COMPARE(ann.rowName(1), QStringLiteral("Ann"));

    // Closing the window of a hosted game in play asks too.
    ann.model.startGame({"Ann", 1, 3});
    QSignalSpy closed(&ann.window, &MainWindow::closed);
    ann.window.close();
    answer(QMessageBox::No, "exitbox");
    QVERIFY(ann.window.isVisible());
    QCOMPARE(closed.size(), 0);
    ann.window.close();
    answer(QMessageBox::Yes, "exitbox");
    QTRY_COMPARE(closed.size(), 1);
}

void TestHosting::serverAnswersWhileTheWindowStalls()
{
    Copy ann;
    ann.connection.setHostPort(0);
    ann.connection.hostGame("Ann", 0);
    QVERIFY(ann.loggedIn());
    const quint16 port = ann.connection.server().port();

    // Bob, on a thread of his own, times one chat line's way through the
    // server while the window's thread is stuck.
    std::atomic<bool> ready{false};
    std::atomic<bool> stalled{false};
    std::atomic<qint64> roundTrip{-1};
    std::thread bob([&] {
        WireClient client;
        if (!client.login(port, "Bob") || client.slot != 2)
            return;
        ready = true;
        while (!stalled)
            std::this_thread::yield();
        QElapsedTimer clock;
        clock.start();
        client.send("CMD_chat+2+hi|clRed");
        if (client.readUntil("CMD_chat+2+Bob chats: hi|clRed"))
            roundTrip = clock.elapsed();
    });
    const bool bobReady = QTest::qWaitFor([&] { return ready.load(); }, 5000);
    stalled = true;
    if (bobReady) {
        // A modal-like busy wait: the window's thread handles nothing for 1.5 s.
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 1500)
            QThread::msleep(1);
    }
    bob.join();
    qInfo("Bob's chat round trip while the window stalled: %lld ms", qint64(roundTrip));
    QVERIFY(bobReady);
    QVERIFY2(roundTrip >= 0 && roundTrip < 500, qPrintable(QString::number(roundTrip)));
}

void TestHosting::downloadWindowOffersHostAndJoinWithoutALobby()
{
    Tdownload download;
    download.setLobbyPath(m_runtime.filePath("no-lobby-here"));
    QSignalSpy host(&download, &Tdownload::hostGameRequested);
    QSignalSpy join(&download, &Tdownload::joinGameRequested);
    download.Button2Click();
    auto* box = download.findChild<QMessageBox*>("messagebox");
    QVERIFY(box);
    QVERIFY(box->text().startsWith("Please close the game and open the Mirrek Lobby"));
    box->findChild<QPushButton*>("button_joingame")->click();
    QCOMPARE(join.size(), 1);
    QCOMPARE(host.size(), 0);
}

void TestHosting::helpAndVersionPrintAndExit_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("printed");
    QTest::newRow("help") << "--help"
                          << "Usage: gloopdash";
    QTest::newRow("version") << "--version"
                             << "Gloop Dash " GD_VERSION_TEXT;
}

void TestHosting::helpAndVersionPrintAndExit()
{
    QFETCH(QString, option);
    QFETCH(QString, printed);
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GLOOPDASH_HOME", m_runtime.path());
    game.setProcessEnvironment(env);
    game.start(qEnvironmentVariable("GD_APP"), {option});
    QVERIFY(game.waitForFinished(20000));
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 0);
    QVERIFY(QString::fromLocal8Bit(game.readAllStandardOutput()).startsWith(printed));
}

QTEST_MAIN(TestHosting)
#include "test_hosting.moc"
