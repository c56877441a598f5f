#include "game_random.h"

#include <QDateTime>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>

namespace {

// Locked: the hosting copy's server deals on its own thread while a window
// may seed.
class DefaultRandom final : public RandomSource {
public:
    int random(int n) override
    {
        const QMutexLocker lock(&m_mutex);
        return n <= 0 ? 0 : int(m_generator.bounded(quint32(n)));
    }
    void seed(unsigned value)
    {
        const QMutexLocker lock(&m_mutex);
        m_generator.seed(value);
    }

private:
    QMutex m_mutex;
    QRandomGenerator m_generator{1u};
};

DefaultRandom& defaultSource()
{
    static DefaultRandom source;
    return source;
}

std::shared_ptr<RandomSource>& installed()
{
    static std::shared_ptr<RandomSource> source;
    return source;
}

} // namespace

namespace GameRandom {

void seedFromClock()
{
    defaultSource().seed(unsigned(QDateTime::currentMSecsSinceEpoch()));
}

void seed(unsigned value)
{
    defaultSource().seed(value);
}

void install(std::shared_ptr<RandomSource> source)
{
    installed() = std::move(source);
}

RandomSource& source()
{
    if (installed())
        return *installed();
    return defaultSource();
}

int random(int n)
{
    return source().random(n);
}

} // namespace GameRandom
