#pragma once
// Every state's yearly change of heart toward the others.
#include "core/game.h"

namespace korvant {

// State i forgets a little of each grudge, pays for what it still holds against each living
// state, warms to weaker and distant states and cools toward much stronger neighbours.
void UpdateRelations(Game& game, int i);

}  // namespace korvant
