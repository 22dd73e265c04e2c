#pragma once
// The player-turn block (kind 12, unpacked): a client's state number, the ten general slots of
// that state and its state record, as the person left them at the end of his turn.
#include <cstdint>
#include <span>
#include <vector>

#include "core/game.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace player_turn_block {
inline constexpr std::size_t StateNumber = 4;
inline constexpr std::size_t Generals = 5;
inline constexpr std::size_t State = 256;
inline constexpr std::size_t Size = 1104;
static_assert(Generals + GeneralsPerState * sizeof(TCommander) + 1 == State);
static_assert(State + sizeof(TGos) == Size);
}  // namespace player_turn_block

struct PlayerTurn {
    uint8_t stateNumber;
    Arr1<TCommander, GeneralsPerState> generals;
    TGos state;
};

// The turn of `game`'s own state CurGos.
std::vector<uint8_t> EncodePlayerTurn(const Game& game);
// Throws BlockError unless the size is exact, the state is one of `game`'s and the generals are its own.
PlayerTurn DecodePlayerTurn(std::span<const uint8_t> block, const Game& game);
void ApplyPlayerTurn(const PlayerTurn& turn, Game& game);

}  // namespace korvant
