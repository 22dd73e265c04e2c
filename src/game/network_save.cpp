#include "game/network_save.h"

#include "save/saved_game.h"

namespace korvant {

bool LoadNetworkSave(Game& game, const std::filesystem::path& file) {
    const uint8_t mode = game.GameMode;
    game.GameMode = ModeNetServer;
    if (LoadGame(game, file)) return true;
    game.GameMode = mode;
    return false;
}

}  // namespace korvant
