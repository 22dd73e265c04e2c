#pragma once
// The turn-result block (kind 11, sent packed), one per receiving person after each year: the
// year's statistics and counts of every state, the receiver's own state, generals and messages,
// the map, the new year and the chronicle. The block does not name its state: the receiver
// applies it to his own.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

// What every receiver learns of each state, 16 bytes a state.
struct TStateCounts {
    uint8_t Alive;
    uint8_t reserved[3];
    int32_t Peasants;
    int32_t Scientists;
    int32_t Soldiers;
};
static_assert(sizeof(TStateCounts) == 16);

inline constexpr int GeneralsPerState = 10;  // slots s, s+20, ..., s+180

namespace turn_result_block {
inline constexpr std::size_t History = 4;
inline constexpr std::size_t Generals = 484;
inline constexpr std::size_t Map = 734;
inline constexpr std::size_t Counts = 11140;
inline constexpr std::size_t State = 11464;
inline constexpr std::size_t Year = 12312;
inline constexpr std::size_t Chronicle1 = 12313;
inline constexpr std::size_t Chronicle2 = 12569;
inline constexpr std::size_t MessageCount = 12826;
inline constexpr std::size_t Messages = 12828;
inline constexpr std::size_t Size = 13096;  // with no messages; each adds 264
static_assert(History + MaxStates * sizeof(THistoryRec) == Generals);
static_assert(Generals + GeneralsPerState * sizeof(TCommander) == Map);
static_assert(Map + sizeof(TMapGrid) + 2 == Counts);
static_assert(Counts + MaxStates * sizeof(TStateCounts) + 4 == State);
static_assert(State + sizeof(TGos) == Year);
static_assert(Chronicle2 + 256 + 1 == MessageCount);
static_assert(Messages + 268 == Size);
}  // namespace turn_result_block

constexpr std::size_t TurnResultSize(std::size_t messages) {
    return turn_result_block::Size + sizeof(TMesRec) * messages;
}

struct TurnResult {
    Arr1<THistoryRec, MaxStates> history;  // of the year just finished
    Arr1<TCommander, GeneralsPerState> generals;
    TMapGrid map;
    Arr1<TStateCounts, MaxStates> counts;
    TGos state;
    uint8_t year;
    std::string chronicle;  // UTF-8
    std::vector<TMesRec> messages;
};

// The turn result of the year just finished (Year has been advanced, so it is at least 2) for state `r`.
std::vector<uint8_t> EncodeTurnResult(const Game& game, int r);
// Decodes a block meant for `game`'s own state CurGos. Throws BlockError unless the size matches
// the message count and every value fits `game`: a finished year 1..119, cells naming its states,
// generals and messages of CurGos only.
TurnResult DecodeTurnResult(std::span<const uint8_t> block, const Game& game);
// Puts the turn result into `game` for its state CurGos.
void ApplyTurnResult(const TurnResult& result, Game& game);

}  // namespace korvant
