#pragma once
// How a computer player reads its situation: the strength of its neighbours, its income and
// the four mood flags that steer the rest of its turn.
#include <cstdint>

#include "core/game.h"
#include "core/numbers.h"

namespace korvant {

// Recomputed at the start of each computer-played turn; read by the economy decisions.
struct Mood {
    bool Danger = false;    // a neighbour is much stronger, or the state is small and attacked early
    bool Peace = true;      // no neighbour is even moderately stronger
    bool Superior = false;  // larger than every neighbour by over 10% and at least of average size
    bool Dwarfed = false;   // some neighbour is over 10% larger
};

// A uniform draw in [0, 1) from the game's generator.
inline Extended Draw(Game& game) { return game.Rng.Real(); }

// True when state s shares a border with state k.
inline bool IsNeighbour(const Game& game, int s, int k) { return game.mGos[s].Border[k].Touches == 1; }

// Territory weighted by its people: each person per cell adds half a cell, counting at most two.
Extended StatePower(const Game& game, int s);
// How strong state o is compared with state s.
Extended Strength(const Game& game, int o, int s);
// MapSize^2 / LivingCount.
Extended AverageTerritory(const Game& game);
// LivingCount / GosCount.
Extended LivingShare(const Game& game);
// The money value of this year's seed: Trunc(Sown x grain per cell x price of grain).
int64_t Income(const Game& game, int s);
// The same value before truncation, as the hiring rules use it.
Extended SeedValue(const Game& game, int s);
// Wage(Scientists, 1.6) and Wage(Soldiers, 1.8).
int64_t ScientistWages(const Game& game, int s);
int64_t SoldierWages(const Game& game, int s);

// Sets the four flags for state i from its neighbours, its size and the year.
Mood ReadMood(const Game& game, int i);

}  // namespace korvant
