#include <gtest/gtest.h>

#include <string>

#include "core/check_state.h"
#include "game/new_game.h"
#include "core/rule_source.h"
#include "sim/borders.h"
#include "sim/computer_players.h"
#include "sim/economy.h"
#include "sim/generals.h"
#include "sim/statistics.h"

namespace korvant {
namespace {

struct GameShape {
    int states, size;
    uint32_t seed;
};

// Whole games with every state played by the computer. After every phase of every year the
// consistency check must hold and no count or store may be negative; the computers buy and hire
// only with money they have. No warning box may come up.
class ComputersAlone : public testing::TestWithParam<GameShape> {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadRuleSource(KORVANT_SOURCE_DIR "/data/rules", game.Rules).ok());
        game.GosCount = static_cast<uint8_t>(GetParam().states);
        game.MapSize = static_cast<uint8_t>(GetParam().size);
        game.Rng.setSeed(GetParam().seed);
        NewMap(game);
        ASSERT_TRUE(ChooseTerritories(game, 0));
    }

    void Check(const std::string& phase) {
        SCOPED_TRACE("year " + std::to_string(game.Year) + ", " + phase);
        ASSERT_NO_THROW(CheckState(game, phase));
        for (int s = 1; s <= game.GosCount; ++s) {
            const TGos& gos = game.mGos[s];
            SCOPED_TRACE("state " + std::to_string(s));
            ASSERT_GE(gos.Money, 0);
            ASSERT_GE(gos.Grain, 0);
            ASSERT_GE(gos.Peasants, 0);
            ASSERT_GE(gos.FreeScientists, 0);
            ASSERT_GE(gos.FreeSoldiers, 0);
            int64_t staff = 0, placed = 0;
            for (int j = 1; j <= ScienceCount; ++j) {
                ASSERT_GE(gos.Science[j].Staff, 0);
                staff += gos.Science[j].Staff;
            }
            ASSERT_EQ(gos.Scientists, gos.FreeScientists + staff);
            for (int k = 1; k <= game.GosCount; ++k) {
                for (int t = 1; t <= game.KindCount(); ++t) {
                    ASSERT_GE(gos.Border[k].Troops[t], 0);
                    placed += gos.Border[k].Troops[t];
                }
                ASSERT_LE(gos.Attitude(k), 100);
            }
            ASSERT_EQ(gos.Soldiers, gos.FreeSoldiers + placed);
            int hired = 0;
            for (int g = s; g < GeneralSlots; g += MaxStates) hired += game.mGeneral[g].Owner == s;
            ASSERT_EQ(gos.GeneralCount, hired);
        }
    }

    Game game;
};

TEST_P(ComputersAlone, PlayTheWholeGameKeepingTheBooksStraight) {
    // The years go on after a victory too, so the winner also plays without any neighbour.
    while (game.Year < MaxYears) {
        ComputersMove(game);
        ASSERT_NO_FATAL_FAILURE(Check("computers"));
        for (int s = 1; s <= game.GosCount; ++s) RecordYear(game, s);
        for (int s = 1; s <= game.GosCount; ++s) game.mGos[s].Captured = 0;
        GeneralsYear(game);
        ASSERT_NO_FATAL_FAILURE(Check("generals"));
        for (int s = 1; s <= game.GosCount; ++s) {
            Harvest(game, s);
            Growth(game, s);
            Research(game, s);
            PayWages(game, s);
        }
        ASSERT_NO_FATAL_FAILURE(Check("economy"));
        ++game.Year;
    }
    EXPECT_TRUE(static_cast<HeadlessUi*>(game.Ui)->log.empty()) << static_cast<HeadlessUi*>(game.Ui)->log.front();
}

INSTANTIATE_TEST_SUITE_P(Shapes, ComputersAlone,
                         testing::Values(GameShape{2, 50, 11}, GameShape{2, 100, 12}, GameShape{3, 50, 13},
                                         GameShape{4, 55, 14}, GameShape{5, 60, 15}, GameShape{6, 100, 16},
                                         GameShape{8, 75, 17}, GameShape{10, 90, 18}, GameShape{13, 80, 19},
                                         GameShape{16, 70, 20}, GameShape{20, 100, 21}, GameShape{20, 50, 22}),
                         [](const testing::TestParamInfo<GameShape>& info) {
                             return std::to_string(info.param.states) + "StatesOnSide" + std::to_string(info.param.size);
                         });

}  // namespace
}  // namespace korvant
