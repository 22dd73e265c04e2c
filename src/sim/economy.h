#pragma once
// The year-end economy of one state: harvest, growth, research and wages.
// Each step leaves a message for the state in the year's list.
#include <cstdint>

#include "core/game.h"

namespace korvant {

// Wage bill of n people at exponent x: Trunc(n ^ x), 0 when nobody is paid.
// Scientists are paid Wage(Scientists, 1.6), soldiers Wage(Soldiers, 1.8).
int64_t Wage(int64_t n, long double x);

constexpr long double ScientistWageExponent = 1.6L;
constexpr long double SoldierWageExponent = 1.8L;

// Cells state s can still sow this year: limited by peasants, land and seed grain; never negative.
int SowableCells(const Game& game, int s);

// The harvest of the sown cells (land lost this year is not harvested).
void Harvest(Game& game, int s);
// Peasants grow by the growth rate up to what the territory can hold.
void Growth(Game& game, int s);
// Every science gathers its scientists' points and rises at most one level.
void Research(Game& game, int s);
// Scientists, then soldiers, are paid; what cannot be paid costs people.
void PayWages(Game& game, int s);

}  // namespace korvant
