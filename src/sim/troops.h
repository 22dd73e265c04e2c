#pragma once
// Putting a state's soldiers on one of its border entries.
#include "core/game.h"

namespace korvant {

// Returns every soldier of state s standing on entry k (k = s is the home defence) to the free
// pool and adds them to n; then puts up to n free soldiers back on the entry, dealt one at a
// time over the first three troop kinds (1, 2, 3, 1, ...), so the lower kinds get the remainder.
// n = -TroopsOnBorder(s, k) empties the entry.
void PlaceTroops(Game& game, int s, int k, int n);

}  // namespace korvant
