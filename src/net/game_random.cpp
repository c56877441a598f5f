#include "game_random.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <atomic>

namespace {

// The seed every thread's generator starts from, and how many times it was
// set: the high half counts, the low half is the seed, so a thread reads both
// in one go.
std::atomic<quint64> seeding{1};

// One generator per thread: the server thread deals while the window's bots
// draw on the UI thread, and a generator shared without a lock is a data race.
// Each starts again from the seed whenever the seed is set, so a fixed seed
// deals the same boards as ever on whichever thread deals them.
class ThreadRandom final : public RandomSource {
public:
    int random(int n) override
    {
        const quint64 now = seeding.load(std::memory_order_acquire);
        if (now != m_seeding) {
            m_seeding = now;
            m_generator.seed(quint32(now));
        }
        return n <= 0 ? 0 : int(m_generator.bounded(quint32(n)));
    }

private:
    QRandomGenerator m_generator{1u};
    quint64 m_seeding = 1;
};

thread_local ThreadRandom threadSource;

std::shared_ptr<RandomSource>& installed()
{
    static std::shared_ptr<RandomSource> source;
    return source;
}

} // namespace

namespace GameRandom {

void seedFromClock()
{
    seed(unsigned(QDateTime::currentMSecsSinceEpoch()));
}

void seed(unsigned value)
{
    quint64 now = seeding.load();
    while (!seeding.compare_exchange_weak(now, ((now >> 32) + 1) << 32 | value)) { }
}

void install(std::shared_ptr<RandomSource> source)
{
    installed() = std::move(source);
}

RandomSource& source()
{
    if (installed())
        return *installed();
    return threadSource;
}

int random(int n)
{
    return source().random(n);
}

} // namespace GameRandom
