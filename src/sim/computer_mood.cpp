#include "sim/computer_mood.h"

#include <algorithm>
#include <limits>

#include "sim/economy.h"

namespace korvant {

Extended StatePower(const Game& game, int s) {
    const Extended territory = game.mGos[s].Territory;
    if (territory <= 0) return 0;
    const Extended density = Extended(Population(game, s)) / territory;
    return territory * (1 + std::min<Extended>(density, 2) / 2);
}

Extended Strength(const Game& game, int o, int s) {
    const Extended own = StatePower(game, s);
    // A state without land is weaker than anybody.
    if (own <= 0) return std::numeric_limits<Extended>::infinity();
    return StatePower(game, o) / own;
}

Extended AverageTerritory(const Game& game) {
    const Extended side = game.MapSize;
    return side * side / std::max<int>(game.LivingCount, 1);
}

Extended LivingShare(const Game& game) { return Extended(game.LivingCount) / std::max<int>(game.GosCount, 1); }

Extended SeedValue(const Game& game, int s) {
    const TGos& gos = game.mGos[s];
    return Extended(gos.Sown) * gos.Science[SciAgrarian].Effect * gos.Science[SciFinance].Effect;
}

int64_t Income(const Game& game, int s) { return Trunc(SeedValue(game, s)); }

int64_t ScientistWages(const Game& game, int s) { return Wage(game.mGos[s].Scientists, ScientistWageExponent); }

int64_t SoldierWages(const Game& game, int s) { return Wage(game.mGos[s].Soldiers, SoldierWageExponent); }

namespace {

struct Thresholds {
    Extended danger;  // a neighbour stronger than this puts the state in danger
    Extended unrest;  // a neighbour stronger than this ends the peace
};

// The bolder the character, the sooner a stronger neighbour alarms it.
Thresholds ForCharacter(int character) {
    switch (character) {
        case 1: return {1.3L, 1.2L};
        case 2: return {1.25L, 1.18L};
        case 3: return {1.2L, 1.15L};
        default: return {std::numeric_limits<Extended>::infinity(), std::numeric_limits<Extended>::infinity()};
    }
}

}  // namespace

Mood ReadMood(const Game& game, int i) {
    const TGos& gos = game.mGos[i];
    const Thresholds limits = ForCharacter(gos.Character);
    const Extended average = AverageTerritory(game);
    Mood mood;
    for (int v = 1; v <= game.GosCount; ++v) {
        if (!IsNeighbour(game, i, v)) continue;
        const Extended strength = Strength(game, v, i);
        if (strength > limits.danger) mood.Danger = true;
        if (strength > limits.unrest) mood.Peace = false;
    }
    if (game.Year < 30 && gos.Territory < average) {
        mood.Peace = false;
        if (gos.TimesAttacked > 0) mood.Danger = true;
    }
    if (LivingShare(game) < 0.2L) {
        mood.Danger = true;
        mood.Peace = false;
    }

    mood.Superior = true;
    mood.Dwarfed = false;
    const Extended own = gos.Territory;
    for (int w = 1; w <= game.GosCount; ++w) {
        if (!IsNeighbour(game, i, w)) continue;
        const Extended other = game.mGos[w].Territory;
        if (other / 1.1L > own) mood.Dwarfed = true;
        if (other * 1.1L > own || own < average) mood.Superior = false;
    }
    return mood;
}

}  // namespace korvant
