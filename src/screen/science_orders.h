#pragma once
// The science tab: what each science's panel shows and the person's orders that put scientists
// on a science or take them off. No order changes the sum of the staffs and the free scientists.
// R, the research points one working scientist gives a year, is the scientific level's effect.
#include <string>

#include "core/game.h"

namespace korvant {

constexpr int MaxYearsShown = 99;
// The spin edits step by a thirtieth of their range when the tab is rebuilt, a fifteenth after
// each change.
constexpr int RebuildStepDivisor = 30;
constexpr int ChangeStepDivisor = 15;

// Years until science `sc` of state s reaches its next level at its present staff: 99 at most,
// 0 for anything negative or undefined.
int YearsToNextLevel(const Game& game, int s, int sc);
// Where the science will stand after this year: its progress and a year of its staff's work.
int GaugePosition(const Game& game, int s, int sc);
// The effect with two decimals; military training is shown in hundreds.
std::string EffectText(const Game& game, int s, int sc);
// The step of a spin edit with this maximum.
int SpinStep(int maximum, int divisor);

// The smallest staff whose one year of research reaches the cost.
int StaffForOneYear(const Game& game, int s, int sc);

// "За 1 год": staffs the science with StaffForOneYear when the free scientists and its own staff
// are enough; false, and nothing changes, otherwise.
bool StaffOneYear(Game& game, int s, int sc);
// The spin edit set to `staff` (within its staff and the free scientists): false, and nothing
// changes, when there is neither staff nor a free scientist, so the edit springs back to 0.
bool SetStaff(Game& game, int s, int sc, int staff);
// "Max": every free scientist joins the science.
void StaffAll(Game& game, int s, int sc);
// "Min": the science's staff becomes free.
void StaffNone(Game& game, int s, int sc);
// "Снять всех": every science's staff becomes free.
void FreeAllScientists(Game& game, int s);

}  // namespace korvant
