#pragma once

#include <QtGlobal>

// Lets `burst` events pass at once after a quiet spell, then one per interval.
// It keeps the time the next event is due rather than counting ticks, so a
// timer that wakes late only delays an event, never the ones after it: the
// long-run rate stays exactly one per interval.
class TokenBucket {
public:
    TokenBucket(qint64 intervalNs, int burst);

    // Takes one event's turn at `nowNs` if one is due; false otherwise.
    bool take(qint64 nowNs);
    // Nanoseconds from `nowNs` until `events` events may pass in a row (0 when
    // they may pass now); more events than the burst wait as long as the burst.
    qint64 wait(qint64 nowNs, int events = 1) const;

    void setBurst(int burst);

private:
    qint64 m_interval;
    // How far ahead of the clock the due time may run: the burst's credit.
    qint64 m_tolerance;
    // The time the next event would be due if the bucket were empty.
    qint64 m_due;
};
