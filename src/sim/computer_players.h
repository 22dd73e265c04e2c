#pragma once
// The computer players' phase of the year.
#include "core/game.h"

namespace korvant {

// True when the computer plays state i this year: it is alive and either no person plays it
// and it still has people, or its person handed this year's turn to the computer.
bool ComputerPlays(const Game& game, int i);

// One computer player's year: mood, sowing and selling, generals bought or saved for, hiring,
// science, the neighbours to fear and to attack, troops and generals.
void PlayComputerTurn(Game& game, int i);

// Every state in number order updates its relations; every state the computer plays then
// plans its year. The waiting panel's first bar shows how far the pass has come.
void ComputersMove(Game& game);

}  // namespace korvant
