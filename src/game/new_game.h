#pragma once
// Setting up a new local game: the start window's choices, a fresh map with
// fresh states and generals, and the persons choosing their territories.
#include <optional>
#include <string>
#include <string_view>

#include "core/game.h"
#include "core/take_territory.h"
#include "map/map_generation.h"

namespace korvant {

// The start window's set-up choices and the rules that tie them together.
struct NewGameSetup {
    static constexpr int MinStates = 2, MaxStatesChoice = 20;
    static constexpr int MinSize = 50, MaxSize = 100, SizeStep = 5;

    int states = MaxStatesChoice;
    int size = MaxSize;
    int persons = 1;
    int difficulty = DiffTraining;  // the selected item, -1 for none
    bool sizeEnabled = true;

    // A new number of states sends the persons back to 1 (they can be at most that many).
    void SetStates(int n);
    // Sizes snap to the slider's steps; ignored while the size is fixed.
    void SetSize(int n);
    void SetPersons(int n);
    // Selects a difficulty item and applies it (see ApplyDifficulty).
    void SetDifficulty(Game& game, int item);

    // "Сложность игры:" shows 5 % per state.
    int Hardness() const { return 5 * states; }
};

// The label of a difficulty item; none for no item.
std::optional<Msg> DifficultyLabelOf(int item);

// Applies difficulty item 0..2 (training, normal, expert) to DiffLevel and the set-up: expert
// fixes the field at the largest size; the other levels free it again and keep its value.
// Without a selected item (-1) nothing changes.
void ApplyDifficulty(Game& game, NewGameSetup& setup, int item);

// Draws a new map for GosCount states on MapSize and makes every state, general and the
// year's records fresh: no state taken, Year 1, empty chronicle and messages.
MapGenerationResult NewMap(Game& game);

// Lets `persons` persons choose their states on the fresh map, in choosing slots among the
// computers' random picks, then rebuilds the borders. False when a person gave up: the map
// must then be generated again before choosing anew. With no person every state is the
// computer's. Throws std::invalid_argument for more persons than states.
bool ChooseTerritories(Game& game, int persons);

}  // namespace korvant
