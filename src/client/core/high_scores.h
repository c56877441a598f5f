#pragma once

#include "net/protocol_table.h"

// The totals a game's score must pass before it is offered to the high-score list.
namespace HighScores {
inline constexpr int StandardThreshold = 49999;
inline constexpr int ClassicThreshold = 19999;

constexpr bool qualifies(GameMode mode, int total)
{
    switch (mode) {
    case GameMode::Standard: return total > StandardThreshold;
    case GameMode::Classic: return total > ClassicThreshold;
    case GameMode::None: return false;
    }
    return false;
}
} // namespace HighScores
