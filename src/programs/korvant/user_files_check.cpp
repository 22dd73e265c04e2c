#include "user_files_check.h"

#include "app/language_file.h"
#include "app/settings.h"
#include "game/new_game.h"
#include "records/hall_of_fame.h"
#include "save/autosave_name.h"
#include "save/saved_game.h"
#include "screen/save_name.h"
#include "ui/app/game_windows_qt.h"
#include "ui/game/start_window.h"

namespace korvant {

int WriteUserFiles(GameWindows& app) {
    Game& game = app.TheGame();
    if (!app.Start().DataFileOk() && !app.Start().LoadDataFile()) return 1;
    game.GameMode = ModeLocal;
    game.GosCount = 4;
    game.MapSize = 50;
    NewMap(game);
    ChooseTerritories(game, 0);
    // The person takes over state 1 from the computer.
    game.PeopleCount = 1;
    game.mGos[1].Human = 1;
    game.mGos[1].PlayerName.set("Tester");
    game.CurGos = 1;
    game.CurPlayer = 1;

    bool ok = TrySaveGame(game, app.UserFile(ProposedSaveName(game) + ".gen"));
    ok = TrySaveGame(game, app.UserFile(AutosaveFileName(game))) && ok;
    ok = RecordLastGame(game, app.UserFile(HallOfFameFile)).has_value() && ok;
    Settings quiet = app.CurrentSettings();
    quiet.Music = false;
    ok = quiet.Write(app.Lang().Ini()) && ok;
    return ok ? 0 : 1;
}

}  // namespace korvant
