#pragma once
// A fresh local game as the start window makes one: the shipped rules, a new map and the
// persons' states taken (headless unless the game's windows say otherwise).
#include <cstdint>

#include "core/game.h"

namespace korvant::test {

struct LocalGameShape {
    int states = 4;
    int size = 50;
    int persons = 1;
    uint32_t seed = 11;
};

// Reads the built rule data into the game; a failed read fails the test.
void LoadShippedRules(Game& game);

// The new map of a local game of that shape on `game` (its rules, texts and windows stay), before
// anyone chooses a state.
void NewLocalMap(Game& game, const LocalGameShape& shape);

// A whole new local game: the map, then the persons choose through game.Ui. The test fails when
// a person gave up.
void NewLocalGame(Game& game, const LocalGameShape& shape);

// State of person number `person`, 0 when he has none.
int StateOfPerson(const Game& game, int person);

}  // namespace korvant::test
