#pragma once
// The game state that leaves this computer, described once: every field by name with its
// place in Game, listed in the saved game's order. Saved games, snapshots and comparisons
// walk these lists; a block that copies part of the state picks its fields from them.
// A new saved field is one line below (its name and member) and one in `Saved`.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/game.h"

namespace korvant {

template <class T>
struct StateField {
    std::string_view name;
    T Game::*member;

    // Fields of fixed width travel as their raw bytes; texts and lists are laid out by each block.
    static constexpr bool raw = std::is_trivially_copyable_v<T>;

    T& of(Game& game) const { return game.*member; }
    const T& of(const Game& game) const { return game.*member; }
};

// Spelled out for compilers that do not deduce an aggregate's arguments.
template <class T>
StateField(std::string_view, T Game::*) -> StateField<T>;

namespace state {
inline constexpr StateField Chronicle{"Chronicle", &Game::Chronicle};
inline constexpr StateField LivingCount{"LivingCount", &Game::LivingCount};
inline constexpr StateField GosCount{"GosCount", &Game::GosCount};
inline constexpr StateField States{"States", &Game::mGos};
inline constexpr StateField Generals{"Generals", &Game::mGeneral};
inline constexpr StateField History{"History", &Game::History};
inline constexpr StateField Map{"Map", &Game::Map};
inline constexpr StateField PeopleCount{"PeopleCount", &Game::PeopleCount};
inline constexpr StateField Resume{"Resume", &Game::ResumePlayer};  // saved as the person whose turn it is
inline constexpr StateField MapSize{"MapSize", &Game::MapSize};
inline constexpr StateField CostGrowth{"CostGrowth", &Game::CostGrowth};
inline constexpr StateField Year{"Year", &Game::Year};
inline constexpr StateField SaveCount{"SaveCount", &Game::SaveCount};
inline constexpr StateField DiffLevel{"DiffLevel", &Game::DiffLevel};
inline constexpr StateField Messages{"Messages", &Game::MesList};

// Everything a saved game holds, in its order.
inline constexpr std::tuple Saved{Chronicle,  LivingCount, GosCount,    States,    Generals,
                                  History,    Map,         PeopleCount, Resume,    MapSize,
                                  CostGrowth, Year,        SaveCount,   DiffLevel, Messages};
}  // namespace state

// Calls visit(field) for every field of `fields`, in order.
template <class Fields, class Visit>
constexpr void ForEachField(const Fields& fields, Visit&& visit) {
    std::apply([&](const auto&... field) { (visit(field), ...); }, fields);
}

namespace state {
// The bits of `fields` among the saved fields (a narrow StateChange names what it may touch).
template <class... T>
constexpr FieldMask MaskOf(const std::tuple<StateField<T>...>& fields) {
    FieldMask mask = 0;
    ForEachField(fields, [&](const auto& field) {
        FieldMask bit = 1;
        ForEachField(Saved, [&](const auto& saved) {
            if (saved.name == field.name) mask |= bit;
            bit <<= 1;
        });
    });
    return mask;
}
}  // namespace state

// Bytes the fixed-width `fields` take together.
template <class... T>
constexpr std::size_t RawWidth(const std::tuple<StateField<T>...>&) {
    static_assert((StateField<T>::raw && ...), "only fixed-width fields have a width");
    return (sizeof(T) + ...);
}

// Appends the raw bytes of a fixed-width field.
template <class T>
void PutRaw(std::vector<uint8_t>& out, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

// Reads a fixed-width value at `at` (the caller has checked the length) and moves past it.
template <class T>
void GetRaw(std::span<const uint8_t> in, std::size_t& at, T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(&value, in.data() + at, sizeof value);
    at += sizeof value;
}

// Appends the raw bytes of fixed-width `fields`, back to back.
template <class Fields>
void PutFields(std::vector<uint8_t>& out, const Game& game, const Fields& fields) {
    ForEachField(fields, [&](const auto& field) { PutRaw(out, field.of(game)); });
}

// Reads fixed-width `fields` from `at` on (the caller has checked the length) and moves past them.
template <class Fields>
void GetFields(std::span<const uint8_t> in, std::size_t& at, Game& game, const Fields& fields) {
    ForEachField(fields, [&](const auto& field) { GetRaw(in, at, field.of(game)); });
}

// Equal as the state counts it: tables byte for byte, messages by what they show.
bool SameValue(const std::string& a, const std::string& b);
bool SameValue(const TMesList& a, const TMesList& b);
template <class T>
bool SameValue(const T& a, const T& b) {
    static_assert(std::is_trivially_copyable_v<T>);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Name of the first of `fields` in which `a` and `b` differ; empty when they agree.
template <class Fields>
std::string_view FirstDifference(const Game& a, const Game& b, const Fields& fields) {
    std::string_view differs;
    ForEachField(fields, [&](const auto& field) {
        if (differs.empty() && !SameValue(field.of(a), field.of(b))) differs = field.name;
    });
    return differs;
}

// A copy of some fields of a game, to put them back later.
template <class... T>
class StateSnapshot {
public:
    StateSnapshot(const Game& game, std::tuple<StateField<T>...> fields)
        : fields_(fields),
          values_(std::apply([&](const auto&... f) { return std::tuple<T...>{f.of(game)...}; }, fields)) {}

    void RestoreInto(Game& game) const {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            ((std::get<I>(fields_).of(game) = std::get<I>(values_)), ...);
        }
        (std::index_sequence_for<T...>{});
    }

private:
    std::tuple<StateField<T>...> fields_;
    std::tuple<T...> values_;
};

}  // namespace korvant
