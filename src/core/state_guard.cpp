#include "core/state_guard.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <random>
#include <span>
#include <type_traits>

#include "core/check_state.h"
#include "core/game.h"
#include "core/state_fields.h"

namespace korvant {
namespace {

constexpr uint64_t Odd[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                             0xD6E8FEB86659FD93ull};

uint64_t finish(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Four lanes over 8-byte words. Each step is a bijection of the lane for a given word and of
// the word for a given lane, so any one changed word always changes the result.
class KeyedHash {
public:
    KeyedHash(const uint64_t key[2]) : lane_{key[0], key[1], ~key[0], ~key[1]} {}

    void Add(std::span<const std::byte> bytes) {
        std::size_t i = 0;
        for (; i + 32 <= bytes.size(); i += 32) {
            for (int l = 0; l < 4; ++l) step(l, word(bytes.data() + i + 8 * l));
        }
        for (; i + 8 <= bytes.size(); i += 8) step(0, word(bytes.data() + i));
        uint64_t tail = bytes.size() - i;
        for (std::size_t j = 0; i + j < bytes.size(); ++j) tail |= uint64_t(bytes[i + j]) << (8 * (j + 1));
        step(1, tail);
    }
    template <class T>
    void AddObject(const T& v) {
        Add(std::as_bytes(std::span(&v, 1)));
    }
    uint64_t Result() const {
        return finish(lane_[0] ^ std::rotl(lane_[1], 16) ^ std::rotl(lane_[2], 32) ^ std::rotl(lane_[3], 48));
    }

private:
    static uint64_t word(const std::byte* p) {
        uint64_t w;
        std::memcpy(&w, p, sizeof w);
        return w;
    }
    void step(int l, uint64_t w) { lane_[l] = std::rotl((lane_[l] ^ w) * Odd[l], 29); }

    uint64_t lane_[4];
};

}  // namespace

uint64_t StateGuard::Hash(const Game& game) const {
    KeyedHash h(key_);
    // Every fixed-width field a saved game holds. Left out: the texts for the persons (the
    // chronicle, the year's messages), which change nothing in the rules, and whose turn it is,
    // which the turn cycle moves between the persons' turns.
    ForEachField(state::Saved, [&](const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (Field::raw) {
            if (field.name == state::Resume.name) return;
            const auto& value = field.of(game);
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, THistory>) {
                // The years to come are empty until the year's records are written.
                const int years = std::clamp(int(game.Year), 1, MaxYears);
                for (const auto& rows : value) h.Add(std::as_bytes(std::span(rows.begin(), std::size_t(years))));
            } else {
                h.AddObject(value);
            }
        }
    });
    return h.Result();
}

void StateGuard::Start(const Game& game) {
    std::random_device seed;
    for (uint64_t& k : key_) k = (uint64_t(seed()) << 32) ^ seed();
    depth_ = 0;
    seal_ = Hash(game);
    active_ = true;
}

void StateGuard::Verify(Game& game) const {
    if (!active_ || depth_ > 0 || Hash(game) == seal_) return;
    throw StateError({game.Msg(Msg::StateTampered)});
}

void StateGuard::Open(Game& game) {
    Verify(game);
    ++depth_;
}

void StateGuard::Close(const Game& game) {
    if (depth_ > 0 && --depth_ == 0 && active_) seal_ = Hash(game);
}

StateChange::StateChange(Game& game) : game_(game) { game.Guard.Open(game); }

StateChange::~StateChange() { game_.Guard.Close(game_); }

GuardedGame::GuardedGame(Game& game) : game_(game) { game.Guard.Start(game); }

GuardedGame::~GuardedGame() { game_.Guard.Stop(); }

}  // namespace korvant
