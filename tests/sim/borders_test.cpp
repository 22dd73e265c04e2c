#include "sim/borders.h"

#include <gtest/gtest.h>

#include "core/check_state.h"
#include "core/colors.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;

// State 3 holds two cells in the bottom rows between 1 and 2.
const std::vector<std::string> ThreeStates = {
    "11112222",  //
    "11112222",  //
    "11112222",  //
    "11112222",  //
    "11112222",  //
    "11112222",  //
    "11113222",  //
    "11113222",  //
};

TEST(CheckFronts, BuildsTerritoriesAndBordersFromTheMap) {
    auto game = MakeGame(ThreeStates);
    Game& g = *game;
    EXPECT_EQ(g.mGos[1].Territory, 32);
    EXPECT_EQ(g.mGos[2].Territory, 30);
    EXPECT_EQ(g.mGos[3].Territory, 2);
    EXPECT_EQ(g.mGos[1].Border[2].Touches, 1);
    EXPECT_EQ(g.mGos[1].Border[3].Touches, 1);
    EXPECT_EQ(g.mGos[3].Border[2].Touches, 1);
    EXPECT_EQ(g.mGos[1].Border[1].Touches, 0);
    EXPECT_EQ(g.mGos[3].NeighbourCount, 2);
    EXPECT_EQ(g.LivingCount, 3);
}

TEST(CheckFronts, VanishedBorderReleasesSoldiersAndGeneralButNotHomeDefence) {
    auto game = MakeGame(ThreeStates);
    Game& g = *game;
    AddTroops(g, 1, 3, {4, 2, 1});
    AddTroops(g, 1, 1, {5});  // home defence
    AddTroops(g, 1, 2, {6});
    AddTroops(g, 3, 1, {3});
    g.mGos[1].FreeSoldiers = 2;
    g.mGos[1].Soldiers += 2;
    int front = PostGeneral(g, 1, 3, OrderAttack, "Ратибор");
    int home = PostGeneral(g, 1, 1, OrderDefend, "Домослав");

    // State 2 takes the last cells of state 1 beside state 3.
    g.Map[7][4] = 2;
    g.Map[8][4] = 2;
    CheckFronts(g);

    EXPECT_EQ(g.mGos[1].Border[3].Touches, 0);
    EXPECT_EQ(g.mGos[1].NeighbourCount, 1);
    EXPECT_EQ(g.mGos[1].Territory, 30);
    for (int t = 1; t <= 3; ++t) EXPECT_EQ(g.mGos[1].Border[3].Troops[t], 0);
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 2 + 7);
    EXPECT_EQ(g.mGos[1].Border[1].Troops[1], 5);
    EXPECT_EQ(g.mGos[1].Border[2].Troops[1], 6);
    EXPECT_EQ(g.mGos[3].Border[1].Troops[1], 0);
    EXPECT_EQ(g.mGos[3].FreeSoldiers, 3);

    EXPECT_EQ(g.mGeneral[front].Front, 0);
    EXPECT_EQ(g.mGeneral[front].Order, OrderRest);
    EXPECT_EQ(g.mGeneral[front].Owner, 1);  // still hired
    EXPECT_EQ(g.mGos[1].Border[3].Commander, 0);
    EXPECT_EQ(g.mGeneral[home].Front, 1);
    EXPECT_EQ(g.mGos[1].Border[1].Commander, home);

    ASSERT_EQ(g.MesList.Count(), 1);
    const TMesRec& m = g.MesList[0];
    EXPECT_EQ(m.Kind, MesForState);
    EXPECT_EQ(m.Gos, 1);
    EXPECT_EQ(m.Color, color::Blue);
    EXPECT_EQ(m.Text.utf8(),
              "В связи с изменением границы, Ваш генерал Ратибор остался не у дел, и был с почётом отправлен на "
              "заслуженный отдых");
}

TEST(CheckFronts, StatesMeetingOnlyAtACornerDoNotTouch) {
    auto game = MakeGame({"13", "32"});
    EXPECT_EQ(game->mGos[1].Border[2].Touches, 0);
    EXPECT_EQ(game->mGos[2].Border[1].Touches, 0);
    EXPECT_EQ(game->mGos[1].Border[3].Touches, 1);
    EXPECT_EQ(game->mGos[3].NeighbourCount, 2);
}

TEST(CheckFronts, DestroyedStateTouchesNobodyAndKeepsItsArmy) {
    auto game = MakeGame(ThreeStates);
    Game& g = *game;
    AddTroops(g, 3, 2, {4});
    int general = PostGeneral(g, 3, 2, OrderDefend);
    g.Map[7][5] = 2;
    g.Map[8][5] = 2;
    g.mGos[3].Alive = 0;
    CheckFronts(g);

    EXPECT_EQ(g.LivingCount, 2);
    EXPECT_EQ(g.mGos[3].Territory, 0);
    EXPECT_EQ(g.mGos[3].NeighbourCount, 0);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(g.mGos[3].Border[k].Touches, 0);
        EXPECT_EQ(g.mGos[k].Border[3].Touches, 0);
    }
    EXPECT_EQ(g.mGos[1].NeighbourCount, 1);
    // Its soldiers stay where they were; its general is sent to rest like any other.
    EXPECT_EQ(g.mGos[3].Border[2].Troops[1], 4);
    EXPECT_EQ(g.mGeneral[general].Front, 0);
}

TEST(CheckFronts, BrokenBookkeepingStopsBeforeTheRebuild) {
    auto game = MakeGame(ThreeStates);
    game->mGos[2].Soldiers = 5;
    game->Map[1][1] = 2;
    EXPECT_THROW(CheckFronts(*game), StateError);
    EXPECT_EQ(game->mGos[2].Territory, 30);
}

TEST(CheckFronts, CellsOfNoStateCountForNobody) {
    auto game = MakeGame({"1122", "1122", "1122", "1122"});
    game->Map[1][1] = 0;
    game->Map[2][2] = 77;  // a damaged map
    CheckFronts(*game);
    EXPECT_EQ(game->mGos[1].Territory, 6);
    EXPECT_EQ(game->mGos[1].NeighbourCount, 1);
}

TEST(BorderWeight, CornerHalvesTheBordersPlusOne) {
    auto corner = MakeGame({"11222", "11322", "14333", "44333", "44333"});
    EXPECT_EQ(corner->mGos[1].NeighbourCount, 3);
    EXPECT_EQ(BorderWeight(*corner, 1), 2);

    auto cross = MakeGame({"11522", "11522", "55555", "33544", "33544"});
    EXPECT_EQ(BorderWeight(*cross, 5), 4);
    EXPECT_EQ(BorderWeight(*cross, 1), 1);
}

TEST(TroopsOnBorder, CountsOnlyTheKindsInUse) {
    auto game = MakeGame(ThreeStates);
    game->mGos[1].Border[2].Troops = {{3, 4, 5, 100, 100}};
    EXPECT_EQ(TroopsOnBorder(*game, 1, 2), 12);
}

}  // namespace
}  // namespace korvant
