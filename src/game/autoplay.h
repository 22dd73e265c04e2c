#pragma once
// A whole game played without windows, as the simulator runs it: a fresh map,
// the persons' states taken headless, and the turn cycle to its end.
#include <cstdint>
#include <functional>

#include "core/game.h"

namespace korvant {

struct AutoplaySettings {
    int states = 20;
    int size = 100;
    int persons = 1;
    int difficulty = DiffTraining;
    uint32_t seed = 1;
    // No persons, and the game goes on to a victory or the draw.
    bool observe = false;
};

// One played year as the simulator reports it.
struct AutoplayYear {
    int year;
    int living;   // states still alive
    int largest;  // the largest territory, in cells
    int battles;  // battles opened this year
};

struct AutoplayResult {
    int mapAttempts = 0;
    int winner = 0;     // the state owning the whole field, 0 for none
    bool quit = false;  // a person left the game
    int yearsPlayed = 0;
};

// Plays a game on `game`, whose rule tables, texts and windows are already set; the persons
// act through game.Ui. `onYear` hears of every year played. A broken invariant raises StateError.
AutoplayResult Autoplay(Game& game, const AutoplaySettings& settings,
                        const std::function<void(const AutoplayYear&)>& onYear = {});

}  // namespace korvant
