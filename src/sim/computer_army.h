#pragma once
// A computer player's army for the year: where its soldiers stand, which generals command
// them and with what orders, and what becomes of the generals left without a post.
#include "core/game.h"
#include "sim/computer_mood.h"

namespace korvant {

// Gathers every soldier of state i and places them again by its mood: against the neighbour
// it fears (feared), against its target (target), or at home. Without neighbours (both 0)
// everyone goes home.
void DeployTroops(Game& game, int i, const Mood& mood, int feared, int target);

// Recalls every general of state i, then posts the best ones: on the feared border, on the
// target's border and at home. A feared border that is cheap to hold without a general may be
// emptied instead, and a target border with too few soldiers is given up.
void PostGenerals(Game& game, int i, const Mood& mood, int feared, int target);

// Warns about a commander without troops and about soldiers left without a border.
void ReportIdleForces(Game& game, int i);

// Every unposted general of state i studies or rests, or is dismissed when he is old,
// ordinary and not needed.
void SettleIdleGenerals(Game& game, int i);

}  // namespace korvant
