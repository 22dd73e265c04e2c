#include "support/local_game.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/rule_data.h"
#include "game/new_game.h"

namespace korvant::test {

void LoadShippedRules(Game& game) {
    EXPECT_TRUE(LoadRuleData(std::filesystem::path(KORVANT_BIN_DIR) / "tav.dat", game.Rules).ok());
}

void NewLocalMap(Game& game, const LocalGameShape& shape) {
    game.GameMode = ModeLocal;
    game.GosCount = uint8_t(shape.states);
    game.MapSize = uint8_t(shape.size);
    game.Rng.setSeed(shape.seed);
    NewMap(game);
}

void NewLocalGame(Game& game, const LocalGameShape& shape) {
    NewLocalMap(game, shape);
    EXPECT_TRUE(ChooseTerritories(game, shape.persons)) << "a person gave up his choice";
}

int StateOfPerson(const Game& game, int person) {
    for (int s = 1; s <= game.GosCount; ++s)
        if (game.mGos[s].Human == person) return s;
    return 0;
}

}  // namespace korvant::test
