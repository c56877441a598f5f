#include "token_bucket.h"

#include <algorithm>
#include <limits>

TokenBucket::TokenBucket(qint64 intervalNs, int burst)
    : m_interval(std::max<qint64>(1, intervalNs)), m_tolerance(0), m_due(std::numeric_limits<qint64>::min() / 2)
{
    setBurst(burst);
}

void TokenBucket::setBurst(int burst)
{
    m_tolerance = qint64(std::max(1, burst) - 1) * m_interval;
}

bool TokenBucket::take(qint64 nowNs)
{
    if (nowNs < m_due - m_tolerance)
        return false;
    m_due = std::max(m_due, nowNs) + m_interval;
    return true;
}

qint64 TokenBucket::wait(qint64 nowNs, int events) const
{
    // The burst's credit is the tolerance: at most that many intervals ahead.
    const qint64 more = std::min<qint64>(std::max(events, 1) - 1, m_tolerance / m_interval) * m_interval;
    return std::max<qint64>(0, m_due - m_tolerance + more - nowNs);
}
