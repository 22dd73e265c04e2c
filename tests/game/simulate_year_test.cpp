// The year a network server computes checks its books once more after the wages, before they go out.
#include <gtest/gtest.h>

#include "core/check_state.h"
#include "game/simulate_year.h"
#include "support/net_game.h"

namespace korvant {
namespace {

TEST(SimulateYear, ANetworkYearBrokenAfterTheGeneralsStopsBeforeItsResultsGoOut) {
    auto game = test::MakeNetGame(1);
    game->mGos[1].Money = 1'000'000;  // the wages are paid: nobody is dismissed
    const auto breakTheBooks = [&](YearPhase phase) {
        if (phase == YearPhase::Generals) game->mGos[1].Soldiers += 7;
    };
    EXPECT_THROW(SimulateYear(*game, breakTheBooks, PeoplesMoves::FromBlocks), StateError);
}

}  // namespace
}  // namespace korvant
