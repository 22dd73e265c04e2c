#include <gtest/gtest.h>

#include "core/check_state.h"
#include "sim/borders.h"
#include "sim/troops.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;

std::unique_ptr<Game> TwoStates() { return MakeGame({"1122", "1122", "1122", "1122"}); }

std::array<int, 3> Kinds(const Game& game, int s, int k) {
    const TBorder& b = game.mGos[s].Border[k];
    return {b.Troops[1], b.Troops[2], b.Troops[3]};
}

void AddFree(Game& game, int s, int n) {
    game.mGos[s].FreeSoldiers += n;
    game.mGos[s].Soldiers += n;
}

TEST(PlaceTroops, AddsTheBordersOwnSoldiersToTheCountAndDealsThemOverThreeKinds) {
    auto game = TwoStates();
    AddTroops(*game, 1, 2, {4});
    AddFree(*game, 1, 20);
    PlaceTroops(*game, 1, 2, 10);
    EXPECT_EQ(Kinds(*game, 1, 2), (std::array<int, 3>{5, 5, 4}));
    EXPECT_EQ(game->mGos[1].FreeSoldiers, 10);
    CheckState(*game, "test");
}

TEST(PlaceTroops, CountZeroSpreadsTheBorderEvenlyWithTheRemainderOnTheLowerKinds) {
    auto game = TwoStates();
    AddTroops(*game, 1, 2, {7});
    PlaceTroops(*game, 1, 2, 0);
    EXPECT_EQ(Kinds(*game, 1, 2), (std::array<int, 3>{3, 2, 2}));
    EXPECT_EQ(game->mGos[1].FreeSoldiers, 0);
}

TEST(PlaceTroops, NegatedCountEmptiesTheBorderAndAShortPoolLimitsThePlacement) {
    auto game = TwoStates();
    AddTroops(*game, 1, 1, {3, 2, 1});
    PlaceTroops(*game, 1, 1, -TroopsOnBorder(*game, 1, 1));
    EXPECT_EQ(TroopsOnBorder(*game, 1, 1), 0);
    EXPECT_EQ(game->mGos[1].FreeSoldiers, 6);

    PlaceTroops(*game, 1, 2, 100);  // asks for more than there are
    EXPECT_EQ(Kinds(*game, 1, 2), (std::array<int, 3>{2, 2, 2}));
    EXPECT_EQ(game->mGos[1].FreeSoldiers, 0);
    CheckState(*game, "test");
}

TEST(PlaceTroops, WithFewerThanThreeKindsEverySoldierStaysInACountedKind) {
    auto game = TwoStates();
    game->Rules.KindCount = 2;
    AddFree(*game, 1, 7);
    PlaceTroops(*game, 1, 2, 7);
    EXPECT_EQ(game->mGos[1].Border[2].Troops[1], 4);
    EXPECT_EQ(game->mGos[1].Border[2].Troops[2], 3);
    EXPECT_EQ(game->mGos[1].Border[2].Troops[3], 0);
    EXPECT_NO_THROW(CheckState(*game, "test"));
}

}  // namespace
}  // namespace korvant
