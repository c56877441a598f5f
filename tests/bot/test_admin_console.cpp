#include "wire_client.h"

#include "app/server/admin_socket.h"
#include "app/server/dedicated_server.h"
#include "net/protocol.h"
#include "server/server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {
// The operator's side of the console: waits for answers by turning the event
// loop, since the table answers on this same thread.
class Console {
public:
    explicit Console(const QString& path)
    {
        QObject::connect(&socket, &QLocalSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToServer(path);
    }
    // The lines of the next answer, without the empty line that ends it.
    QStringList answer()
    {
        if (!waitUntil([this] { return received.contains("\n\n"); }))
            return {QStringLiteral("(no answer)")};
        const qsizetype end = received.indexOf("\n\n");
        const QString text = QString::fromUtf8(received.left(end));
        received.remove(0, end + 2);
        return text.split(QLatin1Char('\n'));
    }
    QStringList ask(const QByteArray& line)
    {
        socket.write(line + '\n');
        return answer();
    }
    QLocalSocket socket;
    QByteArray received;
};

// The chat line a client gets for a line of the table itself, as read from the wire.
QByteArray tableLine(const QByteArray& text)
{
    return ToClient::tableLine(text).bytes().chopped(1);
}
} // namespace

class AdminConsoleTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void banMatches_data();
    void banMatches();
    void banFileKeepsEntriesAndSkipsBadLines();
    void answers_data();
    void answers();
    void kickAndSayReachThePlayers();
    void banHoldsAcrossARestartUntilLifted();
    void bansAnAddressFromTheFile();
    void garbageAndCrowdsNeverStopTheTable();
    void socketIsPrivateAndGoesWithTheTable();
    void commandOptionPrintsTheAnswer_data();
    void commandOptionPrintsTheAnswer();

private:
    void startTable();
    std::unique_ptr<WireClient> seat(const QByteArray& name);
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::FILE* m_log = nullptr;
    std::unique_ptr<DedicatedServer> m_table;
};

void AdminConsoleTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_log = std::tmpfile();
}

void AdminConsoleTest::cleanup()
{
    m_table.reset();
    std::fclose(m_log);
}

void AdminConsoleTest::startTable()
{
    ServerOptions options;
    options.port = 0;
    options.admin = path("admin.sock");
    options.bans = path("bans");
    m_table = std::make_unique<DedicatedServer>(options, m_log);
    QVERIFY(m_table->start());
}

std::unique_ptr<WireClient> AdminConsoleTest::seat(const QByteArray& name)
{
    auto client = std::make_unique<WireClient>();
    return client->login(m_table->port(), name) ? std::move(client) : nullptr;
}

void AdminConsoleTest::banMatches_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("match");
    const QString later = QStringLiteral("\t2030-01-01T00:00:00Z\n");
    const QString earlier = QStringLiteral("\t2020-01-01T00:00:00Z\n");
    QTest::newRow("name, any case") << "Troll\n"
                                    << QByteArray("tROLL") << "10.0.0.1"
                                    << "Troll";
    QTest::newRow("other name") << "Troll\n"
                                << QByteArray("Trolley") << "10.0.0.1"
                                << "";
    QTest::newRow("address") << "10.0.0.9\n"
                             << QByteArray("Ann") << "10.0.0.9"
                             << "10.0.0.9";
    QTest::newRow("mapped address") << "10.0.0.9\n"
                                    << QByteArray("Ann") << "::ffff:10.0.0.9"
                                    << "10.0.0.9";
    QTest::newRow("range") << "10.1.0.0/16\n"
                           << QByteArray("Ann") << "10.1.200.3"
                           << "10.1.0.0/16";
    QTest::newRow("outside range") << "10.1.0.0/16\n"
                                   << QByteArray("Ann") << "10.2.0.3"
                                   << "";
    QTest::newRow("IPv6") << "2001:DB8::1\n"
                          << QByteArray("Ann") << "2001:db8:0::1"
                          << "2001:db8::1";
    QTest::newRow("name like an address") << "10.0.0.5\n"
                                          << QByteArray("10.0.0.5") << "10.9.9.9"
                                          << "10.0.0.5";
    QTest::newRow("still running") << "Troll" + later << QByteArray("Troll") << ""
                                   << "Troll";
    QTest::newRow("ended") << "Troll" + earlier << QByteArray("Troll") << ""
                           << "";
}

void AdminConsoleTest::banMatches()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, name);
    QFETCH(QString, address);
    QFETCH(QString, match);
    const BanList bans = BanList::fromText(file.toUtf8());
    const auto found = bans.find(name, address, QDateTime::currentDateTimeUtc());
    QCOMPARE(found ? found->key : QString(), match);
}

