#pragma once
// The game's texts and rules for a program without windows: korvant.ini and the rule-data file it
// names, found beside the program or where the game was installed.
#include <memory>

#include "app/language_file.h"
#include "core/game.h"

namespace korvant {

struct ProgramData {
    std::unique_ptr<TLanguageFile> texts;  // the game's Texts point here; null: built-in texts
    bool rulesLoaded = false;              // false: the rule data could not be read (already reported)
};

ProgramData LoadProgramData(Game& game);

}  // namespace korvant
