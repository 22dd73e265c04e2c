#pragma once
#include <string_view>

#include "core/game.h"

namespace korvant {

// The territory window's confirmation: state s becomes person number `person`, named `name`
// (cut to 13 characters). False, and nothing changes, when s is already taken.
bool TakeTerritory(Game& game, int s, int person, std::string_view name);

}  // namespace korvant
