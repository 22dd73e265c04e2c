#pragma once
// The list of all states on the border tab: the person's own state first, then the living
// states it touches with their populations, then the other living states, whose populations
// it cannot see.
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

struct StateRow {
    int state = 0;
    std::string name;
    std::string population;
    bool own = false;  // its colour cell gets a cross
};

std::vector<StateRow> StatesList(const Game& game, int s);

// A population padded on the left with "_" to five characters.
std::string PopulationText(int64_t population);

}  // namespace korvant
