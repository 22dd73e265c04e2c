#pragma once
// The yearly statistics table as CSV, for people who plot it with tools of their own.
#include <ostream>

#include "core/game.h"

namespace korvant {

// Writes the header (state, year, then the twelve chart criteria in the window's order) and
// one row per state 1..GosCount and recorded year.
void WriteHistoryCsv(std::ostream& out, const Game& game);

}  // namespace korvant
