#pragma once
// The open dialog for saved games, shared by the launcher's "load" and the lobby's saved game.
#include <QString>
#include <filesystem>

namespace korvant {

class TLanguageFile;

// Asks for an existing saved game, starting in `folder`, over the active window; empty when the
// person cancels.
QString ChooseSavedGame(const TLanguageFile& lang, const std::filesystem::path& folder);

}  // namespace korvant
