#pragma once
// Reading a saved game for a command that shows it.
#include <optional>

#include "core/game.h"
#include "save/saved_game.h"

namespace korvant::sim {

// Reads the saved game `path` into `game` without judging its check value. On a file that
// cannot be read or is damaged, says why on standard error and returns nothing.
std::optional<SavedGameFile> ReadGameFile(const char* path, Game& game);

}  // namespace korvant::sim
