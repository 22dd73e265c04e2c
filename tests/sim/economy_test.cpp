#include "sim/economy.h"

#include <gtest/gtest.h>

#include "core/colors.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;

// Texts for the messages that have no built-in text, so that their numbers can be read.
const test::TestTexts Numbers({{Msg::NoMoreLand, "full"},
                               {Msg::PopulationGrew, "born %d"},
                               {Msg::DensityRaised, "density %d"},
                               {Msg::ResearchRaised, "science %d"},
                               {Msg::ScientistsPaid, "sci paid %d"},
                               {Msg::ScientistsPaidFromGrain, "sci grain %d"},
                               {Msg::AllScientistsLeft, "sci all gone"},
                               {Msg::UnpaidScientistsLeft, "sci gone %d"},
                               {Msg::ArmyPaid, "army paid %d"},
                               {Msg::ArmyPaidFromGrain, "army grain %d"},
                               {Msg::AllSoldiersDeserted, "army all gone"},
                               {Msg::UnpaidSoldiersDeserted, "army gone %d"}});

std::unique_ptr<Game> OneState() {
    auto game = MakeGame({"1111", "1111", "1111", "1122"});
    game->Texts = &Numbers;
    return game;
}

int AllTroops(const Game& g, int s) {
    int sum = 0;
    for (int k = 1; k <= g.GosCount; ++k)
        for (int t = 1; t <= g.KindCount(); ++t) sum += g.mGos[s].Border[k].Troops[t];
    return sum;
}

std::vector<std::string> Texts(const Game& g) {
    std::vector<std::string> out;
    for (const TMesRec& m : g.MesList.entries()) out.push_back(m.Text.utf8());
    return out;
}

TEST(Wage, IsTheTruncatedPower) {
    EXPECT_EQ(Wage(10, SoldierWageExponent), 63);
    EXPECT_EQ(Wage(10, ScientistWageExponent), 39);
    EXPECT_EQ(Wage(1000, SoldierWageExponent), 251188);
    EXPECT_EQ(Wage(1, SoldierWageExponent), 1);
    EXPECT_EQ(Wage(0, SoldierWageExponent), 0);
    EXPECT_EQ(Wage(-3, SoldierWageExponent), 0);
}

TEST(SowableCells, LimitedByPeasantsLandAndSeed) {
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Territory = 100;
    gos.Peasants = 60;
    gos.Sown = 20;
    gos.Grain = 100;
    gos.Science[SciAgrarian].Effect = 2;
    EXPECT_EQ(SowableCells(*game, 1), 40);
    gos.Grain = 61;
    EXPECT_EQ(SowableCells(*game, 1), 30);
    gos.Sown = 70;
    EXPECT_EQ(SowableCells(*game, 1), 0);
    gos.Sown = 0;
    gos.Grain = -5;
    EXPECT_EQ(SowableCells(*game, 1), 0);
}

TEST(Harvest, ReapsOnlyTheLandStillHeld) {
    auto game = OneState();
    Game& g = *game;
    TGos& gos = g.mGos[1];
    g.Year = 7;
    gos.Territory = 10;
    gos.Sown = 14;  // four sown cells were lost in battle
    gos.Grain = 5;
    gos.Science[SciAgrarian].Effect = 1.25f;
    gos.Science[SciFinance].Effect = 10.5f;
    Harvest(g, 1);
    EXPECT_EQ(gos.Grain, 5 + 24);  // 2 * Trunc(10 * 1.25)
    EXPECT_EQ(gos.Sown, 0);
    EXPECT_EQ(g.History[1][7].Grown, 24);
    ASSERT_EQ(g.MesList.Count(), 1);
    EXPECT_EQ(g.MesList[0].Text.utf8(), "Ваши крестьяне вырастили 24 тонны зерна, на сумму 252 $");
    EXPECT_EQ(g.MesList[0].Color, color::Green);
    EXPECT_EQ(g.MesList[0].Kind, MesForState);
}

struct GrowthCase {
    int peasants, scientists, soldiers;
    int expectPeasants;
    const char* message;
};

class GrowthAtTheCap : public ::testing::TestWithParam<GrowthCase> {};

// Territory 100 at one person per cell, 3 % growth.
TEST_P(GrowthAtTheCap, GrowsUpToTheLimit) {
    const GrowthCase& c = GetParam();
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Territory = 100;
    gos.Peasants = c.peasants;
    gos.Scientists = c.scientists;
    gos.Soldiers = c.soldiers;
    Growth(*game, 1);
    EXPECT_EQ(gos.Peasants, c.expectPeasants);
    ASSERT_EQ(game->MesList.Count(), 1);
    EXPECT_EQ(game->MesList[0].Text.utf8(), c.message);
    EXPECT_EQ(game->MesList[0].Color, std::string(c.message) == "full" ? color::Red : color::Blue);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrowthAtTheCap,
                         ::testing::Values(GrowthCase{80, 10, 5, 84, "born 4"},   // 95 + 4 fits
                                           GrowthCase{83, 10, 5, 85, "full"},     // 98 + 4 filled to 100
                                           GrowthCase{96, 20, 4, 96, "full"},     // 120 is already over
                                           GrowthCase{40, 5, 5, 42, "born 2"}));  // 2.5 rounds to even

