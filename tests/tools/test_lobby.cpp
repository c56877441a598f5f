#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The lobby stand-in, driving a stand-in game: a shell script that records its
// arguments, links to the lobby's port and ends when the link closes.
class TestLobby : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linkClosingEndsGame_data();
    void linkClosingEndsGame();
    void commandsStartAndEndGames();

private:
    bool startLobby(const QStringList& arguments);
    QString read(const QString& name) const;
    bool waitForFile(const QString& name) const
    {
        return QTest::qWaitFor([&] { return QFile::exists(m_dir->filePath(name)); }, 10000);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_lobby;
};

void TestLobby::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile game(m_dir->filePath("game"));
    QVERIFY(game.open(QIODevice::WriteOnly));
    game.write("#!/bin/bash\n"
               "here=$(dirname \"$0\")\n"
               "printf '%s\\n' \"$@\" > \"$here/args.txt\"\n"
               "exec 3<>/dev/tcp/127.0.0.1/$GLOOPDASH_LOBBY_PORT || exit 3\n"
               "touch \"$here/linked.txt\"\n"
               "cat <&3 >/dev/null\n"
               "touch \"$here/ended.txt\"\n");
    game.close();
    game.setPermissions(game.permissions() | QFileDevice::ExeOwner);
}

void TestLobby::cleanup()
{
    if (m_lobby && m_lobby->state() != QProcess::NotRunning) {
        m_lobby->kill();
        m_lobby->waitForFinished(5000);
    }
    m_lobby.reset();
    m_dir.reset();
}

bool TestLobby::startLobby(const QStringList& arguments)
{
    m_lobby = std::make_unique<QProcess>();
    m_lobby->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_lobby->start(qEnvironmentVariable("GD_TOOLS_DIR") + "/mirreklobby/mirreklobby",
                   QStringList{"--port", "0", "--game", m_dir->filePath("game")} + arguments);
    return m_lobby->waitForStarted(10000);
}

QString TestLobby::read(const QString& name) const
{
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestLobby::linkClosingEndsGame_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("quit command") << "quit";
    QTest::newRow("Ctrl+C") << "interrupt";
    QTest::newRow("terminate") << "terminate";
}

void TestLobby::linkClosingEndsGame()
{
    QFETCH(QString, how);
    QVERIFY(startLobby({"Ann", "10.0.0.5", "true"}));
    QVERIFY(waitForFile("linked.txt"));
    QCOMPARE(read("args.txt"), QStringLiteral("Ann\n10.0.0.5\ntrue\n"));
    QVERIFY(!QFile::exists(m_dir->filePath("ended.txt")));

    if (how == "quit")
        m_lobby->write("quit\n");
    else if (how == "interrupt")
        ::kill(pid_t(m_lobby->processId()), SIGINT);
    else
        m_lobby->terminate();
    QVERIFY(m_lobby->waitForFinished(10000));
    QCOMPARE(m_lobby->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_lobby->exitCode(), 0);
    QVERIFY(QFile::exists(m_dir->filePath("ended.txt")));
}

void TestLobby::commandsStartAndEndGames()
{
    QVERIFY(startLobby({}));
    m_lobby->write("join Bob 10.0.0.5\n");
    QVERIFY(waitForFile("linked.txt"));
    QCOMPARE(read("args.txt"), QStringLiteral("Bob\n10.0.0.5\nfalse\n"));

    m_lobby->write("end\n");
    QVERIFY(waitForFile("ended.txt"));
    // The stand-in game writes its file just before it exits: a new game may
    // start only once the lobby has seen it go.
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += m_lobby->readAllStandardOutput()).contains("game ended"), 10000);
    QCOMPARE(m_lobby->state(), QProcess::Running);

    QFile::remove(m_dir->filePath("linked.txt"));
    m_lobby->write("host Cid\n");
    QVERIFY(waitForFile("linked.txt"));
    QCOMPARE(read("args.txt"), QStringLiteral("Cid\n127.0.0.1\ntrue\n"));
    QFile::remove(m_dir->filePath("ended.txt"));
    m_lobby->write("quit\n");
    QVERIFY(m_lobby->waitForFinished(10000));
    QVERIFY(QFile::exists(m_dir->filePath("ended.txt")));
}

QTEST_GUILESS_MAIN(TestLobby)
#include "test_lobby.moc"
