#pragma once
// Seeds with known first draws, so a test can steer the computer players' random choices
// and see exactly how many draws a step makes.
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "core/random.h"

namespace korvant::test {

// The first seed from 1 on whose next real draws fall, one by one, in [low, high).
inline uint32_t SeedWithDraws(std::initializer_list<std::pair<long double, long double>> ranges) {
    for (uint32_t seed = 1; seed < 10'000'000; ++seed) {
        RandomGenerator rng(seed);
        bool fits = true;
        for (const auto& [low, high] : ranges) {
            const long double d = rng.Real();
            if (d < low || d >= high) {
                fits = false;
                break;
            }
        }
        if (fits) return seed;
    }
    throw std::logic_error("no seed gives these draws");
}

// The generator's seed after `draws` more draws from `seed`.
inline uint32_t SeedAfter(uint32_t seed, int draws) {
    RandomGenerator rng(seed);
    for (int i = 0; i < draws; ++i) rng.Real();
    return rng.seed();
}

}  // namespace korvant::test
