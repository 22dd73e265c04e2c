#pragma once
// The file the game writes at the end of each turn.
#include <string>

#include "core/game.h"

namespace korvant {

// Whether this game writes an automatic save: not at expert difficulty, not in a joined network game.
bool AutosaveWanted(const Game& game);

// "autosave.gen" in a local game; in a network game "autosave", then "_" and the person's name
// of every living state a person plays, in ascending order without regard to case, then ".gen".
// A bare name in the current folder (UTF-8): characters a file name cannot hold become "_".
std::string AutosaveFileName(const Game& game);

}  // namespace korvant
