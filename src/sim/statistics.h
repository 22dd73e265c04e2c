#pragma once
// The yearly figures that the statistics charts draw.
#include "core/game.h"

namespace korvant {

// Writes this year's statistics record of state s, all but the grain grown (the harvest writes that).
// A state that is no longer alive gets zeros.
void RecordYear(Game& game, int s);

}  // namespace korvant
