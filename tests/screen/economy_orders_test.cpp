// The economy tab's numbers and orders on a small state whose levels the tests set.
#include <gtest/gtest.h>

#include "core/colors.h"
#include "screen/economy_orders.h"
#include "support/small_game.h"

namespace korvant {
namespace {

class EconomyOrders : public ::testing::Test {
protected:
    EconomyOrders() : game(test::MakeGame({"11", "22"})) {
        S().Territory = 100;
        S().Peasants = 60;
        S().Scientists = S().Soldiers = S().FreeScientists = S().FreeSoldiers = 0;
        S().Sown = 20;
        S().Grain = 100;
        S().Money = 1000;
        Effects(10, 2, 2, 1.5f);
    }
    TGos& S() { return game->mGos[1]; }
    void Effects(float density, float growth, float agrarian, float finance) {
        S().Science[SciDensity].Effect = density;
        S().Science[SciGrowth].Effect = growth;
        S().Science[SciAgrarian].Effect = agrarian;
        S().Science[SciFinance].Effect = finance;
    }
    std::unique_ptr<Game> game;
};

TEST_F(EconomyOrders, OutlookFollowsTheStateAndItsLevels) {
    S().Scientists = 10;
    S().Soldiers = 5;
    const EconomyOutlook o = OutlookOf(*game, 1);
    EXPECT_EQ(o.population, 75);
    EXPECT_EQ(o.maxPopulation, 1000);
    EXPECT_EQ(o.sowable, 40);  // min(60 - 20, 100 / 2)
    EXPECT_EQ(o.harvest, 80);
    EXPECT_EQ(o.growth, 2);         // Round(2.5): halves go to even
    EXPECT_EQ(o.scienceWages, 39);  // Trunc(10 ^ 1.6) = Trunc(39.81)
    EXPECT_EQ(o.armyWages, 18);     // Trunc(5 ^ 1.8) = Trunc(18.12)
    EXPECT_EQ(o.profit, 60 - 39 - 18);
}

TEST_F(EconomyOrders, WithoutStaffTheBalanceIsTheSownGrainsValue) {
    Effects(10, 2, 2.5f, 1.3f);
    S().Sown = 7;
    // 7 × 2.5 × 1.3 = 22.75: nothing paid, rounded to 23.
    EXPECT_EQ(OutlookOf(*game, 1).profit, 23);
}

TEST_F(EconomyOrders, BalanceColourTurnsRedOnlyBelowZero) {
    EXPECT_EQ(MoneyText(-5), "-5 $");
    EXPECT_EQ(BalanceColour(-5), color::Red);
    EXPECT_EQ(MoneyText(0), "0 $");
    EXPECT_EQ(BalanceColour(0), color::Black);
}

TEST_F(EconomyOrders, PricesOfGrainAndTraining) {
    Effects(10, 2, 2.5f, 1.5f);
    EXPECT_EQ(SeedGrain(*game, 1, 3), 7);  // Trunc(7.5)
    EXPECT_EQ(SaleValue(*game, 1, 5), 8);  // Round(7.5), half to even
    EXPECT_EQ(PurchaseCost(*game, 1, 5), 15);
    EXPECT_EQ(PurchaseLimit(*game, 1), 333);  // Trunc(1000 / 3)
    // Training costs 100 a head whatever the levels.
    EXPECT_EQ(TrainingCost(3), 300);
    S().Money = 299;
    EXPECT_EQ(TrainingCostColour(*game, 1, 300), color::Red);
    S().Money = 300;
    EXPECT_EQ(TrainingCostColour(*game, 1, 300), color::Olive);
}

TEST_F(EconomyOrders, NoFinancialLevelMeansNothingToBuy) {
    Effects(10, 2, 2, 0);
    EXPECT_EQ(PurchaseLimit(*game, 1), 0);
}

TEST_F(EconomyOrders, TrainingLimitKeepsTheClassUnderTheCap) {
    S().Money = 10'000'000;
    S().Peasants = 100'000;
    S().Sown = 60000;
    Effects(10, 2, 100, 100);  // the sown grain pays any wages
    S().Scientists = 39990;
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 10);
    S().Soldiers = 39999;
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Soldiers), 1);
    // A class already past the cap offers nothing rather than a negative amount.
    S().Scientists = 40005;
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 0);
}

