#pragma once

#include <memory>

// The program's random numbers: a generator for each thread (the server's
// deals, the window's bots), every one starting from the seed set at start-up
// or by a test. Tests install their own source to deal known boards; an
// installed source serves every thread, so it is for single-threaded tests.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly distributed integer from 0 to n - 1 (0 when n <= 0).
    virtual int random(int n) = 0;
};

namespace GameRandom {
// Seeds the default source from the clock (called once at start-up).
void seedFromClock();
// Seeds the default source with a fixed value (tests, tools): every thread's
// generator starts again from it at its next draw.
void seed(unsigned value);
// Replaces the source; nullptr restores the default one.
void install(std::shared_ptr<RandomSource> source);
RandomSource& source();
int random(int n);
} // namespace GameRandom
