#pragma once
// The border guard: the neighbours a person's state borders, the soldiers standing under
// attacking generals, and the moves of soldiers between the free pool and one border.
// Soldiers stand on a border only under a general who attacks from it; during a person's turn
// every border's soldiers are in the first troop slot.
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

// The states state s touches, in state order.
std::vector<int> NeighboursOf(const Game& game, int s);

// The state with this name (the last of equal names), 0 when none.
int StateNamed(const Game& game, const std::string& name);

// Every border of state s without an attacking general (home defence included) gives its soldiers
// back to the free pool.
void ReturnIdleSoldiers(Game& game, int s);

// The soldiers panel for general g (0: no row selected).
struct SoldierBar {
    bool shown = false;  // only for a general who attacks
    int maximum = 0;     // his border's soldiers and the free ones
    int position = 0;    // his border's soldiers
    int distance = 0;    // cells that many soldiers under him can take
};
SoldierBar SoldierBarFor(const Game& game, int s, int g);

// Puts `soldiers` (0..the bar's maximum) on the border of general g, the rest of the bar free.
// A move that would leave Soldiers different from the free and placed ones is undone; returns
// false then.
bool MoveSoldiers(Game& game, int s, int g, int soldiers);

}  // namespace korvant
