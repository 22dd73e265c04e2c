#include "sim/computer_players.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/check_state.h"
#include "sim/computer_army.h"
#include "sim/computer_economy.h"
#include "sim/computer_mood.h"
#include "sim/computer_relations.h"
#include "sim/computer_staffing.h"
#include "sim/computer_targets.h"
#include "sim/economy.h"

namespace korvant {

namespace {

constexpr int ComputersBar = 1;

// A small state squeezed by a bigger, dangerous neighbour lets scientists go while their wages
// eat more than half of what the land can earn: a tenth at a time, at most ten times.
void LetScientistsGo(Game& game, int i, const Mood& mood) {
    TGos& gos = game.mGos[i];
    if (!(gos.Territory < AverageTerritory(game))) return;
    for (int round = 0; round < 10 && mood.Danger && mood.Dwarfed; ++round) {
        const Extended earnings =
            Extended(SowableCells(game, i)) * gos.Science[SciAgrarian].Effect * gos.Science[SciFinance].Effect / 2;
        if (!(ScientistWages(game, i) > earnings)) break;
        for (int j = 1; j <= ScienceCount; ++j) {
            gos.FreeScientists += gos.Science[j].Staff;
            gos.Science[j].Staff = 0;
        }
        const int32_t leaving = gos.FreeScientists / 10;
        gos.FreeScientists -= leaving;
        gos.Peasants += leaving;
        gos.Scientists = gos.FreeScientists;
    }
}

// The computer sows all it can and sells the rest of its grain: it keeps no store.
void SowAndSell(Game& game, int i) {
    TGos& gos = game.mGos[i];
    const int cells = SowableCells(game, i);
    gos.Sown = static_cast<uint16_t>(gos.Sown + cells);
    gos.Grain -= static_cast<int32_t>(Trunc(Extended(cells) * gos.Science[SciAgrarian].Effect));
    const int64_t takings = Round(Extended(gos.Grain) * gos.Science[SciFinance].Effect);
    gos.Money = static_cast<int32_t>(std::clamp<int64_t>(int64_t(gos.Money) + takings, 0, INT32_MAX));
    gos.Grain = 0;
}

// Neighbours it has fallen out with or that are clearly stronger.
int Threats(const Game& game, int i) {
    int threats = 0;
    for (int k = 1; k <= game.GosCount; ++k) {
        if (IsNeighbour(game, i, k) && (game.mGos[i].Attitude(k) < 50 || Strength(game, k, i) > 1.2L)) ++threats;
    }
    return threats;
}

std::string NameOf(const Game& game, int i) { return game.mGos[i].Name.utf8(); }

}  // namespace

bool ComputerPlays(const Game& game, int i) {
    const TGos& gos = game.mGos[i];
    if (gos.Alive == 0) return false;
    const bool hasPeople = gos.Peasants > 0 || gos.Soldiers > 0 || gos.Scientists > 0;
    return (gos.Human == 0 && hasPeople) || gos.Delegated == 1;
}

void PlayComputerTurn(Game& game, int i) {
    TGos& gos = game.mGos[i];
    const Mood mood = ReadMood(game, i);
    LetScientistsGo(game, i, mood);
    SowAndSell(game, i);

    CheckState(game, "До покупки Срочно ! нового генерала");
    if (gos.GeneralCount < 3 && gos.GeneralCount < Threats(game, i)) BuyGeneral(game, i, true);

    const int32_t setAside = SaveOrBuyGeneral(game, i, mood);
    CheckState(game, "После покупки нового генерала");
    HireAndStaff(game, i, mood);
    gos.Money += setAside;

    const int feared = FearedNeighbour(game, i);
    const int target = ChooseTarget(game, i);
    DeployTroops(game, i, mood, feared, target);
    PostGenerals(game, i, mood, feared, target);
    ReportIdleForces(game, i);
    SettleIdleGenerals(game, i);
    CheckState(game, "Кончает ходить " + NameOf(game, i));
}

void ComputersMove(Game& game) {
    for (int i = 1; i <= game.GosCount; ++i) {
        CheckState(game, "Начинает ходить " + NameOf(game, i));
        UpdateRelations(game, i);
        game.Ui->Progress(ComputersBar, i * 100 / game.GosCount);
        if (ComputerPlays(game, i)) PlayComputerTurn(game, i);
    }
}

}  // namespace korvant
