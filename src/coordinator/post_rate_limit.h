#pragma once

#include <QHash>
#include <QString>
#include <chrono>
#include <mutex>

// How many registrations and refreshes one address may send: a token bucket
// per address (a short burst, then a steady rate). A table refreshes every
// 15 s and after a change, so only a flood or a broken table meets the limit.
// The buckets are bounded: past MaxAddresses, those refilled to the full
// burst (addresses gone quiet) are forgotten, and if all are busy the oldest
// state goes, so no flood of source addresses grows memory without bound.
class PostRateLimit {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int MaxAddresses = 100000;

    PostRateLimit(double perSecond, double burst) : m_rate(perSecond), m_burst(burst) { }

    // Takes one token for `address`; false when it has none left.
    bool allow(const QString& address, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tokens = 0;
        Clock::time_point last;
    };
    void forgetQuiet(Clock::time_point now);

    const double m_rate;
    const double m_burst;
    std::mutex m_mutex;
    QHash<QString, Bucket> m_buckets;
};
