// The hosting copy's shape: the server deals on a thread of its own while bots
// draw their moves on this one. Built with ThreadSanitizer (scripts/tsan-tests),
// any state the two share without a lock is reported and fails the run.
#include "wire_client.h"

#include "bot/bot_seats.h"
#include "net/game_random.h"
#include "server/host_options.h"
#include "server/server_thread.h"

#include <QTest>

class ThreadedTableTest : public QObject {
    Q_OBJECT
private slots:
    void botsPlayBesideTheServerThread();
};

void ThreadedTableTest::botsPlayBesideTheServerThread()
{
    GameRandom::seed(7);
    FixedHostOptions options;
    ServerThread server(options);
    QVERIFY(!server.start(0));
    WireClient host;
    QVERIFY(host.login(server.port(), "Host"));
    BotSeats bots;
    bots.setServer(QStringLiteral("127.0.0.1"), server.port());
    bots.setSpeed(0.01);
    QVERIFY(bots.add(BotLevel::Hard) && bots.add(BotLevel::Easy));
    QVERIFY(!host.nextOf("CMD_newplayerinfo").isEmpty());
    QVERIFY(!host.nextOf("CMD_newplayerinfo").isEmpty());
    host.send("CMD_startgame+Host+1+");
    // The server deals round after round while the bots pick: both draw numbers.
    int picks = 0;
    QVERIFY(waitUntil(
        [&] {
            for (const QByteArray& m : host.unread())
                picks += m.startsWith("CMD_removetile+") ? 1 : 0;
            return picks >= 20;
        },
        20000));
    bots.removeAll();
    server.stop();
}

QTEST_GUILESS_MAIN(ThreadedTableTest)
#include "test_threaded_table.moc"
