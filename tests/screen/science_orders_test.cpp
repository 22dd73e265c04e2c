// The science tab's numbers and the orders that move scientists between sciences.
#include <gtest/gtest.h>

#include "screen/science_orders.h"
#include "support/small_game.h"

namespace korvant {
namespace {

class ScienceOrders : public ::testing::Test {
protected:
    ScienceOrders() : game(test::MakeGame({"11", "22"})), S(game->mGos[1]) {
        S.Science[SciResearch].Effect = 2;
        S.Science[SciAgrarian].Cost = 1000;
        S.Science[SciAgrarian].Progress = 400;
        for (int sc = 1; sc <= ScienceCount; ++sc) S.Science[sc].Staff = 0;
        S.Scientists = S.FreeScientists = 0;
    }
    int Total() const {
        int sum = S.FreeScientists;
        for (int sc = 1; sc <= ScienceCount; ++sc) sum += S.Science[sc].Staff;
        return sum;
    }
    std::unique_ptr<Game> game;
    TGos& S;
};

TEST_F(ScienceOrders, OneYearAsksForTheSmallestStaffThatReachesTheCost) {
    EXPECT_EQ(StaffForOneYear(*game, 1, SciAgrarian), 300);
    S.FreeScientists = 290;
    S.Science[SciAgrarian].Staff = 9;  // 299 in all: not enough
    EXPECT_FALSE(StaffOneYear(*game, 1, SciAgrarian));
    EXPECT_EQ(S.Science[SciAgrarian].Staff, 9);
    S.FreeScientists = 291;
    EXPECT_TRUE(StaffOneYear(*game, 1, SciAgrarian));
    EXPECT_EQ(S.Science[SciAgrarian].Staff, 300);
    EXPECT_EQ(S.FreeScientists, 0);
    // 599 / 2 = 299 leaves the science one point short: 300.
    S.Science[SciAgrarian].Progress = 401;
    EXPECT_EQ(StaffForOneYear(*game, 1, SciAgrarian), 300);
    S.Science[SciAgrarian].Progress = 402;
    EXPECT_EQ(StaffForOneYear(*game, 1, SciAgrarian), 299);
}

TEST_F(ScienceOrders, YearsGaugeAndEffect) {
    S.Science[SciResearch].Effect = 1;
    S.Science[SciAgrarian].Progress = 0;
    EXPECT_EQ(YearsToNextLevel(*game, 1, SciAgrarian), 99);
    S.Science[SciAgrarian].Staff = 1000;
    EXPECT_EQ(YearsToNextLevel(*game, 1, SciAgrarian), 1);  // Trunc(1000 / 1000.001 + 1)
    S.Science[SciAgrarian].Staff = 400;
    EXPECT_EQ(YearsToNextLevel(*game, 1, SciAgrarian), 3);
    S.Science[SciAgrarian].Progress = 1000;
    EXPECT_EQ(YearsToNextLevel(*game, 1, SciAgrarian), 1);
    S.Science[SciAgrarian].Progress = 5000;  // past the cost: negative, shown as 0
    S.Science[SciAgrarian].Staff = 0;
    EXPECT_EQ(YearsToNextLevel(*game, 1, SciAgrarian), 0);
    S.Science[SciAgrarian].Progress = 100;
    S.Science[SciAgrarian].Staff = 7;
    S.Science[SciResearch].Effect = 1.5f;
    EXPECT_EQ(GaugePosition(*game, 1, SciAgrarian), 110);  // Trunc(10.5) + 100
    S.Science[SciAgrarian].Effect = 2.345f;
    EXPECT_EQ(EffectText(*game, 1, SciAgrarian), "2.35");
    S.Science[SciMilitary].Effect = 130;
    EXPECT_EQ(EffectText(*game, 1, SciMilitary), "1.30");
    EXPECT_EQ(SpinStep(0, RebuildStepDivisor), 1);
    EXPECT_EQ(SpinStep(60, RebuildStepDivisor), 3);
    EXPECT_EQ(SpinStep(60, ChangeStepDivisor), 5);
}

TEST_F(ScienceOrders, MaxMinAndFreeAllKeepEveryScientist) {
    S.FreeScientists = 50;
    StaffAll(*game, 1, SciDensity);
    EXPECT_EQ(S.Science[SciDensity].Staff, 50);
    S.FreeScientists = 20;
    // "Max" on another science only takes the free ones.
    StaffAll(*game, 1, SciGrowth);
    EXPECT_EQ(S.Science[SciDensity].Staff, 50);
    EXPECT_EQ(S.Science[SciGrowth].Staff, 20);
    StaffAll(*game, 1, SciGrowth);
    EXPECT_EQ(S.Science[SciGrowth].Staff, 20);
    EXPECT_TRUE(SetStaff(*game, 1, SciGrowth, 5));
    EXPECT_EQ(S.FreeScientists, 15);
    EXPECT_TRUE(SetStaff(*game, 1, SciGrowth, 1000));  // beyond the edit's maximum
    EXPECT_EQ(S.Science[SciGrowth].Staff, 20);
    StaffNone(*game, 1, SciDensity);
    EXPECT_EQ(S.FreeScientists, 50);
    EXPECT_EQ(Total(), 70);
    FreeAllScientists(*game, 1);
    EXPECT_EQ(S.FreeScientists, 70);
    EXPECT_EQ(Total(), 70);
}

TEST_F(ScienceOrders, WithNobodyTheSpinEditSpringsBack) {
    EXPECT_FALSE(SetStaff(*game, 1, SciFinance, 3));
    EXPECT_EQ(S.Science[SciFinance].Staff, 0);
    EXPECT_EQ(S.FreeScientists, 0);
    StaffAll(*game, 1, SciFinance);
    EXPECT_EQ(S.Science[SciFinance].Staff, 0);
}

}  // namespace
}  // namespace korvant
