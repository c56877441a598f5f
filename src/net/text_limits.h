#pragma once

// Longest texts a player may put on the table. The server cuts longer ones
// before relaying them, so every screen shows the same words; entry boxes
// stop at the same lengths.
namespace TextLimits {
// A player's name: fits a score-panel row and a chat line's head.
inline constexpr int Name = 24;
// One typed chat or action line: several screen lines of the chat view.
inline constexpr int Chat = 400;
// One phrase: the phrase editor's own limit.
inline constexpr int Phrase = 50;
} // namespace TextLimits
