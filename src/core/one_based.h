#pragma once
// Arrays indexed from a fixed lower bound (the game's tables count from 1, the
// map frame from 0). The layout is a plain C array, so records that hold these
// arrays keep their byte layout.
#include <cassert>
#include <cstddef>

namespace korvant {

template <class T, int Lo, int Hi>
struct Arr {
    static_assert(Hi >= Lo);
    static constexpr int low = Lo;
    static constexpr int high = Hi;
    static constexpr std::size_t count = std::size_t(Hi - Lo + 1);

    T v[count];

    T& operator[](int i) {
        assert(i >= Lo && i <= Hi);
        return v[i - Lo];
    }
    const T& operator[](int i) const {
        assert(i >= Lo && i <= Hi);
        return v[i - Lo];
    }
    T* begin() { return v; }
    T* end() { return v + count; }
    const T* begin() const { return v; }
    const T* end() const { return v + count; }
};

// Arrays that count from 1, as most of the game's tables do.
template <class T, int N>
using Arr1 = Arr<T, 1, N>;

}  // namespace korvant
