#include "bot_level.h"

#include <QtGlobal>
#include <algorithm>
#include <array>

namespace {
// Short names that read as people's, so a bot is told by its "Bot " prefix.
constexpr std::array<const char*, 8> SeatNames{"Ann", "Cy", "Dot", "Eli", "Flo", "Gus", "Ivy", "Max"};

// "Ann", "Cy", ..., then "Ann 2" and on.
QByteArray givenName(int index)
{
    const size_t at = size_t(qMax(0, index)) % SeatNames.size();
    QByteArray name = SeatNames[at];
    if (const int round = qMax(0, index) / int(SeatNames.size()); round > 0)
        name += ' ' + QByteArray::number(round + 1);
    return name;
}
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
    // A person needs about a second to find a matching tile and click it; a
    // quick one half of that. Even easy clears most of a board in a round.
    switch (level) {
    case BotLevel::Easy: return {1600, 2600};
    case BotLevel::Normal: return {900, 1500};
    case BotLevel::Hard: return {550, 900};
    }
    return {900, 1500};
}

int slipPercent(BotLevel level)
{
    switch (level) {
    case BotLevel::Easy: return 30;
    case BotLevel::Normal: return 10;
    case BotLevel::Hard: return 8;
    }
    return 10;
}

QByteArray seatName(int index, BotLevel level)
{
    return "Bot " + givenName(index) + " (" + name(level).toUtf8() + ')';
}

QByteArray freeSeatName(BotLevel level, const QList<QByteArray>& seated)
{
    for (int index = 0;; ++index) {
        const QByteArray given = givenName(index);
        const auto clash = [&given](const QByteArray& name) {
            const QByteArray lower = name.toLower();
            const QByteArray mine = given.toLower();
            return lower == mine || lower.startsWith(mine + ' ') || lower.startsWith("bot " + mine + ' ')
                || lower == "bot " + mine;
        };
        if (std::none_of(seated.begin(), seated.end(), clash))
            return seatName(index, level);
    }
}

double paceFromEnvironment()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("GLOOPDASH_BOT_PACE").toDouble(&ok);
    return ok && factor >= 0.0 && factor <= 100.0 ? factor : 1.0;
}

} // namespace BotLevels
