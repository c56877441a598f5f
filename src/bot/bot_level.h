#pragma once

#include "bot_board.h"

#include <QString>
#include <optional>

// How well and how fast a bot plays. Easy picks any legal cell and takes its
// time; normal keeps its trail going at a person's pace; hard plays the best
// line it can see over the next tiles, quickly, but never faster than a person
// could click.
enum class BotLevel { Easy, Normal, Hard };

struct BotPace {
    int minMs;
    int maxMs;
};

namespace BotLevels {
// "easy", "normal", "hard"; nullopt for anything else.
std::optional<BotLevel> parse(const QString& text);
QString name(BotLevel level);
BotBoard::Strategy strategy(BotLevel level);
// Wait before each pick at the natural pace (a speed factor of 1).
BotPace pace(BotLevel level);
// The seat's login name: "Bot Ann", "Bot Cy", ... by its number from 0.
QByteArray seatName(int index);
// The speed factor from GLOOPDASH_BOT_PACE (1 when unset or not a number
// from 0 to 100): tests and measurements make bots play faster.
double paceFromEnvironment();
} // namespace BotLevels
