// A hosting copy deals on the server's thread while the window's bots draw
// their moves on the UI thread. Built with ThreadSanitizer (scripts/tsan-tests),
// a generator the two share without a lock is reported and fails the run.
#include "net/game_random.h"

#include <QTest>

#include <thread>
#include <vector>

class ThreadRandomTest : public QObject {
    Q_OBJECT
private slots:
    void eachThreadDrawsFromTheSeed();
};

void ThreadRandomTest::eachThreadDrawsFromTheSeed()
{
    std::vector<int> dealt(20000);
    std::vector<int> drawn(20000);
    for (int round = 0; round < 2; ++round) {
        GameRandom::seed(20240611);
        std::thread dealer([&dealt] {
            for (int& v : dealt)
                v = GameRandom::random(1000);
        });
        for (int& v : drawn)
            v = GameRandom::random(1000);
        dealer.join();
        // A fixed seed deals the same boards whatever the bots drew meanwhile.
        QVERIFY(dealt == drawn);
    }
}

QTEST_GUILESS_MAIN(ThreadRandomTest)
#include "test_thread_random.moc"
