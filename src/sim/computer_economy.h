#pragma once
// Buying generals: the price of a general, which the command screen's hiring panel also uses,
// and how a computer player buys one or saves up for one.
#include <cstdint>

#include "core/game.h"
#include "sim/computer_mood.h"

namespace korvant {

// Price in $ of a general of these qualities on a map of mapSize^2 cells shared by gosCount
// states: young, fast, knowing and talented generals cost most, and more land per state raises
// every price. Attestation 2..5 multiplies by 3, 9, 18, 36. Prices beyond int range and
// qualities no general can have (an age of 0, a negative knowledge or speed) come out as the
// largest int, which nobody can pay.
int GeneralPrice(int mapSize, int gosCount, int age, int knowledge, int attestation, int speed);
// The same on this game's map.
int GeneralPrice(const Game& game, int age, int knowledge, int attestation, int speed);

// The first of the ten slots of state s (s, s + 20, ..., s + 180) that is not hired, 0 when all are.
int FreeGeneralSlot(const Game& game, int s);

// Buys at most one general for state s into its first free slot, the best it can afford.
// Urgent: walks a fixed path of ever better candidates. Otherwise: picks a candidate by the
// year's fashion and a few draws, then improves it while it stays affordable. A full roster
// shows a message box and buys nothing.
void BuyGeneral(Game& game, int s, bool urgent);

// The yearly decision: put the money aside for a good general next year, or buy one now.
// Returns the amount set aside (already taken out of Money), to be given back after hiring.
int32_t SaveOrBuyGeneral(Game& game, int s, const Mood& mood);

}  // namespace korvant
