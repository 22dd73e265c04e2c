#pragma once
// The simulated part of a year, after the persons' turns: the computers move, the generals
// fight the year's battles, then every state's economy runs; the year then advances.
#include <functional>

#include "core/game.h"

namespace korvant {

enum class YearPhase { Computers, Generals, Economy };

// Plays the phases in order, checking the bookkeeping after each (a broken state raises
// StateError). `afterPhase` hears of each phase as it ends, before the next begins.
void SimulateYear(Game& game, const std::function<void(YearPhase)>& afterPhase = {});

}  // namespace korvant
