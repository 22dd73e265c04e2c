// The generals grid: its rows and cells, and the orders its double-clicks give.
#include <gtest/gtest.h>

#include "core/check_state.h"
#include "screen/generals_grid.h"
#include "support/small_game.h"

namespace korvant {
namespace {

const std::vector<std::string> ThreeStates = {
    "222",  //
    "111",  //
    "333",  //
};

TEST(GeneralsGrid, RowsFollowTheSlotsAndCellsTheGeneral) {
    auto game = test::MakeGame(ThreeStates);
    Game& g = *game;
    EXPECT_TRUE(GeneralsOf(g, 1).empty());
    test::AddTroops(g, 1, 2, {12});
    const int attacker = test::PostGeneral(g, 1, 2, OrderAttack, "Кутузов");
    const int home = test::PostGeneral(g, 1, 1, OrderDefend);
    const int idle = test::PostGeneral(g, 1, 0, OrderStudy);
    g.mGos[2].Name.set("Длинноеимягос");
    EXPECT_EQ(GeneralsOf(g, 1), (std::vector<int>{attacker, home, idle}));

    const auto a = GeneralCells(g, 1, attacker);
    EXPECT_EQ(a[ColSlot], std::to_string(attacker));
    EXPECT_EQ(a[ColFront], " Длинноеимягос");  // a full name just fits the 14 characters
    EXPECT_EQ(a[ColSoldiers], "   12");
    EXPECT_EQ(a[ColName], "Кутузов");
    EXPECT_EQ(a[ColOrder], "Нападать");
    EXPECT_EQ(a[ColSpeed], "   " + std::to_string(g.mGeneral[attacker].Speed));
    EXPECT_EQ(a[ColAge], "     " + std::to_string(g.mGeneral[attacker].Age));
    EXPECT_EQ(GeneralCells(g, 1, home)[ColSoldiers], "в защите");
    const auto i = GeneralCells(g, 1, idle);
    EXPECT_EQ(i[ColFront], "нет");
    EXPECT_EQ(i[ColSoldiers], "");
    EXPECT_EQ(i[ColOrder], "Учиться");
}

TEST(GeneralsGrid, PlacingNeedsAFreeBorderAndWithdrawingRests) {
    auto game = test::MakeGame(ThreeStates);
    Game& g = *game;
    const int a = test::PostGeneral(g, 1, 0, OrderRest);
    const int b = test::PostGeneral(g, 1, 0, OrderRest);
    PlaceOrWithdraw(g, 1, a, 2);
    EXPECT_EQ(g.mGeneral[a].Front, 2);
    EXPECT_EQ(g.mGeneral[a].Order, OrderAttack);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, a);
    PlaceOrWithdraw(g, 1, b, 2);  // taken: nothing changes
    EXPECT_EQ(g.mGeneral[b].Front, 0);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, a);
    // An attacker keeps his order; withdrawing him sets him to rest.
    CycleOrder(g, 1, a);
    EXPECT_EQ(g.mGeneral[a].Order, OrderAttack);
    PlaceOrWithdraw(g, 1, a, 3);
    EXPECT_EQ(g.mGeneral[a].Front, 0);
    EXPECT_EQ(g.mGeneral[a].Order, OrderRest);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, 0);
}

TEST(GeneralsGrid, OrdersCycleThroughTheHomeDefenceWhenItIsFree) {
    auto game = test::MakeGame(ThreeStates);
    Game& g = *game;
    const int a = test::PostGeneral(g, 1, 0, OrderRest);
    CycleOrder(g, 1, a);
    EXPECT_EQ(g.mGeneral[a].Order, OrderStudy);
    CycleOrder(g, 1, a);
    EXPECT_EQ(g.mGeneral[a].Order, OrderDefend);
    EXPECT_EQ(g.mGeneral[a].Front, 1);
    EXPECT_EQ(g.mGos[1].Border[1].Commander, a);
    // With the home defence taken: rest → study → rest.
    const int b = test::PostGeneral(g, 1, 0, OrderRest);
    CycleOrder(g, 1, b);
    CycleOrder(g, 1, b);
    EXPECT_EQ(g.mGeneral[b].Order, OrderRest);
    EXPECT_EQ(g.mGeneral[b].Front, 0);
    CycleOrder(g, 1, a);
    EXPECT_EQ(g.mGeneral[a].Order, OrderRest);
    EXPECT_EQ(g.mGeneral[a].Front, 0);
    EXPECT_EQ(g.mGos[1].Border[1].Commander, 0);
}

TEST(GeneralsGrid, AHomeDefenceLeftOnABorderLeavesItWhenSentToRest) {
    auto game = test::MakeGame(ThreeStates);
    Game& g = *game;
    // A battle without attackers left him on the border with 2.
    const int a = test::PostGeneral(g, 1, 2, OrderDefend);
    CycleOrder(g, 1, a);
    EXPECT_EQ(g.mGeneral[a].Front, 0);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, 0);
    EXPECT_NO_THROW(CheckState(g, "x"));
}

TEST(GeneralsGrid, OnlyGeneralsWithoutAPostAreDismissedAndAllRestClearsEveryPost) {
    auto game = test::MakeGame(ThreeStates);
    Game& g = *game;
    const int home = test::PostGeneral(g, 1, 1, OrderDefend);
    const int attacker = test::PostGeneral(g, 1, 3, OrderAttack);
    const int idle = test::PostGeneral(g, 1, 0, OrderRest);
    EXPECT_FALSE(MayDismiss(g, home));
    EXPECT_TRUE(MayDismiss(g, idle));
    DismissGeneral(g, 1, idle);
    EXPECT_EQ(g.mGeneral[idle].Owner, 0);
    EXPECT_EQ(g.mGos[1].GeneralCount, 2);
    EXPECT_EQ(GeneralsOf(g, 1), (std::vector<int>{home, attacker}));

    AllRest(g, 1);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(g.mGos[1].Border[k].Commander, 0);
    for (int s : {home, attacker}) {
        EXPECT_EQ(g.mGeneral[s].Front, 0);
        EXPECT_EQ(g.mGeneral[s].Order, OrderRest);
    }
}

}  // namespace
}  // namespace korvant
