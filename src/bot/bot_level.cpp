#include "bot_level.h"

#include <QtGlobal>
#include <array>

namespace {
// Short names that read as people's, so a bot is told by its "Bot " prefix.
constexpr std::array<const char*, 8> SeatNames{"Ann", "Cy", "Dot", "Eli", "Flo", "Gus", "Ivy", "Max"};
} // namespace

namespace BotLevels {

std::optional<BotLevel> parse(const QString& text)
{
    if (text == QLatin1String("easy"))
        return BotLevel::Easy;
    if (text == QLatin1String("normal"))
        return BotLevel::Normal;
    if (text == QLatin1String("hard"))
        return BotLevel::Hard;
    return std::nullopt;
}

QString name(BotLevel level)
{
    switch (level) {
    case BotLevel::Easy: return QStringLiteral("easy");
    case BotLevel::Normal: return QStringLiteral("normal");
    case BotLevel::Hard: return QStringLiteral("hard");
    }
    return {};
}

BotBoard::Strategy strategy(BotLevel level)
{
    switch (level) {
    case BotLevel::Easy: return BotBoard::Strategy::Random;
    case BotLevel::Normal: return BotBoard::Strategy::Greedy;
    case BotLevel::Hard: return BotBoard::Strategy::Best;
    }
    return BotBoard::Strategy::Greedy;
}

BotPace pace(BotLevel level)
{
    // A person needs about a quarter of a second to see a tile and click it.
    switch (level) {
    case BotLevel::Easy: return {1400, 2400};
    case BotLevel::Normal: return {700, 1200};
    case BotLevel::Hard: return {250, 450};
    }
    return {700, 1200};
}

QByteArray seatName(int index)
{
    const size_t at = size_t(qMax(0, index)) % SeatNames.size();
    QByteArray name = QByteArray("Bot ") + SeatNames[at];
    if (const int round = qMax(0, index) / int(SeatNames.size()); round > 0)
        name += ' ' + QByteArray::number(round + 1);
    return name;
}

double paceFromEnvironment()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("GLOOPDASH_BOT_PACE").toDouble(&ok);
    return ok && factor >= 0.0 && factor <= 100.0 ? factor : 1.0;
}

} // namespace BotLevels
