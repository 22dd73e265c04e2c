#pragma once
// Which neighbour a computer player fears and which one it means to attack.
#include "core/game.h"

namespace korvant {

// The neighbour to fear: the strongest, weighed down by good relations and by many borders of
// its own, weighed up by its conquests. 0 when state i has no neighbour.
int FearedNeighbour(const Game& game, int i);

// The neighbour to attack, by the first of five rules that names one: early in the game a
// random one attacked no more than i; one i has fallen out with; a much smaller one; a thinly
// peopled one; the cheapest of all. 0 when state i has no neighbour.
int ChooseTarget(Game& game, int i);

}  // namespace korvant
