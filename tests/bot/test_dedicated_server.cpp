#include "connection_storm.h"
#include "gd_version.h"
#include "support_referee.h"
#include "wire_client.h"

#include "app/server/dedicated_server.h"
#include "bot/bot.h"
#include "net/discovery_datagram.h"
#include "server/player_names.h"
#include "server/server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <memory>
#include <vector>

namespace {
QString serverPath()
{
    return QFileInfo(qEnvironmentVariable("GD_APP")).dir().filePath(QStringLiteral("gloopdash-server"));
}

// What a person at the table runs: a player that picks as soon as it may, and
// a referee that checks every answer to its picks.
struct Person {
    std::unique_ptr<Bot> player;
    Referee referee;
    int games = 0;
};

std::unique_ptr<Person> seatPerson(const QByteArray& name, quint16 port)
{
    auto person = std::make_unique<Person>();
    BotOptions options = BotOptions::forSeat(BotLevel::Normal, name, 0.0);
    options.port = port;
    person->player = std::make_unique<Bot>(options);
    Person* p = person.get();
    QObject::connect(p->player.get(), &Bot::messageRead, [p](const QByteArray& m) { p->referee.read(m); });
    QObject::connect(p->player.get(), &Bot::picked, [p](QPoint cell) { p->referee.picked(cell); });
    QObject::connect(p->player.get(), &Bot::gameOver, [p] { ++p->games; });
    p->player->start();
    return person;
}

// Moves the round clock by hand: through a pause at once, and through a round
// only when nobody has picked for a while (everybody plays at full speed).
class ClockHand {
public:
    explicit ClockHand(GameTable& table, const GameState& game) : m_table(table), m_game(game)
    {
        m_table.Timer1().setRealTime(false);
        m_sinceMove.start();
    }
    void turn()
    {
        int moves = 0;
        for (int seat = 1; seat <= Table::Seats; ++seat)
            moves += m_game.players[seat].movecount;
        if (moves != m_moves) {
            m_moves = moves;
            m_sinceMove.restart();
        }
        if (!m_game.gamerunning)
            return;
        while (m_game.gamerunning && m_table.phase() == RoundPhase::Pause)
            m_table.Timer1Timer();
        if (m_table.phase() == RoundPhase::InPlay && m_sinceMove.elapsed() > 3000)
            for (int i = 0; i < 93 && m_table.phase() == RoundPhase::InPlay && m_game.gamerunning; ++i)
                m_table.Timer1Timer();
    }

private:
    GameTable& m_table;
    const GameState& m_game;
    QElapsedTimer m_sinceMove;
    int m_moves = -1;
};

QString readAll(std::FILE* file)
{
    std::rewind(file);
    QByteArray text;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, qsizetype(n));
    return QString::fromUtf8(text);
}
} // namespace

class DedicatedServerTest : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void answersDiscoveryUnderItsName_data();
    void answersDiscoveryUnderItsName();
    void stopsOnSignal_data();
    void stopsOnSignal();
    void fourPeopleAndTwoBotsPlayBothGames();
};

void DedicatedServerTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "--bot-level"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "gloopdash-server " GD_VERSION_TEXT "\n"
                             << "";
    QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << ""
                                    << "Usage:";
    QTest::newRow("stray argument") << QStringList{"7790"} << 2 << ""
                                    << "unexpected argument 7790";
    QTest::newRow("port not a number") << QStringList{"--port", "x"} << 2 << ""
                                       << "--port";
    QTest::newRow("port too high") << QStringList{"--port", "65536"} << 2 << ""
                                   << "--port";
    QTest::newRow("six bots") << QStringList{"--bots", "6"} << 2 << ""
                              << "--bots";
    QTest::newRow("negative bots") << QStringList{"--bots", "-1"} << 2 << ""
                                   << "--bots";
    QTest::newRow("bot level") << QStringList{"--bot-level", "expert"} << 2 << ""
                               << "--bot-level";
    QTest::newRow("winners path") << QStringList{"--winners-path", "yes"} << 2 << ""
                                  << "--winners-path";
    QTest::newRow("listen host name") << QStringList{"--listen", "example.org"} << 2 << ""
                                      << "--listen";
    QTest::newRow("register without http") << QStringList{"--register", "ftp://list.example"} << 2 << ""
                                           << "--register";
    QTest::newRow("register without host") << QStringList{"--register", "http://"} << 2 << ""
                                           << "--register";
}

void DedicatedServerTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess server;
    server.start(serverPath(), arguments);
    QVERIFY(server.waitForFinished(10000));
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), exitCode);
    const QString stdoutText = QString::fromUtf8(server.readAllStandardOutput());
    const QString stderrText = QString::fromUtf8(server.readAllStandardError());
    QVERIFY2(stdoutText.contains(out) && (out.isEmpty() || !stdoutText.isEmpty()), qPrintable(stdoutText));
    QVERIFY2(stderrText.contains(err), qPrintable(stderrText));
    QCOMPARE(stdoutText.isEmpty(), exitCode != 0);
    QCOMPARE(stderrText.isEmpty(), exitCode == 0);
}

void DedicatedServerTest::answersDiscoveryUnderItsName_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("name");
    const QString host = QString::fromUtf8(PlayerNames::clean(QSysInfo::machineHostName().toUtf8()));
    QTest::newRow("named, cleaned as a player") << QStringList{"--name", "  Den|Table\u202e "} << "Den¦Table";
    QTest::newRow("the host name by default") << QStringList{} << host;
    QTest::newRow("kept off the lists") << QStringList{"--name", "Den", "--no-discovery"} << "";
}

void DedicatedServerTest::answersDiscoveryUnderItsName()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, name);
    QProcess server;
    server.start(serverPath(), QStringList{"--port", "0"} + arguments);
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY(server.canReadLine());
    const quint16 port = quint16(QString::fromUtf8(server.readLine()).section(' ', 5, 5).remove(',').toUInt());
    QVERIFY(port != 0);
    QUdpSocket asker;
    QVERIFY(asker.bind(QHostAddress::LocalHost, 0));
    asker.writeDatagram(DiscoveryDatagram::query("q"), QHostAddress::LocalHost, port);
    if (name.isEmpty()) {
        QVERIFY(!asker.waitForReadyRead(500));
        QVERIFY(!server.readAll().contains("answering discovery"));
    } else {
        QVERIFY(asker.waitForReadyRead(5000));
        const auto answer = DiscoveryDatagram::readAnswer(asker.receiveDatagram().data());
        QVERIFY(answer);
        QCOMPARE(answer->table.name, name);
        QCOMPARE(answer->table.port, port);
        QTRY_VERIFY(server.canReadLine());
        QCOMPARE(QString::fromUtf8(server.readLine()),
                 QStringLiteral("answering discovery queries as \"%1\"\n").arg(name));
    }
    server.terminate();
    QVERIFY(server.waitForFinished(5000));
}

void DedicatedServerTest::stopsOnSignal_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("storm"); // a full table, and one address connecting and closing without pause
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM during a connection storm") << int(SIGTERM) << true;
}

