#pragma once
// The check value a saved game carries over its state tables, so that a
// damaged or edited file is refused on loading.
#include <cstdint>

#include "core/game.h"

namespace korvant {

// A wrapping 64-bit sum over the states in use, every general slot and the
// playing field, with the scalars folded in. GosCount and MapSize are taken
// only as far as the tables reach.
int64_t CheckValue(const Game& game);

}  // namespace korvant
