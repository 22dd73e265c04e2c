#include <gtest/gtest.h>

#include <string>

#include "core/rule_source.h"
#include "game/simulate_year.h"
#include "support/bookkeeping.h"
#include "support/headless_log.h"
#include "support/local_game.h"

namespace korvant {
namespace {

// Whole games with every state played by the computer, through the year's real phases. After
// every phase of every year the books must balance: the computers buy and hire only with money
// they have. No warning box may come up.
class ComputersAlone : public testing::TestWithParam<test::LocalGameShape> {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadRuleSource(KORVANT_SOURCE_DIR "/data/rules", game.Rules).ok());
        ASSERT_NO_FATAL_FAILURE(test::NewLocalGame(game, GetParam()));
    }
    Game game;
};

const char* PhaseName(YearPhase phase) {
    switch (phase) {
        case YearPhase::Computers: return "computers";
        case YearPhase::Generals: return "generals";
        case YearPhase::Economy: return "economy";
    }
    return "?";
}

TEST_P(ComputersAlone, PlayTheWholeGameKeepingTheBooksStraight) {
    // The years go on after a victory too, so the winner also plays without any neighbour.
    bool balanced = true;
    while (balanced && game.Year < MaxYears) {
        ASSERT_NO_THROW(SimulateYear(game, [&](YearPhase phase) {
            if (!balanced) return;
            const auto books = test::BooksBalanced(game, PhaseName(phase));
            balanced = books;
            EXPECT_TRUE(books) << "year " << int(game.Year) << ", " << PhaseName(phase);
        }));
    }
    const HeadlessUi& ui = test::Headless(game);
    EXPECT_TRUE(ui.log.empty()) << ui.log.front();
}

INSTANTIATE_TEST_SUITE_P(Shapes, ComputersAlone,
                         testing::Values(test::LocalGameShape{2, 50, 0, 11}, test::LocalGameShape{2, 100, 0, 12},
                                         test::LocalGameShape{3, 50, 0, 13}, test::LocalGameShape{4, 55, 0, 14},
                                         test::LocalGameShape{5, 60, 0, 15}, test::LocalGameShape{6, 100, 0, 16},
                                         test::LocalGameShape{8, 75, 0, 17}, test::LocalGameShape{10, 90, 0, 18},
                                         test::LocalGameShape{13, 80, 0, 19}, test::LocalGameShape{16, 70, 0, 20},
                                         test::LocalGameShape{20, 100, 0, 21}, test::LocalGameShape{20, 50, 0, 22}),
                         [](const testing::TestParamInfo<test::LocalGameShape>& shape) {
                             return std::to_string(shape.param.states) + "StatesOnSide" +
                                    std::to_string(shape.param.size);
                         });

}  // namespace
}  // namespace korvant
