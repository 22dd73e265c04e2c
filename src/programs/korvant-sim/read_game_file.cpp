#include "read_game_file.h"

#include <cstdio>

#include "save/compress_error.h"
#include "save/saved_body.h"

namespace korvant::sim {

std::optional<SavedGameFile> ReadGameFile(const char* path, Game& game) {
    try {
        return ReadSavedGame(path, game);
    } catch (const SavedGameReadError& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (const CompressError& e) {
        std::fprintf(stderr, "%s: %s\n", path, e.what());
    } catch (const SavedBodyError& e) {
        std::fprintf(stderr, "%s: damaged saved game (%s)\n", path, e.what());
    }
    return std::nullopt;
}

}  // namespace korvant::sim
