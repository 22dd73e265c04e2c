#include "game/turn_cycle.h"

#include "core/colors.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "game/simulate_year.h"
#include "sim/borders.h"
#include "sim/last_battle.h"
#include "sim/troops.h"

namespace korvant {
namespace {

constexpr int DrawYear = 120;

// A person's turn: the command screen and what its result asks for. Returns the result.
ModalResult PersonsTurn(Game& game, int s) {
    TGos& gos = game.mGos[s];
    GatherTroops(game, s);
    if (!(game.PeopleCount == 1 && game.Ui->SkipYourTurnForOnePerson())) game.Ui->ShowYourTurn();

    const double started = game.Ui->ClockDays();
    const ModalResult result = game.Ui->CommandScreen();
    if (result == ModalResult::EndTurn) SettleTroops(game, s);
    StateChange change(game);
    // A steady clock: a turn across midnight counts its real length.
    const double spent = game.Ui->ClockDays() - started;
    if (spent > 0) gos.TimeSpent += spent;
    if (result == ModalResult::ToComputer) gos.Delegated = 1;
    return result;
}

// Each person in the order of their numbers; false when one quits.
bool PeoplesPhase(Game& game) {
    for (int r = 1; r <= game.PeopleCount; ++r) {
        for (int s = 1; s <= game.GosCount; ++s) {
            TGos& gos = game.mGos[s];
            if (gos.Human != r || gos.Alive != 1) continue;
            {
                StateChange change(game);
                gos.Delegated = 0;
            }
            game.CurPlayerName = gos.PlayerName.utf8();
            game.CurGos = uint8_t(s);
            game.CurPlayer = uint8_t(r);
            if (game.CurPlayer < game.ResumePlayer) continue;  // he moved before the game was saved
            if (PersonsTurn(game, s) == ModalResult::Quit) return false;
        }
    }
    return true;
}

}  // namespace

void GatherTroops(Game& game, int s) {
    StateChange change(game);
    for (int k = 1; k <= game.GosCount; ++k) {
        TBorder& border = game.mGos[s].Border[k];
        for (int t = 2; t <= game.KindCount(); ++t) {
            border.Troops[1] += border.Troops[t];
            border.Troops[t] = 0;
        }
    }
}

void SettleTroops(Game& game, int s) {
    StateChange change(game);
    PlaceTroops(game, s, s, game.mGos[s].FreeSoldiers);
    for (int k = 1; k <= game.GosCount; ++k) PlaceTroops(game, s, k, 0);
}

int VictoriousState(const Game& game) {
    const int n = game.MapSize;
    if (n < 1) return 0;
    const uint8_t w = game.Map[1][1];
    if (w < 1 || w > game.GosCount) return 0;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (game.Map[x][y] != w) return 0;
        }
    }
    return w;
}

bool AnyPersonAlive(const Game& game) {
    for (int s = 1; s <= game.GosCount; ++s) {
        if (game.mGos[s].Human != 0 && game.mGos[s].Alive == 1) return true;
    }
    return false;
}

bool CheckGameEnd(Game& game, bool observe) {
    bool over = false;
    if (const int w = VictoriousState(game)) {
        const TGos& winner = game.mGos[w];
        game.Ui->MessageBox(FormatText(game.Msg(Msg::StateWonGame), {winner.Name.utf8()}));
        if (winner.Human != 0) {
            game.HumanWon = true;
            ShowVictory(game, w);
            if (game.GameMode != ModeLocal)
                game.Ui->SendChatLine(FormatText(game.Msg(Msg::RulerWonGame), {winner.PlayerName.utf8()}),
                                      color::Green);
        }
        over = true;
    }
    // Also after a victory: a computer's victory ends with both messages.
    if (!observe && !AnyPersonAlive(game)) {
        game.Ui->MessageBox(game.Msg(Msg::MachineWonGame));
        over = true;
    }
    // Year never passes 120 in play; a later year from a damaged file ends the game the same way.
    if (!over && game.Year >= DrawYear) {
        game.Ui->MessageBox(game.Msg(Msg::GameOverDraw));
        over = true;
    }
    if (!over) return false;
    game.Ui->ShowCharts();
    game.Ui->MessageBox(game.Msg(Msg::ThanksForPlaying));
    return true;
}

GameOutcome RunGame(Game& game, const TurnCycleOptions& options) {
    GuardedGame guarded(game);
    game.HumanWon = false;
    if (!AnyHuman(game)) game.Ui->MessageBox(game.Msg(Msg::NoHumansLeft));
    game.Ui->ShowWaitingPanel();

    GameOutcome outcome = GameOutcome::Over;
    for (;;) {
        const bool played = PeoplesPhase(game);
        game.ResumePlayer = 1;
        game.MesList.Clear();
        game.Chronicle.clear();
        if (!played) {
            outcome = GameOutcome::Quit;
            break;
        }
        const int year = game.Year;
        SimulateYear(game);
        if (options.yearDone) options.yearDone(game, year);
        if (CheckGameEnd(game, options.observe)) break;
    }

    game.MesList.Clear();
    // A tampered game never reaches the hall of fame.
    game.Guard.Verify(game);
    if (game.PeopleCount == 1 && options.records) RecordLastGame(game, *options.records);
    return outcome;
}

}  // namespace korvant