TEST(Research, OneLevelAYearWithTheRestCarriedOver) {
    auto game = OneState();
    Game& g = *game;
    TScience& density = g.mGos[1].Science[SciDensity];
    density.Progress = 250;  // enough for two levels
    Research(g, 1);
    EXPECT_EQ(density.Level, 1);
    EXPECT_EQ(density.Progress, 150);
    EXPECT_EQ(density.Cost, 137);  // Round(100 + 20 + 20 / 1.2 * 1)
    EXPECT_FLOAT_EQ(density.Effect, 1.084f);
    Research(g, 1);
    EXPECT_EQ(density.Level, 2);
    EXPECT_EQ(density.Progress, 13);
    EXPECT_EQ(density.Cost, 190);  // Round(137 + 20 + 20 / 1.2 * 2)
    EXPECT_FLOAT_EQ(density.Effect, 1.084f + 0.07f + 0.028f);
    EXPECT_EQ(Texts(g), (std::vector<std::string>{"density 1", "density 2"}));
    EXPECT_EQ(g.MesList[0].Color, color::Navy);
}

TEST(Research, EveryScienceGathersAtTheScientificRate) {
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Science[SciResearch].Effect = 1.5f;
    gos.Science[SciGrowth].Staff = 7;
    gos.Science[SciGrowth].Progress = 3;
    gos.Science[SciResearch].Staff = 67;
    Research(*game, 1);
    EXPECT_EQ(gos.Science[SciGrowth].Progress, 13);  // Trunc(7 * 1.5 + 3)
    EXPECT_EQ(gos.Science[SciGrowth].Staff, 7);
    EXPECT_EQ(gos.Science[SciResearch].Level, 1);
    EXPECT_EQ(gos.Science[SciResearch].Progress, 0);
    EXPECT_EQ(Texts(*game), (std::vector<std::string>{"science 1"}));
}

TEST(PayWages, PaysFromTheTreasury) {
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Money = 200;
    gos.Scientists = 10;
    gos.Soldiers = 10;
    gos.FreeSoldiers = 10;
    PayWages(*game, 1);
    EXPECT_EQ(gos.Money, 200 - 39 - 63);
    EXPECT_EQ(Texts(*game), (std::vector<std::string>{"sci paid 39", "army paid 63"}));
    EXPECT_EQ(game->MesList[0].Color, color::Olive);
}

TEST(PayWages, NobodyToPayMeansNoMessage) {
    auto game = OneState();
    game->mGos[1].Money = 0;
    PayWages(*game, 1);
    EXPECT_EQ(game->MesList.Count(), 0);
}

TEST(PayWages, SellsGrainBeyondNextYearsSeed) {
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Money = 20;
    gos.Scientists = 10;  // wage 39
    gos.FreeScientists = 10;
    gos.Territory = 10;
    gos.Peasants = 10;
    gos.Grain = 100;
    PayWages(*game, 1);
    // Ten cells could still be sown: 11 tons are kept back, 89 sold at 10 $.
    EXPECT_EQ(gos.Grain, 11);
    EXPECT_EQ(gos.Money, 890 + 20 - 39);
    EXPECT_EQ(gos.Scientists, 10);
    EXPECT_EQ(Texts(*game), (std::vector<std::string>{"sci grain 890", "sci paid 39"}));
}

TEST(PayWages, UnpaidScientistsLeaveInProportion) {
    auto game = OneState();
    TGos& gos = game->mGos[1];
    gos.Money = 13;
    gos.Scientists = 10;  // wage 39
    gos.FreeScientists = 4;
    gos.Science[SciGrowth].Staff = 6;
    PayWages(*game, 1);
    // Trunc((1 - 13/39) * 10) + 1 = 7 leave.
    EXPECT_EQ(gos.Scientists, 3);
    EXPECT_EQ(gos.FreeScientists, 3);
    EXPECT_EQ(gos.Science[SciGrowth].Staff, 0);
    EXPECT_EQ(gos.Money, 0);
    EXPECT_EQ(Texts(*game), (std::vector<std::string>{"sci gone 7"}));
    EXPECT_EQ(game->MesList[0].Color, color::Red);
}

TEST(PayWages, UnpaidArmyLeavesItsBordersButGeneralsStay) {
    auto game = OneState();
    Game& g = *game;
    TGos& gos = g.mGos[1];
    gos.Money = 0;
    gos.Grain = 0;
    AddTroops(g, 1, 2, {3, 3});
    AddTroops(g, 1, 1, {4});  // wage Trunc(10 ^ 1.8) = 63, nothing to pay it with
    int general = PostGeneral(g, 1, 2, OrderDefend);
    PayWages(g, 1);
    EXPECT_EQ(gos.Soldiers, 0);
    EXPECT_EQ(gos.FreeSoldiers, 0);
    EXPECT_EQ(AllTroops(g, 1), 0);
    EXPECT_EQ(gos.Border[2].Commander, general);
    EXPECT_EQ(Texts(g), (std::vector<std::string>{"army all gone"}));
}

}  // namespace
}  // namespace korvant
