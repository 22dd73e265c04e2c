#pragma once
// The local game's year loop: every person's turn in order, then the year's
// simulation, then the end-of-game test; at the end the hall of fame.
#include <filesystem>
#include <functional>
#include <optional>

#include "core/game.h"
#include "records/hall_of_fame.h"

namespace korvant {

struct TurnCycleOptions {
    // The simulator's observer: the game goes on while no person is left alive, to a
    // victory or the draw.
    bool observe = false;
    // Where a one-person game is recorded when it ends; none leaves the hall of fame alone.
    std::optional<std::filesystem::path> records = HallOfFameFile;
    // Called after each simulated year with the year just played (Year is one more).
    std::function<void(Game&, int year)> yearDone;
};

enum class GameOutcome { Over, Quit };

// Plays the game from the people's phase of the current year until it ends or a person quits.
// ResumePlayer says which person moves first in the first year.
GameOutcome RunGame(Game& game, const TurnCycleOptions& options = {});

// Before a person's turn: the soldiers of every border of state s gathered in slot 1.
void GatherTroops(Game& game, int s);
// After a turn ended: the free soldiers go home, every border's soldiers spread over slots 1 to 3.
void SettleTroops(Game& game, int s);

// The state that owns every cell of the field, 0 when there is none.
int VictoriousState(const Game& game);

// True when a state played by a person is still in the game.
bool AnyPersonAlive(const Game& game);

// The end-of-game test after a year: a victory, every person's state destroyed (unless
// observing) or the draw of year 120. Shows the end messages, then the charts and the closing
// message, and returns true when the game is over.
bool CheckGameEnd(Game& game, bool observe = false);

}  // namespace korvant
