#pragma once
// The values a received block must hold before any of it reaches the game: numbers that
// index the tables stay inside them, so a hostile or damaged block cannot reach past a table.
// Each check throws BlockError naming what is wrong.
#include <span>

#include "core/records.h"

namespace korvant {

inline constexpr int MinNetStates = 2;
inline constexpr int MinNetMapSize = 50;
inline constexpr int MaxNetMapSize = 100;

void CheckStateCount(int gosCount);
void CheckMapSize(int mapSize);
// Year 1..120 (a turn result's year is at least 2: it names the year just finished as Year - 1).
void CheckYear(int year, int lowest);
// Every cell of the field and its frame holds 0..gosCount.
void CheckMapCells(const TMapGrid& map, int mapSize, int gosCount);
// The state's border commanders name general slots.
void CheckStateRecord(const TGos& gos);
// Each general's front is 0..gosCount; his owner is 0 or `owner`, or 0..gosCount when `owner` is 0.
void CheckGenerals(std::span<const TCommander> generals, int gosCount, int owner = 0);
// Each message is for a state 1..gosCount, or for `only` when it is not 0.
void CheckMessages(std::span<const TMesRec> messages, int gosCount, int only = 0);

}  // namespace korvant