void AdminConsoleTest::banFileKeepsEntriesAndSkipsBadLines()
{
    int skipped = 0;
    BanList bans = BanList::fromText("# kept by the table\n\nAnn Lee\n::ffff:10.0.0.1\t2030-05-01T10:00:00Z\n"
                                     "Bob\tnext tuesday\n\t2030-05-01T10:00:00Z\nann lee\n",
                                     &skipped);
    QCOMPARE(skipped, 2);
    // The second "ann lee" replaced the first entry rather than adding one.
    QCOMPARE(bans.toText(), QByteArray("ann lee\n10.0.0.1\t2030-05-01T10:00:00Z\n"));
    QCOMPARE(BanList::fromText(bans.toText()).entries(), bans.entries());
    QVERIFY(bans.remove(QStringLiteral("::FFFF:10.0.0.1")));
    QVERIFY(!bans.remove(QStringLiteral("Bob")));
    bans.add(QStringLiteral("Kim"), QDateTime::currentDateTimeUtc().addSecs(-1));
    QVERIFY(bans.dropEnded(QDateTime::currentDateTimeUtc()));
    QCOMPARE(bans.toText(), QByteArray("ann lee\n"));
}

void AdminConsoleTest::answers_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("list") << QByteArray(
        "list") << QStringList{"ok 2 connected", "1\tAnn\t127.0.0.1\tseated\t0", "2\tBob\t127.0.0.1\tseated\t0"};
    QTest::newRow("word in capitals") << QByteArray(" LIST\r") << QStringList{"ok 2 connected"};
    QTest::newRow("unknown") << QByteArray("reboot now") << QStringList{"error unknown command"};
    QTest::newRow("list with more") << QByteArray("list all") << QStringList{"error unknown command"};
    QTest::newRow("kick nobody") << QByteArray("kick Cy") << QStringList{"error no player named Cy"};
    QTest::newRow("kick without name") << QByteArray("kick") << QStringList{"error kick needs a name"};
    QTest::newRow("say nothing") << QByteArray("say  ") << QStringList{"error say needs a text"};
    QTest::newRow("no minutes") << QByteArray("ban Bob 0") << QStringList{"error minutes must be from 1 to 5256000"};
    QTest::newRow("unban unknown") << QByteArray("unban 10.0.0.1") << QStringList{"error no ban for 10.0.0.1"};
    // Bob sits at loopback, which the bots and the operator share.
    QTest::newRow("ban loopback player") << QByteArray("ban bob") << QStringList{"ok banned Bob for good"};
    QTest::newRow("ban absent name") << QByteArray("ban Cy") << QStringList{"ok banned Cy for good"};
    QTest::newRow("bans") << QByteArray("bans") << QStringList{"ok 0 bans"};
}

void AdminConsoleTest::answers()
{
    QFETCH(QByteArray, command);
    QFETCH(QStringList, expected);
    startTable();
    const auto ann = seat("Ann");
    const auto bob = seat("Bob");
    QVERIFY(ann && bob);
    Console console(path("admin.sock"));
    const QStringList answer = console.ask(command);
    QCOMPARE(answer.mid(0, expected.size()), expected);
}

void AdminConsoleTest::kickAndSayReachThePlayers()
{
    startTable();
    const auto ann = seat("Ann");
    const auto bob = seat("Bob");
    QVERIFY(ann && bob);
    Console console(path("admin.sock"));
    QCOMPARE(console.ask("say welcome | be nice"), QStringList{"ok said"});
    for (WireClient* player : {ann.get(), bob.get()})
        QCOMPARE(player->nextOf(CommandWord::chat), tableLine("welcome ¦ be nice"));
    QCOMPARE(console.ask("kick BOB"), QStringList{"ok kicked Bob"});
    QCOMPARE(bob->nextOf(CommandWord::kicked), QByteArray("CMD_kicked+"));
    QVERIFY(bob->waitClosed());
    QCOMPARE(ann->nextOf(CommandWord::playerdisconnected), QByteArray("CMD_playerdisconnected+2+Bob"));
    QCOMPARE(console.ask("list").first(), QStringLiteral("ok 1 connected"));
}

