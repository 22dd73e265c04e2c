#include "game/new_game.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "core/numbers.h"
#include "sim/borders.h"
#include "sim/generals.h"

namespace korvant {
namespace {

struct ScienceStart {
    float effect, step;
};
// Density, growth, agrarian, financial, military, scientific.
constexpr ScienceStart ScienceStarts[ScienceCount] = {
    {1, 0.07f}, {3, 0.2f}, {1, 0.05f}, {10, 0.5f}, {100, 10}, {1, 0.1f},
};

// Research points for every science's first level: a fifth of the average territory,
// growing only by a third beyond 100 so that small games do not research for ever.
int32_t FirstScienceCost(int n, int gosCount) {
    auto cost = static_cast<int32_t>(Trunc(Extended(n) * n / gosCount / 5));
    if (cost > 100) cost = static_cast<int32_t>(Trunc(Extended(cost) / 3 + 100));
    return cost;
}

void FreshState(Game& game, int p, int32_t cost, int32_t people) {
    TGos& gos = game.mGos[p];
    std::memset(&gos, 0, sizeof gos);
    gos.Name.set(game.Msg(MsgAt(Msg::StateName1, p - 1)));
    // The characters cycle 1, 2, 3 from a random start.
    gos.Character = p == 1 ? game.Random(3) + 1 : game.mGos[p - 1].Character % 3 + 1;
    gos.Grain = people;
    gos.Peasants = people;
    for (int k = 1; k <= game.GosCount; ++k) gos.Attitude(k) = 100;
    for (int s = 1; s <= ScienceCount; ++s) {
        TScience& sci = gos.Science[s];
        sci.Cost = cost;
        sci.Effect = ScienceStarts[s - 1].effect;
        sci.Step = ScienceStarts[s - 1].step;
    }
}

}  // namespace

void NewGameSetup::SetStates(int n) {
    states = std::clamp(n, MinStates, MaxStatesChoice);
    persons = 1;
}

void NewGameSetup::SetSize(int n) {
    if (!sizeEnabled) return;
    n = std::clamp(n, MinSize, MaxSize);
    size = MinSize + (n - MinSize + SizeStep / 2) / SizeStep * SizeStep;
}

void NewGameSetup::SetPersons(int n) { persons = std::clamp(n, 1, states); }

void NewGameSetup::SetDifficulty(Game& game, int item) {
    difficulty = item;
    ApplyDifficulty(game, *this, item);
}

std::optional<Msg> DifficultyLabelOf(int item) {
    switch (item) {
        case DiffTraining: return Msg::TrainingGameLabel;
        case DiffNormal: return Msg::NormalGameLabel;
        case DiffExpert: return Msg::ExpertGameLabel;
        default: return std::nullopt;
    }
}

void ApplyDifficulty(Game& game, NewGameSetup& setup, int item) {
    if (item < DiffTraining || item > DiffExpert) return;
    game.DiffLevel = uint8_t(item);
    if (item == DiffExpert) {
        setup.size = NewGameSetup::MaxSize;
        setup.sizeEnabled = false;
    } else {
        setup.sizeEnabled = true;
    }
}

MapGenerationResult NewMap(Game& game) {
    MapGenerationResult result = GenerateMap(game);
    const int n = game.MapSize;
    const int32_t cost = FirstScienceCost(n, game.GosCount);
    const auto people = static_cast<int32_t>(Round(Extended(n) * n / game.GosCount / 1.1L));
    for (int p = 1; p <= game.GosCount; ++p) FreshState(game, p, cost, people);
    game.CostGrowth = float(Extended(cost) / 5);
    for (int g = 1; g <= GeneralSlots; ++g) {
        game.mGeneral[g].Front = 0;
        NewGeneral(game, g);
    }
    game.Chronicle.clear();
    game.MesList.Clear();
    game.Year = 1;
    return result;
}

bool ChooseTerritories(Game& game, int persons) {
    const int count = game.GosCount;
    if (persons < 0 || persons > count) throw std::invalid_argument("more persons than states");
    game.SaveCount = 0;
    game.PeopleCount = uint8_t(persons);

    // Choosing slots of the persons: slot 1 for one person; with several, each draws
    // slots that favour the early ones until he finds a free one.
    std::vector<bool> personSlot(count + 1, false);
    if (persons == 1) {
        personSlot[1] = true;
    } else {
        for (int i = 1; i <= persons; ++i) {
            int slot;
            do {
                int b = game.Random(count);
                slot = game.Random(b + 1) + 1;
            } while (personSlot[slot]);
            personSlot[slot] = true;
        }
    }

    int person = 0;
    for (int slot = 1; slot <= count; ++slot) {
        if (!personSlot[slot]) {
            int s;
            do {
                s = game.Random(count) + 1;
            } while (game.mGos[s].Alive != 0);
            game.mGos[s].Alive = 1;
            continue;
        }
        ++person;
        if (persons > 1) game.Ui->ShowGetReady(person);
        if (game.Ui->ChooseTerritory(game, person) == ModalResult::Quit) return false;
    }
    CheckFronts(game);
    game.ResumePlayer = 1;
    return true;
}

}  // namespace korvant
