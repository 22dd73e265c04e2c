#pragma once
#include <string_view>

#include "core/game.h"

namespace korvant {

// The territory window's confirmation: state s becomes the person numbered CurPlayerName,
// named `name` (cut to 13 characters). False, and nothing changes, when s is already taken.
bool TakeTerritory(Game& game, int s, std::string_view name);

}  // namespace korvant
