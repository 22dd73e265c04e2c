#pragma once
// How a computer player turns peasants into scientists and soldiers and puts its scientists
// to work, by its character and the year.
#include <array>

#include "core/game.h"
#include "core/numbers.h"
#include "sim/computer_mood.h"

namespace korvant {

// Cumulative bounds of a Random(100) draw over the six sciences: science j gets the draw when
// it is below bounds[j-1] and not below any earlier bound (a bound under an earlier one gives
// that science nothing).
using ScienceBounds = std::array<int, ScienceCount>;

// Converts peasants for 100 $ each, in rounds of up to three scientists and one soldier, while
// scientists and soldiers are under their shares of the population, the money lasts, the
// income keeps up with the wage bill and peasants still till two thirds of the land.
void HirePeople(Game& game, int s, Extended scienceShare, Extended soldierShare, const Mood& mood);

// Frees every scientist, then staffs the sciences: levels under way first, then the laggards,
// then by the character's leanings, then by draws over `bounds`, then whatever is left.
void StaffSciences(Game& game, int s, const ScienceBounds& bounds, const Mood& mood);

// Gives science j the free scientists that finish its level this year, or all there are.
// A science that already has staff gets nobody more.
void AssignScientists(Game& game, int s, int j);

// The year's hiring and staffing, by danger or else by character and year.
void HireAndStaff(Game& game, int s, const Mood& mood);

}  // namespace korvant
