#pragma once
// Borders follow from the map: which states touch, how many cells each owns,
// and the soldiers and generals standing on borders that still exist.
#include "core/game.h"

namespace korvant {

// Rebuilds every state's borders, territory and neighbour count from the map and
// releases the soldiers and generals of borders that vanished (home defence is exempt).
// Runs the consistency check before and after.
void CheckFronts(Game& game);

// Soldiers of state a standing on its border with state b, over the troop kinds in use.
int TroopsOnBorder(const Game& game, int a, int b);

// How exposed state a is: its number of borders, or half of them plus one when it holds a
// corner of the map (a corner has fewer ways in).
int BorderWeight(const Game& game, int a);

// True when a person plays at least one of the states in the game.
bool AnyHuman(const Game& game);

}  // namespace korvant
