#pragma once
// The generals' year: every hired general ages and carries out his order, fastest first.
#include <vector>

#include "core/game.h"
#include "sim/capture.h"

namespace korvant {

// The order in which the generals act this year: highest Speed first, the lower slot number
// first on equal speed; a general of speed 0 never acts.
std::vector<int> GeneralsMoveOrder(const Game& game);

// The yearly pass: fortifications are cleared, then every hired general in move order leaves
// service when he has outlived his span, or else ages a year and studies, rests, prepares the
// defence or attacks. `take` chooses the cells a won battle takes (the tests swap in a reference).
void GeneralsYear(Game& game, CellTaker take = TakeCellsAlongBorder);

// Resets slot g to a fresh general in the pool: name from the slot's stem and number, new
// span of service, speed 1, full spirit, no mastery. Age and Attestation are the buyer's to set.
void NewGeneral(Game& game, int g);

}  // namespace korvant
