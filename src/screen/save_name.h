#pragma once
// The file name the save dialog proposes for the person's game.
#include <string>

#include "core/game.h"

namespace korvant {

// The person's name of CurGos, "_" and the year, e.g. "Ольга_12" (UTF-8, without extension).
// Characters a file name cannot hold become "_".
std::string ProposedSaveName(const Game& game);

}  // namespace korvant
