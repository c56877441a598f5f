#include "reconnect_policy.h"

#include <algorithm>

std::optional<int> ReconnectPolicy::nextWait(int attempts, int lostAgoMs)
{
    if (lostAgoMs >= GiveUpMs)
        return std::nullopt;
    int wait = 0;
    if (attempts > 0) {
        // Doubling stops well before an int could overflow.
        wait = FirstWaitMs << std::min(attempts - 1, 3);
        wait = std::min(wait, LongestWaitMs);
    }
    // The last try comes at the minute, not after it.
    return std::min(wait, GiveUpMs - lostAgoMs);
}
