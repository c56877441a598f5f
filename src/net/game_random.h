#pragma once

#include <memory>

// The program's one random generator, shared by the server and the client of a
// process and seeded once at start-up. Tests install their own source to deal
// known boards.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly distributed integer from 0 to n - 1 (0 when n <= 0).
    virtual int random(int n) = 0;
};

namespace GameRandom {
// Seeds the default source from the clock (called once at start-up).
void seedFromClock();
// Seeds the default source with a fixed value (tests, tools).
void seed(unsigned value);
// Replaces the source; nullptr restores the default one.
void install(std::shared_ptr<RandomSource> source);
RandomSource& source();
int random(int n);
} // namespace GameRandom
