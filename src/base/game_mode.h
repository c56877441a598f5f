#pragma once

#include <QString>

// The two games a table plays. The wire, the score site and the bot's command
// line carry them as numbers (1 standard, 2 classic); everything else holds
// the enum. None: before any game, or a number that names no game.
enum class GameMode : int { None = 0, Standard = 1, Classic = 2 };

namespace GameModes {
constexpr bool isMode(int code)
{
    return code == static_cast<int>(GameMode::Standard) || code == static_cast<int>(GameMode::Classic);
}

// The mode a number names; None for any other number.
constexpr GameMode fromCode(int code)
{
    return isMode(code) ? static_cast<GameMode>(code) : GameMode::None;
}

constexpr int code(GameMode mode)
{
    return static_cast<int>(mode);
}

// Missions a game of the mode lasts unless a tie adds one.
constexpr int missions(GameMode mode)
{
    return mode == GameMode::Classic ? 6 : 3;
}

// "standard" or "classic" as table lists and the event log write it; empty for None.
inline QString name(GameMode mode)
{
    switch (mode) {
    case GameMode::Standard: return QStringLiteral("standard");
    case GameMode::Classic: return QStringLiteral("classic");
    case GameMode::None: break;
    }
    return {};
}
} // namespace GameModes

// The totals a game's score must pass before it is offered to the high-score list.
namespace HighScores {
inline constexpr int StandardThreshold = 49999;
inline constexpr int ClassicThreshold = 19999;

constexpr bool qualifies(GameMode mode, qint64 total)
{
    switch (mode) {
    case GameMode::Standard: return total > StandardThreshold;
    case GameMode::Classic: return total > ClassicThreshold;
    case GameMode::None: return false;
    }
    return false;
}
} // namespace HighScores
