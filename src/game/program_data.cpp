#include "game/program_data.h"

#include <filesystem>
#include <system_error>

#include "app/program_files.h"
#include "core/rule_data.h"
#include "sim/name_stems.h"

namespace korvant {

ProgramData LoadProgramData(Game& game) {
    ProgramData data;
    const std::filesystem::path programDir = ProgramFile(nullptr).parent_path();
    const std::filesystem::path dir = FindDataDir(programDir, "korvant.ini", InstalledDataDir()).value_or(programDir);
    std::filesystem::path rules = dir / "tav.dat";
    if (std::error_code ec; std::filesystem::exists(dir / "korvant.ini", ec)) {
        data.texts = std::make_unique<TLanguageFile>(dir / "korvant.ini", dir);
        if (data.texts->HasLanguages()) {
            game.Texts = data.texts.get();
            if (!data.texts->DataFilePath().empty()) rules = data.texts->DataFilePath();
        }
    }
    LoadNameStems(game);
    data.rulesLoaded = LoadGameRules(game, rules);
    return data;
}

}  // namespace korvant