TEST_F(EconomyOrders, TrainingLimitIsBoundByMoneyPeasantsAndNextYearsWages) {
    S().Money = 1000;
    S().Sown = 0;
    S().Peasants = 5;
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 5);
    S().Peasants = 1000;
    // E people: E × 100 + Trunc(E ^ 1.6) <= 1000 holds up to E = 9 (900 + 33).
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 9);
    // Soldiers cost more in wages: 9 soldiers ask Trunc(9 ^ 1.8) = 52, still within 100.
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Soldiers), 9);
    // The other class's wages count too.
    S().Soldiers = 20;  // Trunc(20 ^ 1.8) = 219
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 7);
    // The sown grain's value helps.
    S().Sown = 100;  // 100 × 2 × 1.5 = 300: ten people's wages of 39 + 219 fit
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 10);
    S().Money = 99;
    EXPECT_EQ(TrainingLimit(*game, 1, Staff::Scientists), 0);
}

TEST_F(EconomyOrders, AffordableAmountIgnoresTheSownGrain) {
    S().Money = 1000;
    S().Sown = 1000;
    EXPECT_EQ(AffordableTraining(*game, 1, Staff::Scientists, 0, 50), 9);
    EXPECT_EQ(AffordableTraining(*game, 1, Staff::Scientists, 0, 4), 4);
    S().Soldiers = 20;
    EXPECT_EQ(AffordableTraining(*game, 1, Staff::Scientists, 0, 50), 7);
    // Not even the first person is affordable: the bar stays at its minimum.
    S().Money = 50;
    EXPECT_EQ(AffordableTraining(*game, 1, Staff::Soldiers, 0, 50), 0);
}

TEST_F(EconomyOrders, OrdersMoveGrainMoneyAndPeople) {
    Effects(10, 2, 2.5f, 1.5f);
    Sow(*game, 1, 3);
    EXPECT_EQ(S().Grain, 93);
    EXPECT_EQ(S().Sown, 23);
    Sow(*game, 1, 0);
    EXPECT_EQ(S().Grain, 93);

    SellGrain(*game, 1, 5);
    EXPECT_EQ(S().Money, 1008);
    EXPECT_EQ(S().Grain, 88);

    BuyGrain(*game, 1, 10);
    EXPECT_EQ(S().Money, 978);
    EXPECT_EQ(S().Grain, 98);
}

TEST_F(EconomyOrders, BuyingNeverLeavesMoneyNegative) {
    S().Money = 10;
    BuyGrain(*game, 1, 5);  // costs 15
    EXPECT_EQ(S().Money, 0);
    EXPECT_EQ(S().Grain, 105);
}

TEST_F(EconomyOrders, TrainingIsRefusedWithoutMoneyAndDismissalTakesOnlyTheFree) {
    S().Money = 299;
    EXPECT_FALSE(Train(*game, 1, Staff::Scientists, 3));
    EXPECT_EQ(S().Money, 299);
    EXPECT_EQ(S().Scientists, 0);
    EXPECT_EQ(S().Peasants, 60);

    S().Money = 300;
    EXPECT_TRUE(Train(*game, 1, Staff::Soldiers, 3));
    EXPECT_EQ(S().Money, 0);
    EXPECT_EQ(S().Soldiers, 3);
    EXPECT_EQ(S().FreeSoldiers, 3);
    EXPECT_EQ(S().Peasants, 57);

    Dismiss(*game, 1, Staff::Soldiers, 2);
    EXPECT_EQ(S().Soldiers, 1);
    EXPECT_EQ(S().FreeSoldiers, 1);
    EXPECT_EQ(S().Peasants, 59);
}

}  // namespace
}  // namespace korvant
