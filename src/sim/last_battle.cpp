#include "sim/last_battle.h"

#include "core/game_ui.h"

namespace korvant {
namespace {

void ShowLastBattleOf(Game& game, int s, bool victory) {
    game.CurPlayerName = game.mGos[s].PlayerName.utf8();
    // The hand-over finds the right person at the screen; one who plays alone and asked not to
    // be asked is there already, as on every turn.
    if (!(game.PeopleCount == 1 && game.Ui->SkipYourTurnForOnePerson())) game.Ui->ShowYourTurn();
    game.BattleDefender = uint8_t(s);
    game.Ui->ShowLastBattle(victory);
}

}  // namespace

void ShowDefeat(Game& game, int s) { ShowLastBattleOf(game, s, false); }
void ShowVictory(Game& game, int s) { ShowLastBattleOf(game, s, true); }

}  // namespace korvant
