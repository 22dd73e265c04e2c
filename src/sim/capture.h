#pragma once
// Land taken after a won battle.
#include "core/game.h"

namespace korvant {

// Cells a general of `speed` takes with `soldiers`: each further soldier adds a little less.
int CellsToTake(int speed, int soldiers);

// Lets state a take up to n cells of state b, one at a time: each time the cell of b with the
// most edge neighbours owned by a, ties among the later cells in row-then-column order settled
// by a draw. Returns the number of cells taken.
using CellTaker = int (*)(Game& game, int a, int b, int n);

// The game's CellTaker: walks only the cells of b on its border with a. It takes the same
// cells and makes the same draws as a scan of the whole map for every cell would.
int TakeCellsAlongBorder(Game& game, int a, int b, int n);

// Winner a takes land from loser b after destroying b's army; b is destroyed when it loses
// its last cell.
void Capture(Game& game, int a, int b, CellTaker take = TakeCellsAlongBorder);

}  // namespace korvant
