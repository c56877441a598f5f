#pragma once

#include <QtGlobal>

// The time a dispatcher's rate limit is measured against. The program uses the
// steady clock; a test steps its own so a rate can be checked exactly.
class DispatchClock {
public:
    virtual ~DispatchClock() = default;
    // Nanoseconds on a clock that never goes back.
    virtual qint64 nowNs() const = 0;

    // The process-wide steady clock.
    static const DispatchClock& steady();
};

// A clock that only moves when told to.
class StepClock : public DispatchClock {
public:
    qint64 nowNs() const override { return m_now; }
    void advanceMs(qint64 ms) { m_now += ms * 1000000; }

private:
    qint64 m_now = 1000000000;
};
