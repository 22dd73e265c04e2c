#pragma once
// The year's messages for the players.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace korvant {

// Appends a message of `kind` for `state` to the year's list.
void AddMessage(Game& game, uint8_t kind, uint8_t state, int32_t colour, std::string_view text);

// A battle report for each party of the battle being fought (attacker first) that a person plays.
void AddBattleMessage(Game& game, int32_t colour, std::string_view text);

}  // namespace korvant
