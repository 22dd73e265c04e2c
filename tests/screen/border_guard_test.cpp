// The border guard: neighbours, idle soldiers going home, and the soldiers panel's moves.
#include <gtest/gtest.h>

#include "screen/border_guard.h"
#include "screen/generals_grid.h"
#include "sim/borders.h"
#include "support/small_game.h"

namespace korvant {
namespace {

const std::vector<std::string> ThreeStates = {
    "222",  //
    "111",  //
    "333",  //
};

class BorderGuard : public ::testing::Test {
protected:
    BorderGuard() : game(test::MakeGame(ThreeStates)), g(*game) {
        g.mGos[1].Soldiers = g.mGos[1].FreeSoldiers = 100;
        test::AddTroops(g, 1, 2, {20});
        attacker = test::PostGeneral(g, 1, 2, OrderAttack);
        g.mGeneral[attacker].Speed = 83;
    }
    std::unique_ptr<Game> game;
    Game& g;
    int attacker = 0;
};

TEST_F(BorderGuard, NeighboursAreListedInStateOrderAndFoundByName) {
    EXPECT_EQ(NeighboursOf(g, 1), (std::vector<int>{2, 3}));
    EXPECT_EQ(NeighboursOf(g, 2), (std::vector<int>{1}));
    g.mGos[3].Name.set("Gos2");
    EXPECT_EQ(StateNamed(g, "Gos2"), 3);  // the last of equal names
    EXPECT_EQ(StateNamed(g, "Nobody"), 0);
}

TEST_F(BorderGuard, TheBarRunsOverTheBorderAndTheFreeSoldiers) {
    SoldierBar bar = SoldierBarFor(g, 1, attacker);
    EXPECT_TRUE(bar.shown);
    EXPECT_EQ(bar.maximum, 120);
    EXPECT_EQ(bar.position, 20);
    ASSERT_TRUE(MoveSoldiers(g, 1, attacker, 120));
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 0);
    EXPECT_EQ(TroopsOnBorder(g, 1, 2), 120);
    ASSERT_TRUE(MoveSoldiers(g, 1, attacker, 1));
    bar = SoldierBarFor(g, 1, attacker);
    EXPECT_EQ(bar.distance, 1);  // speed 83, one soldier: Trunc(1.2 × 0.9995)
    ASSERT_TRUE(MoveSoldiers(g, 1, attacker, 0));
    EXPECT_EQ(SoldierBarFor(g, 1, attacker).distance, 0);
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 120);
}

TEST_F(BorderGuard, AMoveThatBreaksTheCountIsUndone) {
    g.mGos[1].Border[2].Troops[2] = 5;  // not gathered into the first slot: the count breaks
    EXPECT_FALSE(MoveSoldiers(g, 1, attacker, 50));
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 100);
    EXPECT_EQ(g.mGos[1].Border[2].Troops[1], 20);
}

TEST_F(BorderGuard, SoldiersWithoutAnAttackingGeneralGoHome) {
    test::AddTroops(g, 1, 3, {7});  // no general on this border
    test::AddTroops(g, 1, 1, {4});  // home defence
    ReturnIdleSoldiers(g, 1);
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 111);
    EXPECT_EQ(TroopsOnBorder(g, 1, 2), 20);
    // Resting or defending hides the bar, and the next redraw brings his soldiers home.
    CycleOrder(g, 1, attacker);  // an attacker keeps his order
    PlaceOrWithdraw(g, 1, attacker, 0);
    EXPECT_FALSE(SoldierBarFor(g, 1, attacker).shown);
    ReturnIdleSoldiers(g, 1);
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 131);
    EXPECT_EQ(g.mGos[1].Soldiers, 131);
}

}  // namespace
}  // namespace korvant
