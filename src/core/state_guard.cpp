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

static_assert(std::tuple_size_v<decltype(state::Saved)> <= 32, "a field mask has a bit for each saved field");

// The history is hashed up to the year, so a change of the year is one of the history's seal too.
FieldMask withDependents(FieldMask fields) {
    if (fields & state::MaskOf(std::tuple{state::Year})) fields |= state::MaskOf(std::tuple{state::History});
    return fields;
}

[[noreturn]] void tampered(const Game& game) { throw StateError({game.Msg(Msg::StateTampered)}); }

}  // namespace

void StateGuard::hashFields(const Game& game, FieldMask fields, Seals& into) const {
    // Every fixed-width field a saved game holds. Left out: the texts for the persons (the
    // chronicle, the year's messages), which change nothing in the rules, and whose turn it is,
    // which the turn cycle moves between the persons' turns.
    std::size_t index = 0;
    ForEachField(state::Saved, [&](const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        const std::size_t i = index++;
        if (!(fields & (FieldMask(1) << i))) return;
        KeyedHash h(key_);
        h.AddObject(uint64_t(i));
        if constexpr (Field::raw) {
            const auto& value = field.of(game);
            if (field.name == state::Resume.name) {
            } else if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, THistory>) {
                // The years to come are empty until the year's records are written.
                const int years = std::clamp(int(game.Year), 1, MaxYears);
                for (const auto& rows : value) h.Add(std::as_bytes(std::span(rows.begin(), std::size_t(years))));
            } else {
                h.AddObject(value);
            }
        }
        into[i] = h.Result();
    });
}

bool StateGuard::sealed(const Game& game, FieldMask fields) const {
    Seals now = seals_;
    hashFields(game, fields, now);
    return now == seals_;
}

uint64_t StateGuard::Hash(const Game& game) const {
    Seals all;
    hashFields(game, AllFields, all);
    KeyedHash h(key_);
    h.AddObject(all);
    return h.Result();
}

void StateGuard::Start(const Game& game) {
    std::random_device seed;
    for (uint64_t& k : key_) k = (uint64_t(seed()) << 32) ^ seed();
    depth_ = 0;
    open_ = 0;
    hashFields(game, AllFields, seals_);
    active_ = true;
}

void StateGuard::Verify(Game& game) const {
    if (!active_ || depth_ > 0 || sealed(game, AllFields)) return;
    tampered(game);
}

// A change nested in a narrower one checks the fields it adds: nobody had leave to touch them.
void StateGuard::Open(Game& game, FieldMask fields) {
    fields = withDependents(fields);
    const FieldMask added = depth_ == 0 ? fields : fields & ~open_;
    if (active_ && added != 0 && !sealed(game, added)) tampered(game);
    open_ = depth_ == 0 ? fields : open_ | fields;
    ++depth_;
}

void StateGuard::Close(const Game& game) {
    if (depth_ == 0 || --depth_ > 0) return;
    if (active_) hashFields(game, open_, seals_);
    open_ = 0;
}

StateChange::StateChange(Game& game, FieldMask fields) : game_(game) { game.Guard.Open(game, fields); }

StateChange::~StateChange() { game_.Guard.Close(game_); }

GuardedGame::GuardedGame(Game& game) : game_(game) { game.Guard.Start(game); }

GuardedGame::~GuardedGame() { game_.Guard.Stop(); }

}  // namespace korvant
