// The trainer's random numbers, drawn the way the DOS trainer drew them:
// Randomize once at the start, then Random(n) for a number 0..n-1.
#pragma once

#include <random>

#include "trainer/TrainerState.h"

namespace qs {

// Seeds the generator from the platform (the clock, or the fixed seed of a
// test run).
inline void Randomize(Trainer& tr) { tr.RandomGenerator.seed(tr.d.platform.RandomSeed()); }

// A number 0..n-1; 0 when n is not positive.
inline int Random(Trainer& tr, int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(tr.RandomGenerator);
}

}  // namespace qs
