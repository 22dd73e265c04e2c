#pragma once
// Saved-game files: a 200-byte description a person can read in any text
// viewer, then the body (the state tables and the year's messages, closed by a
// check value) in a fast container.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/game.h"

namespace korvant {

inline constexpr std::size_t SaveDescriptionSize = 200;

// The description at the head of the file (Windows-1251, padded with carriage returns).
std::string SaveDescription(const Game& game);

// Writes the game to `fileName`: runs the consistency check (StateError), counts this save in
// SaveCount and, outside a local game, sets CurPlayer to 0. The file is replaced only when it
// has been written completely; otherwise it keeps what it held, SaveCount is as before and
// FileWriteError is raised.
void SaveGame(Game& game, const std::filesystem::path& fileName);

// SaveGame with a failed write shown in a message box; false then.
bool TrySaveGame(Game& game, const std::filesystem::path& fileName);

// A saved game read without judgement, as the inspector shows it.
struct SavedGameFile {
    std::string description;  // Windows-1251
    int64_t storedCheck = 0;
    int64_t check = 0;  // computed over the tables read
    bool checkHolds() const { return storedCheck == check; }
};

// The file could not be opened or read.
class SavedGameReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads `fileName` into `into`. Raises SavedGameReadError when the file cannot be read,
// CompressError when its body cannot be decompressed, SavedBodyError when the body is cut
// off or holds values the tables cannot take.
SavedGameFile ReadSavedGame(const std::filesystem::path& fileName, Game& into);

// Loads `fileName` for a game about to start in game.GameMode. True when the game may be
// continued. On refusal the person is told why (a damaged or older file, a network save in a
// local game or the reverse) and `game` is left exactly as it was.
bool LoadGame(Game& game, const std::filesystem::path& fileName);

}  // namespace korvant
