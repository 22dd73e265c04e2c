#pragma once
// Inputs for the coders' tests: noise, repetitive text and a body shaped like a
// saved game's (long zero stretches between small records).
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace korvant::testing {

inline std::vector<uint8_t> Noise(std::size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = uint8_t(rng());
    return v;
}

inline std::vector<uint8_t> Words(std::size_t n, uint32_t seed) {
    static constexpr std::string_view words[] = {"the ",    "state ", "of ",   "grain ",   "army ",   "general ",
                                                 "border ", "and ",   "year ", "science ", "money, ", "peace.\n"};
    std::mt19937 rng(seed);
    std::vector<uint8_t> v;
    while (v.size() < n) {
        const std::string_view w = words[rng() % std::size(words)];
        v.insert(v.end(), w.begin(), w.end());
    }
    v.resize(n);
    return v;
}

inline std::vector<uint8_t> Sparse(std::size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n, 0);
    for (std::size_t i = 0; i < n; i += 1 + rng() % 200) {
        const std::size_t k = std::min<std::size_t>(n - i, rng() % 12);
        for (std::size_t j = 0; j < k; ++j) v[i + j] = uint8_t(rng() % 7);
    }
    return v;
}

}  // namespace korvant::testing
