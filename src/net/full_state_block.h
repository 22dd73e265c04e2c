#pragma once
// The full-state block (kind 10, sent packed): the whole game a client needs, with the session
// id of the player who is the server after it. Its tables and scalars are fields of the game's
// state description, in two runs around three bytes that carry nothing.
#include <cstdint>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

#include "core/state_fields.h"
#include "net/session.h"

namespace korvant {

namespace full_state_block {
inline constexpr std::tuple Tables{state::History, state::Generals};
inline constexpr std::tuple World{state::States,   state::Map,         state::CostGrowth, state::Year,
                                  state::GosCount, state::LivingCount, state::MapSize};
// Every field of the game the block carries.
inline constexpr std::tuple Carried = std::tuple_cat(Tables, World, std::tuple{state::Chronicle, state::Messages});

inline constexpr std::size_t History = 4;
inline constexpr std::size_t States = 62632;
inline constexpr std::size_t Chronicle1 = 90004;
inline constexpr std::size_t Chronicle2 = 90260;
inline constexpr std::size_t TurnMinutes = 90516;
inline constexpr std::size_t ServerId = 90520;
inline constexpr std::size_t MessageCount = 90524;
inline constexpr std::size_t Messages = 90528;
inline constexpr std::size_t Size = 90792;  // with no messages; each adds 264
static_assert(History + RawWidth(Tables) + 3 == States);
static_assert(States + RawWidth(World) == Chronicle1);
static_assert(Chronicle2 + 256 == TurnMinutes);
static_assert(Messages + sizeof(TMesRec) == Size);
}  // namespace full_state_block

constexpr std::size_t FullStateSize(std::size_t messages) {
    return full_state_block::Size + sizeof(TMesRec) * messages;
}

struct FullState {
    // The carried fields, in a game of their own until the block is known to be sound.
    std::unique_ptr<Game> game;
    uint8_t turnMinutes = 0;
    PlayerId serverId = 0;
};

std::vector<uint8_t> EncodeFullState(const Game& game, PlayerId serverId);
// Throws BlockError unless the size matches the message count and every value fits the tables.
FullState DecodeFullState(std::span<const uint8_t> block);
// Copies the carried fields into `game`.
void ApplyFullState(const FullState& state, Game& game);

}  // namespace korvant
