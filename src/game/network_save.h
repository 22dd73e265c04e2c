#pragma once
// Loading a saved network game for the session that is to play it on.
#include <filesystem>

#include "core/game.h"

namespace korvant {

// A network save is taken only by a network game: the game loads it as the server's, and keeps
// the mode it had when the file is not one. True when it was loaded.
bool LoadNetworkSave(Game& game, const std::filesystem::path& file);

}  // namespace korvant