void AdminConsoleTest::banHoldsAcrossARestartUntilLifted()
{
    startTable();
    {
        const auto ann = seat("Ann");
        const auto bob = seat("Bob");
        QVERIFY(ann && bob);
        Console console(path("admin.sock"));
        QVERIFY(console.ask("ban Bob 90").first().startsWith("ok banned Bob until "));
        QCOMPARE(bob->nextOf(CommandWord::kicked), QByteArray("CMD_kicked+"));
        QVERIFY(bob->waitClosed());
    }
    m_table.reset();
    startTable();
    const QDateTime until = m_table->bans().list().entries().value(0).until;
    QVERIFY(until > QDateTime::currentDateTimeUtc().addSecs(89 * 60));
    WireClient bob;
    QVERIFY(bob.connectTo(m_table->port()));
    QVERIFY(!bob.nextOf(CommandWord::sendlogininfo).isEmpty());
    bob.send(ToServer::LoginInfo{bob.slot, GD_VERSION_TEXT, " bob "});
    const QByteArray term = until.toString("yyyy-MM-dd HH:mm").toUtf8();
    QCOMPARE(bob.nextOf(CommandWord::chat), tableLine("You are banned from this table until " + term + " UTC."));
    QCOMPARE(bob.next(), QByteArray("CMD_kicked+"));
    QVERIFY(bob.waitClosed());

    Console console(path("admin.sock"));
    QCOMPARE(console.ask("bans"), (QStringList{"ok 1 bans", "Bob\tuntil " + until.toString(Qt::ISODate)}));
    QCOMPARE(console.ask("unban BOB"), QStringList{"ok unbanned BOB"});
    QFile file(path("bans"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray());
    QVERIFY(seat("Bob"));
}

void AdminConsoleTest::bansAnAddressFromTheFile()
{
    QFile file(path("bans"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# this machine\n127.0.0.1\n");
    file.close();
    startTable();
    WireClient visitor;
    QVERIFY(visitor.connectTo(m_table->port()));
    QVERIFY(!visitor.nextOf(CommandWord::sendlogininfo).isEmpty());
    visitor.send(ToServer::LoginInfo{visitor.slot, GD_VERSION_TEXT, "Anyone"});
    QCOMPARE(visitor.nextOf(CommandWord::chat), tableLine("You are banned from this table."));
    QCOMPARE(visitor.next(), QByteArray("CMD_kicked+"));
    QVERIFY(visitor.waitClosed());
    QVERIFY(!m_table->server().game().players.loggedin(1));
}

void AdminConsoleTest::garbageAndCrowdsNeverStopTheTable()
{
    startTable();
    Console console(path("admin.sock"));
    console.socket.write(QByteArray(5000, 'x') + "\nlist\n" + QByteArray("\xff\x00\x01 frob\n", 9));
    QCOMPARE(console.answer(), QStringList{"error line too long"});
    QCOMPARE(console.answer(), QStringList{"ok 0 connected"});
    QCOMPARE(console.answer(), QStringList{"error unknown command"});
    // A console that asks without end and never reads its answers is cut off.
    QLocalSocket deaf;
    deaf.setReadBufferSize(1);
    deaf.connectToServer(path("admin.sock"));
    QVERIFY(deaf.waitForConnected());
    QByteArray lists;
    for (int i = 0; i < 20000; ++i)
        lists += "list\n";
    deaf.write(lists);
    std::vector<std::unique_ptr<Console>> crowd;
    for (int i = 0; i < AdminSocket::MaxConsoles; ++i)
        crowd.push_back(std::make_unique<Console>(path("admin.sock")));
    QCOMPARE(crowd.back()->answer(), QStringList{"error too many consoles"});
    // The deaf console's place comes free once it has been cut off.
    QVERIFY(waitUntil([this] { return Console(path("admin.sock")).ask("list").first().startsWith("ok"); }, 20000));
    const auto ann = seat("Ann");
    QVERIFY(ann);
    QCOMPARE(crowd.front()->ask("list").first(), QStringLiteral("ok 1 connected"));
}

void AdminConsoleTest::socketIsPrivateAndGoesWithTheTable()
{
    startTable();
    struct stat info = {};
    QCOMPARE(::stat(QFile::encodeName(path("admin.sock")).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
    m_table.reset();
    QVERIFY(!QFile::exists(path("admin.sock")));
    // A regular file where the socket should go is the operator's mistake,
    // not ours to delete.
    QFile precious(path("admin.sock"));
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.write("notes");
    precious.close();
    ServerOptions options;
    options.port = 0;
    options.admin = path("admin.sock");
    DedicatedServer table(options, m_log);
    QVERIFY(!table.start());
    QCOMPARE(QFileInfo(path("admin.sock")).size(), 5);
}

void AdminConsoleTest::commandOptionPrintsTheAnswer_data()
{
    QTest::addColumn<QString>("socket");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("ok") << "admin.sock"
                        << "list" << 0 << "ok 0 connected\n"
                        << "";
    QTest::newRow("error") << "admin.sock"
                           << "ban Ann 0" << 1 << "error minutes must be from 1 to 5256000\n"
                           << "";
    QTest::newRow("no table") << "elsewhere.sock"
                              << "list" << 2 << ""
                              << "cannot reach";
    QTest::newRow("two lines") << "admin.sock"
                               << "list\nbans" << 2 << ""
                               << "one line";
    QTest::newRow("no --admin") << ""
                                << "list" << 2 << ""
                                << "--command needs --admin";
}

void AdminConsoleTest::commandOptionPrintsTheAnswer()
{
    QFETCH(QString, socket);
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    startTable();
    QStringList arguments{"--command", command};
    if (!socket.isEmpty())
        arguments << "--admin" << m_dir->filePath(socket);
    QProcess client;
    client.start(QFileInfo(qEnvironmentVariable("GD_APP")).dir().filePath("gloopdash-server"), arguments);
    // The table answers on this thread: the loop must turn while the client waits.
    QVERIFY(waitUntil([&client] { return client.state() == QProcess::NotRunning; }, 20000));
    QCOMPARE(client.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(client.readAllStandardOutput()), out);
    const QString errText = QString::fromUtf8(client.readAllStandardError());
    QVERIFY2(errText.contains(err) && errText.isEmpty() == err.isEmpty(), qPrintable(errText));
}

QTEST_GUILESS_MAIN(AdminConsoleTest)
#include "test_admin_console.moc"
