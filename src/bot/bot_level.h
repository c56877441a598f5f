#pragma once

#include "bot_board.h"

#include <QList>
#include <QString>
#include <optional>

// How well and how fast a bot plays, each at a person's pace. Easy keeps its
// trail going when it sees how, slowly, and often loses the thread; normal
// plays like a steady person; hard plays the best line it can see over the
// next tiles, quickly, yet slips now and then, so a good player can beat it.
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
// Picks in a hundred taken at random among the legal cells: a person's lapses.
int slipPercent(BotLevel level);
// The seat's login name by its number from 0, with its level: "Bot Ann (hard)",
// "Bot Cy (easy)", ..., "Bot Ann 2 (hard)" once the given names run out.
QByteArray seatName(int index, BotLevel level);
// The first seat name whose given name ("Ann") is nobody's at the table: no
// seated name is that name, starts with it and a blank, or is a bot of it.
QByteArray freeSeatName(BotLevel level, const QList<QByteArray>& seated);
// The speed factor from GLOOPDASH_BOT_PACE (1 when unset or not a number
// from 0 to 100): tests and measurements make bots play faster.
double paceFromEnvironment();
} // namespace BotLevels
