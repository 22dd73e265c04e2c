#pragma once
// The simulated part of a year, after the persons' turns: the computers move, the generals
// fight the year's battles, then every state's economy runs; the year then advances.
#include <functional>

#include "core/game.h"

namespace korvant {

enum class YearPhase { Computers, Generals, Economy };

// Where the persons' moves of the year came from: this computer's command screens, checked
// before the year begins, or a network game's blocks, which the receive handler checked.
enum class PeoplesMoves { Local, FromBlocks };

// Plays the phases in order, checking the bookkeeping after each (a broken state raises
// StateError). `afterPhase` hears of each phase as it ends, before the next begins. The local and
// the network turn cycle both play their years here.
void SimulateYear(Game& game, const std::function<void(YearPhase)>& afterPhase = {},
                  PeoplesMoves moves = PeoplesMoves::Local);

}  // namespace korvant