void DedicatedServerTest::stopsOnSignal()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, storm);
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No display of any kind: the server must not need one.
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("GLOOPDASH_BOT_PACE"), QStringLiteral("0"));
    server.setProcessEnvironment(env);
    server.start(serverPath(), {"--port", "0", "--bots", "2", "--bot-level", "hard", "--winners-path", "off"});
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY(server.canReadLine());
    const QString first = QString::fromUtf8(server.readLine());
    QVERIFY2(first.startsWith("listening on all addresses port ") && first.contains("winner's path off, 2 hard bots"),
             qPrintable(first));
    const quint16 port = quint16(first.section(' ', 5, 5).remove(',').toUInt());

    WireClient person;
    QVERIFY(person.connectTo(port));
    QVERIFY(!person.next().isEmpty());
    // A person named like the first bot: the bots take other names.
    person.sendRaw("CMD_logininfo+1+" GD_VERSION_TEXT "+Ann\xff");
    QString log;
    QTRY_VERIFY_WITH_TIMEOUT((log += QString::fromUtf8(server.readAll())).contains("login slot 3 Bot Dot (hard)"),
                             10000);
    QVERIFY2(log.contains("connect slot 1 from 127.0.0.1\nlogin slot 1 Ann\n"), qPrintable(log));
    QVERIFY2(log.contains("login slot 2 Bot Cy (hard)"), qPrintable(log));
    // A game in play when the signal comes.
    person.sendRaw("CMD_startgame+Ann+1+\xff");
    QTRY_VERIFY((log += QString::fromUtf8(server.readAll())).contains("game start standard by Ann"));

    std::vector<std::unique_ptr<WireClient>> crowd;
    std::vector<std::unique_ptr<ConnectionStorm>> storms;
    if (storm) {
        for (int slot = 4; slot <= 9; ++slot) {
            crowd.push_back(std::make_unique<WireClient>());
            QVERIFY(crowd.back()->connectTo(port));
            QVERIFY(crowd.back()->next().startsWith("CMD_sendlogininfo"));
        }
        for (int i = 0; i < 3; ++i)
            storms.push_back(std::make_unique<ConnectionStorm>(port, 2000));
        QTest::qWait(2000);
    }
    QElapsedTimer stopping;
    stopping.start();
    ::kill(pid_t(server.processId()), signalNumber);
    QVERIFY(server.waitForFinished(2000));
    qInfo("the server ended %lld ms after the signal", stopping.elapsed());
    QVERIFY(stopping.elapsed() < 2000);
    storms.clear();
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);
    QVERIFY(person.waitClosed());
    log += QString::fromUtf8(server.readAll());
    QVERIFY2(log.contains("stopping\n") && log.contains("leave slot 1 Ann\n"), qPrintable(log));
    QVERIFY2(!log.contains(": \n"), qPrintable(log));
}

void DedicatedServerTest::fourPeopleAndTwoBotsPlayBothGames()
{
    ServerOptions options;
    options.port = 0;
    options.bots = 2;
    std::FILE* logFile = std::tmpfile();
    QVERIFY(logFile);
    auto table = std::make_unique<DedicatedServer>(options, logFile);
    table->setBotSpeed(0.0);
    QVERIFY(table->start());
    ClockHand clock(table->server().table(), table->server().game());

    std::vector<std::unique_ptr<Person>> people;
    people.push_back(seatPerson("Pat", table->port()));
    QTRY_COMPARE(table->bots().count(), 2);
    for (const QByteArray name : {"Sam", "Kim", "Lee"})
        people.push_back(seatPerson(name, table->port()));
    const PlayerTable& players = table->server().game().players;
    QTRY_VERIFY(players[6].connected && !players[6].name.isEmpty());
    QCOMPARE(players[1].name, QByteArray("Pat"));
    QCOMPARE(players[2].name, QByteArray("Bot Ann (normal)"));
    QCOMPARE(players[3].name, QByteArray("Bot Cy (normal)"));

    for (int mode : {1, 2}) {
        people.front()->player->startGame(mode);
        QElapsedTimer spent;
        spent.start();
        while (people.back()->games < mode && spent.elapsed() < 200000) {
            QTest::qWait(20);
            clock.turn();
        }
        QCOMPARE(people.back()->games, mode);
    }
    table.reset(); // closes the table, so the log is complete
    const QString log = readAll(logFile);
    std::fclose(logFile);
    for (const char* line : {"game start standard by Pat", "round 3 end: 1 Pat total ", "game start classic by Pat",
                             "round 6 end: 1 Pat total ", "; 2 Bot Ann (normal) total ", "winner "})
        QVERIFY2(log.contains(line), qPrintable(log));
    for (const auto& person : people) {
        QVERIFY(person->referee.checked() > 36);
        QVERIFY2(person->referee.mismatches().isEmpty(), qPrintable(person->referee.mismatches().join('\n')));
    }
}

QTEST_GUILESS_MAIN(DedicatedServerTest)
#include "test_dedicated_server.moc"
