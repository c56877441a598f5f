#include "dispatch_clock.h"

#include <chrono>

namespace {
class SteadyClock : public DispatchClock {
public:
    qint64 nowNs() const override
    {
        return qint64(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
    }
};
} // namespace

const DispatchClock& DispatchClock::steady()
{
    static const SteadyClock clock;
    return clock;
}
