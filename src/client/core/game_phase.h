#pragma once

// Where the game stands as the table last told us.
enum class GamePhase {
    // Before any game at this table, and after leaving a table.
    NoGame,
    // A start was announced and its first round has not begun: a repeated
    // start only changes the mode and the missions.
    Starting,
    // A seat's round is being played.
    InRound,
    // Between one seat's round and the next (or joined into a running game
    // without having seen a round yet).
    RoundOver,
    // A winner was announced.
    Over,
};
