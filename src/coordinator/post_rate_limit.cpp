#include "post_rate_limit.h"

#include <algorithm>

bool PostRateLimit::allow(const QString& address, Clock::time_point now)
{
    const std::lock_guard lock(m_mutex);
    auto it = m_buckets.find(address);
    if (it == m_buckets.end()) {
        if (m_buckets.size() >= MaxAddresses)
            forgetQuiet(now);
        it = m_buckets.insert(address, Bucket{m_burst, now});
    }
    Bucket& b = it.value();
    const double seconds = std::chrono::duration<double>(now - b.last).count();
    b.tokens = std::min(m_burst, b.tokens + std::max(0.0, seconds) * m_rate);
    b.last = now;
    if (b.tokens < 1)
        return false;
    b.tokens -= 1;
    return true;
}

void PostRateLimit::forgetQuiet(Clock::time_point now)
{
    const double refill = m_burst / m_rate;
    for (auto it = m_buckets.begin(); it != m_buckets.end();) {
        const double quiet = std::chrono::duration<double>(now - it->last).count();
        if (it->tokens + quiet * m_rate >= m_burst || quiet >= refill)
            it = m_buckets.erase(it);
        else
            ++it;
    }
    // Every address is busy: start over rather than grow.
    if (m_buckets.size() >= MaxAddresses)
        m_buckets.clear();
}
