#pragma once
// The stems of the generals' names. A fresh general is called by the stem of his
// group of twenty slots followed by a number (NewGeneral).
#include "core/game.h"

namespace korvant {

// Reads the stems from the game's texts (GeneralStem1..GeneralStem11).
// The launcher does this once at start-up; until then every stem is "?".
void LoadNameStems(Game& game);

}  // namespace korvant
