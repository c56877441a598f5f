#pragma once

#include <optional>

// When a window whose link to the table broke tries again: at once, then
// after growing waits (1, 2, 4, 8 s, never more than 8 s apart), for up to a
// minute from the loss. A table that keeps refusing for that long is gone.
class ReconnectPolicy {
public:
    static constexpr int GiveUpMs = 60000;
    static constexpr int FirstWaitMs = 1000;
    static constexpr int LongestWaitMs = 8000;

    // The link broke `lostAgoMs` ago and `attempts` tries have failed since:
    // how long to wait before the next try, or nullopt to give up.
    static std::optional<int> nextWait(int attempts, int lostAgoMs);
};
