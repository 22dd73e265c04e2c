#include "game/simulate_year.h"

#include "core/check_state.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "sim/computer_players.h"
#include "sim/economy.h"
#include "sim/generals.h"
#include "sim/statistics.h"

namespace korvant {

// The year is one change of the state, run without waiting for anybody: the seal is checked
// when it begins (the people's check point) and taken anew when it ends. The check points
// within it check the bookkeeping.
void SimulateYear(Game& game, const std::function<void(YearPhase)>& afterPhase, PeoplesMoves moves) {
    StateChange change(game);
    auto ended = [&](YearPhase phase) {
        if (afterPhase) afterPhase(phase);
    };
    if (moves == PeoplesMoves::Local) CheckState(game, "Проверка после хода людей:");
    game.Ui->SetYearLabel(game.Msg(Msg::YearLabel) + " " + Dec(game.Year));
    ComputersMove(game);
    CheckState(game, "Проверка после хода компьютеров:");
    ended(YearPhase::Computers);
    for (int s = 1; s <= game.GosCount; ++s) RecordYear(game, s);
    for (int s = 1; s <= game.GosCount; ++s) game.mGos[s].Captured = 0;
    GeneralsYear(game);
    CheckState(game, "Проверка после хода генералов:");
    ended(YearPhase::Generals);
    for (int s = 1; s <= game.GosCount; ++s) {
        Harvest(game, s);
        Growth(game, s);
        Research(game, s);
        PayWages(game, s);
    }
    // A network year checks the books once more after the wages, as its server sends them on.
    if (moves == PeoplesMoves::FromBlocks) CheckState(game, "Проверка в конце после зар. платы и графиков:");
    ended(YearPhase::Economy);
    game.Year += 1;
}

}  // namespace korvant
