#include "game_random.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace {

class DefaultRandom final : public RandomSource {
public:
    int random(int n) override { return n <= 0 ? 0 : int(m_generator.bounded(quint32(n))); }
    void seed(unsigned value) { m_generator.seed(value); }

private:
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
