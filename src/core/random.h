#pragma once
// The game's one random generator: a 32-bit linear congruential generator.
// Fixed arithmetic, so a seed gives the same game on every machine and library.
#include <cstdint>

namespace korvant {

class RandomGenerator {
public:
    explicit RandomGenerator(uint32_t seed = 0) : seed_(seed) {}

    void setSeed(uint32_t seed) { seed_ = seed; }
    uint32_t seed() const { return seed_; }

    // Uniform integer 0..n-1; 0 when n <= 0 (the generator still advances).
    int Random(int n) {
        step();
        if (n <= 0) return 0;
        return static_cast<int>((uint64_t(seed_) * uint32_t(n)) >> 32);
    }

    // Uniform real in [0, 1).
    long double Real() {
        step();
        return static_cast<long double>(seed_) / 4294967296.0L;
    }

private:
    void step() { seed_ = seed_ * 134775813u + 1u; }
    uint32_t seed_;
};

}  // namespace korvant
