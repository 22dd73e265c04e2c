#include "map/map_generation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "core/numbers.h"

namespace korvant {
namespace {

// The working grid is the map's 102 x 102 array flattened as x * Stride + y.
constexpr int Stride = 102;
constexpr int Cells = Stride * Stride;
constexpr int MaxListLength = 10000;
constexpr uint8_t Frame = 255;  // outside 1..N: never free

// The four directions, as bits of a cell's free-neighbour mask.
enum Dir : int { XPlus = 0, XMinus = 1, YPlus = 2, YMinus = 3 };
constexpr std::array<int, 4> Offset = {Stride, -Stride, 1, -1};
constexpr std::array<int, 4> Opposite = {XMinus, XPlus, YMinus, YPlus};

// The order in which the directions are tried for each preferred direction d.
constexpr int Order[4][4] = {
    {XPlus, XMinus, YPlus, YMinus},
    {YPlus, YMinus, XPlus, XMinus},
    {XMinus, XPlus, YMinus, YPlus},
    {YMinus, YPlus, XMinus, XPlus},
};

// Chosen[d][mask]: the first direction of Order[d] whose bit is in mask, -1 when none.
constexpr auto Chosen = [] {
    std::array<std::array<int8_t, 16>, 4> t{};
    for (int d = 0; d < 4; ++d) {
        for (int mask = 0; mask < 16; ++mask) {
            t[d][mask] = -1;
            for (int dir : Order[d]) {
                if (mask & (1 << dir)) {
                    t[d][mask] = static_cast<int8_t>(dir);
                    break;
                }
            }
        }
    }
    return t;
}();

// One request's working data. Every cell carries a mask of its free 4-neighbours, kept up
// to date as cells are taken, so a growth step is a table lookup instead of four probes.
// The draws and the cells taken are exactly those of probing the neighbours one by one.
class Generator {
public:
    Generator(int n, int gosCount) : n_(n), gosCount_(gosCount) {
        // The empty field, built once and copied at the start of every attempt.
        blankOwner_.fill(Frame);
        blankMask_.fill(0);
        for (int x = 1; x <= n; ++x) {
            for (int y = 1; y <= n; ++y) {
                int c = x * Stride + y;
                blankOwner_[c] = 0;
                uint8_t mask = 0;
                if (x < n) mask |= 1 << XPlus;
                if (x > 1) mask |= 1 << XMinus;
                if (y < n) mask |= 1 << YPlus;
                if (y > 1) mask |= 1 << YMinus;
                blankMask_[c] = mask;
            }
        }
    }

    // Draws one map; returns true when it passes the balance test.
    bool Attempt(RandomGenerator& rng, int attempt) {
        owner_ = blankOwner_;
        mask_ = blankMask_;
        PlaceSeeds(rng);
        Grow(rng);
        for (int p = 1; p <= gosCount_; ++p) {
            if (!AreaBalanced(count_[p], n_, gosCount_, attempt)) return false;
        }
        return true;
    }

    void CopyTo(TMapGrid& map) const {
        for (int x = 0; x <= n_ + 1; ++x) {
            for (int y = 0; y <= n_ + 1; ++y) {
                uint8_t o = owner_[x * Stride + y];
                map[x][y] = o == Frame ? 0 : o;
            }
        }
    }

    std::pair<int, int> AreaRange() const {
        auto [lo, hi] = std::minmax_element(count_.begin() + 1, count_.begin() + 1 + gosCount_);
        return {*lo, *hi};
    }

private:
    void Take(int c, uint8_t p) {
        owner_[c] = p;
        for (int dir = 0; dir < 4; ++dir) mask_[c + Offset[dir]] &= uint8_t(~(1 << Opposite[dir]));
    }

    // Seeds on a lattice of step Round(N / 5); a drawn 0 becomes 1, a taken point is drawn again.
    void PlaceSeeds(RandomGenerator& rng) {
        int f = static_cast<int>(Round(Extended(n_) / 5));
        int m = static_cast<int>(Trunc(Extended(n_) / f));
        for (int p = 1; p <= gosCount_; ++p) {
            for (;;) {
                int x = f * rng.Random(m + 1);
                int y = f * rng.Random(m + 1);
                if (x == 0) x = 1;
                if (y == 0) y = 1;
                int c = x * Stride + y;
                if (owner_[c] == 0) {
                    Take(c, uint8_t(p));
                    list_[p][0] = uint16_t(c);
                }
                if (owner_[c] == p) break;
            }
            count_[p] = 1;
            cursor_[p] = 0;
            blocked_[p] = false;
        }
    }

    // Growth passes: every unblocked state, in order, adds at most one cell per pass,
    // grown from the first list entry at or after its cursor that has a free neighbour.
    // A failing entry draws its direction all the same and becomes the cursor.
    void Grow(RandomGenerator& rng) {
        bool grew = true;
        while (grew) {
            grew = false;
            for (int p = 1; p <= gosCount_; ++p) {
                if (blocked_[p]) continue;
                blocked_[p] = true;
                uint16_t* list = list_[p].data();
                for (int t = cursor_[p]; t < count_[p]; ++t) {
                    int d = rng.Random(4);
                    int c = list[t];
                    int dir = Chosen[d][mask_[c]];
                    if (dir < 0) {
                        cursor_[p] = t;
                        continue;
                    }
                    int next = c + Offset[dir];
                    Take(next, uint8_t(p));
                    list[count_[p]++] = uint16_t(next);
                    blocked_[p] = false;
                    grew = true;
                    break;
                }
            }
        }
    }

    int n_;
    int gosCount_;
    std::array<uint8_t, Cells> blankOwner_;
    std::array<uint8_t, Cells> blankMask_;
    std::array<uint8_t, Cells> owner_;
    std::array<uint8_t, Cells> mask_;
    std::array<std::array<uint16_t, MaxListLength>, MaxStates + 1> list_;
    std::array<int, MaxStates + 1> count_{};
    std::array<int, MaxStates + 1> cursor_{};
    std::array<bool, MaxStates + 1> blocked_{};
};

}  // namespace

bool AreaBalanced(int area, int mapSize, int gosCount, int attempt) {
    Extended a = Extended(mapSize) * mapSize / gosCount;
    Extended f = 1.07L + Extended(attempt) / 5000;
    return a / f <= area && area <= a * f;
}

MapGenerationResult GenerateMap(Game& game) {
    int n = game.MapSize;
    int g = game.GosCount;
    if (g < 2 || g > MaxStates || n < MinGeneratedSize || n > MaxGeneratedSize) {
        throw std::invalid_argument("a map needs 2 to 20 states on a field of 10 to 100 cells");
    }
    auto gen = std::make_unique<Generator>(n, g);
    RandomGenerator rng = game.Rng;  // a local copy stays in registers in the hot loop
    MapGenerationResult result;
    do {
        ++result.attempts;
    } while (!gen->Attempt(rng, result.attempts));
    game.Rng = rng;
    gen->CopyTo(game.Map);
    std::tie(result.smallest, result.largest) = gen->AreaRange();
    return result;
}

}  // namespace korvant
