#include <gtest/gtest.h>

#include <numeric>

#include "sim/computer_economy.h"
#include "sim/computer_staffing.h"
#include "support/headless_log.h"
#include "support/seeded_draws.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::MakeGame;
using test::SeedAfter;
using test::SeedWithDraws;

// Two states of eight cells each: 8 cells per state make the prices small.
std::unique_ptr<Game> TwoStates() { return MakeGame({"1122", "1122", "1122", "1122"}); }

struct Bought {
    int age, knowledge, attestation, speed;
    bool operator==(const Bought&) const = default;
};

Bought Hired(const Game& game, int slot) {
    const TCommander& g = game.mGeneral[slot];
    return {g.Age, g.Knowledge, g.Attestation, g.Speed};
}

TEST(GeneralPrice, FollowsSpeedKnowledgeTalentAgeAndLandPerState) {
    // 40 x 40 for 8 states: Trunc(0.3 ^ 1.15) = 0, so (0 + 1) x 200 x 0.5 x 18 / 2.
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 4, 1), 900);
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 4, 0), 900);   // Trunc(0 ^ 1.15) is 0 as well
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 1, 1), 50);    // no talent multiplier
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 5, 1), 1800);  // x 36
    EXPECT_EQ(GeneralPrice(40, 8, 15, 1, 4, 1), 1800);  // half the age, twice the price
    // (0.3 x 100) ^ 1.15 = 49.97..., so the speed factor is 50.
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 4, 100), 45000);

    Game game;
    game.MapSize = 40;
    game.GosCount = 8;
    EXPECT_EQ(GeneralPrice(game, 30, 1, 4, 1), 900);
}

TEST(GeneralPrice, ImpossibleQualitiesAreBeyondAnyPurse) {
    EXPECT_EQ(GeneralPrice(40, 8, 0, 1, 4, 1), INT32_MAX);
    EXPECT_EQ(GeneralPrice(40, 0, 30, 1, 4, 1), INT32_MAX);
    EXPECT_EQ(GeneralPrice(40, 8, 30, -5, 4, 1), INT32_MAX);  // would otherwise pay the buyer
    EXPECT_EQ(GeneralPrice(40, 8, 30, 1, 4, -1), INT32_MAX);
}

TEST(UrgentPurchase, WalksThePathToTheLastAffordableCandidateWithoutDrawing) {
    auto game = TwoStates();
    test::PostGeneral(*game, 1, 0, OrderStudy);  // slot 1 is taken, so slot 21 is the first free one
    game->Rng.setSeed(77);
    // The second candidate of the path: two years younger, five more knowledge, one more speed.
    game->mGos[1].Money = GeneralPrice(*game, 28, 6, 3, 1);
    BuyGeneral(*game, 1, true);

    EXPECT_EQ(Hired(*game, 21), (Bought{28, 6, 3, 1}));
    const TCommander& g = game->mGeneral[21];
    EXPECT_EQ(g.Owner, 1);
    EXPECT_EQ(g.Order, OrderRest);
    EXPECT_EQ(g.Front, 0);
    EXPECT_EQ(game->mGos[1].Money, 0);
    EXPECT_EQ(game->mGos[1].GeneralCount, 2);
    EXPECT_EQ(game->Rng.seed(), 77u);
}

TEST(UrgentPurchase, ARichStateStopsWhereEveryQualityIsAtItsLimit) {
    auto game = TwoStates();
    game->mGos[1].Money = 10'000'000;
    BuyGeneral(*game, 1, true);
    // Talent rises from the step in which knowledge passes 30; speed is the last to stop.
    EXPECT_EQ(Hired(*game, 1), (Bought{14, 31, 5, 96}));
    EXPECT_EQ(game->mGos[1].Money, 10'000'000 - GeneralPrice(*game, 14, 31, 5, 96));
}

TEST(UrgentPurchase, APoorStateBuysNothing) {
    auto game = TwoStates();
    game->mGos[1].Money = GeneralPrice(*game, 30, 1, 3, 0) - 1;
    BuyGeneral(*game, 1, true);
    EXPECT_EQ(game->mGeneral[1].Owner, 0);
    EXPECT_EQ(game->mGos[1].GeneralCount, 0);
    EXPECT_EQ(game->mGos[1].Money, GeneralPrice(*game, 30, 1, 3, 0) - 1);
}

TEST(BuyGeneral, AFullRosterShowsTheMessageAndBuysNothing) {
    auto game = TwoStates();
    for (int n = 0; n < 10; ++n) test::PostGeneral(*game, 2, 0, OrderRest);
    game->mGos[2].Money = 1'000'000;
    HeadlessUi* ui = &test::Headless(*game);
    BuyGeneral(*game, 2, false);
    ASSERT_EQ(ui->log.size(), 1u);
    EXPECT_EQ(ui->log[0], "Все генералы уже забиты, не могу купить");
    EXPECT_EQ(game->mGos[2].Money, 1'000'000);
    EXPECT_EQ(game->mGos[2].GeneralCount, 10);
}

TEST(ChosenPurchase, UnaffordableCandidatesCostNoDraws) {
    auto game = TwoStates();
    game->Rng.setSeed(5);
    BuyGeneral(*game, 1, false);
    // A discarded draw, the talent draw, Random(10); the twelve candidates are not affordable,
    // so the default is improved once (one talent draw; speed 0 becomes 1 without a draw).
    EXPECT_EQ(game->Rng.seed(), SeedAfter(5, 4));
    EXPECT_EQ(game->mGos[1].GeneralCount, 0);
}

TEST(ChosenPurchase, TheFirstAffordableFashionIsBoughtWhenItsImprovementIsNot) {
    auto game = TwoStates();
    // Draws: discarded, no extra talent, Random(10), the fashion's draw below 0.9.
    const uint32_t seed = SeedWithDraws({{0, 1}, {0.05L, 1}, {0, 1}, {0, 0.9L}});
    RandomGenerator peek(seed);
    peek.Real();
    peek.Real();
    const int r = peek.Random(10);
    game->Rng.setSeed(seed);
    game->mGos[1].Money = GeneralPrice(*game, 30, 30, 3, r + 80);
    BuyGeneral(*game, 1, false);

    EXPECT_EQ(Hired(*game, 1), (Bought{30, 30, 3, r + 80}));
    EXPECT_EQ(game->mGos[1].Money, 0);
    // Then one improvement: the talent draw, and the speed draw with its Random(0) when it succeeds.
    peek.Real();
    peek.Real();
    const uint32_t afterTalent = peek.seed();
    const bool faster = peek.Real() < 0.9L;
    EXPECT_EQ(game->Rng.seed(), SeedAfter(afterTalent, faster ? 2 : 1));
}

TEST(SaveOrBuyGeneral, PutsTheMoneyAsideWhenScientistsEatTheIncome) {
    auto game = TwoStates();
    game->Year = 25;
    TGos& gos = game->mGos[1];
    gos.Sown = 10;       // income 10 x 1 x 10 = 100
    gos.Scientists = 8;  // wages Trunc(8 ^ 1.6) = 27, above a quarter of the income
    gos.FreeScientists = 8;
    gos.Money = 500;
    game->Rng.setSeed(3);
    EXPECT_EQ(SaveOrBuyGeneral(*game, 1, Mood{}), 500);
    EXPECT_EQ(gos.Money, 0);
    EXPECT_EQ(gos.SavingUp, 1);
    EXPECT_EQ(game->Rng.seed(), SeedAfter(3, 1));
}

TEST(SaveOrBuyGeneral, KeepsSavingWhileAGoodGeneralIsOutOfReach) {
    auto game = TwoStates();
    game->Year = 25;
    TGos& gos = game->mGos[1];
    gos.SavingUp = 1;
    gos.Money = GeneralPrice(*game, 20, 1, 4, 17);  // just enough: no more saving for that
    game->Rng.setSeed(SeedWithDraws({{0, 0.5L}, {0.5L, 1}}));
    const int32_t money = gos.Money;
    EXPECT_EQ(SaveOrBuyGeneral(*game, 1, Mood{}), 0);
    // It bought instead and stops saving.
    EXPECT_EQ(gos.SavingUp, 0);
    EXPECT_EQ(gos.GeneralCount, 1);
    EXPECT_LT(gos.Money, money);

    gos.SavingUp = 1;
    gos.Money = GeneralPrice(*game, 20, 1, 4, 17) - 1;
    game->Rng.setSeed(SeedWithDraws({{0, 0.5L}}));
    EXPECT_EQ(SaveOrBuyGeneral(*game, 1, Mood{}), GeneralPrice(*game, 20, 1, 4, 17) - 1);
    EXPECT_EQ(gos.Money, 0);
    EXPECT_EQ(gos.SavingUp, 1);
}

TEST(SaveOrBuyGeneral, InDangerTheSavingsAreNeitherKeptNorSpent) {
    auto game = TwoStates();
    game->Year = 25;
    TGos& gos = game->mGos[1];
    gos.SavingUp = 1;
    gos.Money = 1'000'000;
    Mood danger;
    danger.Danger = true;
    EXPECT_EQ(SaveOrBuyGeneral(*game, 1, danger), 0);
    EXPECT_EQ(gos.SavingUp, 0);
    EXPECT_EQ(gos.GeneralCount, 0);
    EXPECT_EQ(gos.Money, 1'000'000);
}

// State 1 with `peasants` on 8 cells and money to spare.
std::unique_ptr<Game> HiringState(int peasants) {
    auto game = TwoStates();
    game->mGos[1].Peasants = peasants;
    game->mGos[1].Money = 1'000'000;
    return game;
}

TEST(HirePeople, StopsAfterTheRoundInWhichPeasantsFallBelowTwoThirdsOfTheLand) {
    auto game = HiringState(30);
    game->mGos[1].Territory = 30;  // a round takes three scientists and a soldier
    HirePeople(*game, 1, 1, 1, Mood{});
    const TGos& gos = game->mGos[1];
    // 30 -> 26 -> 22 -> 18: 1.5 x 18 < 30 ends it.
    EXPECT_EQ(gos.Peasants, 18);
    EXPECT_EQ(gos.Scientists, 9);
    EXPECT_EQ(gos.FreeScientists, 9);
    EXPECT_EQ(gos.Soldiers, 3);
    EXPECT_EQ(gos.FreeSoldiers, 3);
    EXPECT_EQ(gos.Money, 1'000'000 - 1200);
}

TEST(HirePeople, InDangerTheFirstScientistOfARoundNeedsScientistsUnderATenthOfAPercent) {
    auto game = HiringState(1999);
    TGos& gos = game->mGos[1];
    gos.Scientists = gos.FreeScientists = 1;  // 1 of 2000
    gos.Sown = 8;                             // the seed pays the few scientists
    Mood danger;
    danger.Danger = true;
    HirePeople(*game, 1, 0.001L, 0, danger);
    EXPECT_EQ(gos.Scientists, 4);  // one round of three, then 4 of 2000 is too many
    EXPECT_EQ(gos.Peasants, 1996);
}

TEST(HirePeople, NeverSpendsTheLastHundred) {
    auto game = HiringState(30);
    game->mGos[1].Money = 350;
    HirePeople(*game, 1, 1, 1, Mood{});
    EXPECT_EQ(game->mGos[1].Money, 50);
    EXPECT_EQ(game->mGos[1].Scientists + game->mGos[1].Soldiers, 3);
}

TEST(HirePeople, NoNewScientistsWhenResearchOutrunsTheCosts) {
    auto game = HiringState(30);
    TGos& gos = game->mGos[1];
    gos.Scientists = gos.FreeScientists = 601;  // 601 points a year against costs of 600
    gos.Peasants = 1000;
    game->mGos[1].Territory = 30;
    HirePeople(*game, 1, 1, 0, Mood{});
    EXPECT_EQ(gos.Scientists, 601);
}

TEST(AssignScientists, StaffsOneLevelAndNeverTopsUp) {
    auto game = TwoStates();
    TGos& gos = game->mGos[1];
    gos.Scientists = gos.FreeScientists = 50;
    gos.Science[SciResearch].Effect = 1.5f;
    gos.Science[2].Progress = 35;  // 65 points to go: Trunc(65 / 1.5) + 1 = 44
    AssignScientists(*game, 1, 2);
    EXPECT_EQ(gos.Science[2].Staff, 44);
    EXPECT_EQ(gos.FreeScientists, 6);
    AssignScientists(*game, 1, 2);
    EXPECT_EQ(gos.Science[2].Staff, 44);
    EXPECT_EQ(gos.FreeScientists, 6);
    AssignScientists(*game, 1, 3);  // needs 67, gets what is left
    EXPECT_EQ(gos.Science[3].Staff, 6);
    EXPECT_EQ(gos.FreeScientists, 0);
}

TEST(AssignScientists, PointsAlreadyPastTheCostTakeNobody) {
    auto game = TwoStates();
    TGos& gos = game->mGos[1];
    gos.Scientists = gos.FreeScientists = 10;
    gos.Science[4].Progress = 250;  // cost 100
    AssignScientists(*game, 1, 4);
    EXPECT_EQ(gos.Science[4].Staff, 0);
    EXPECT_EQ(gos.FreeScientists, 10);
}

int Staffed(const TGos& gos) {
    int sum = 0;
    for (int j = 1; j <= ScienceCount; ++j) sum += gos.Science[j].Staff;
    return sum;
}

TEST(StaffSciences, FinishesWorkUnderWayFirstAndLeavesTheSurplusFree) {
    auto game = TwoStates();
    TGos& gos = game->mGos[1];
    gos.Scientists = 5;
    gos.Science[4].Staff = 5;      // last year's staff come back first
    gos.Science[4].Progress = 50;  // under way: needs 51, gets all five
    StaffSciences(*game, 1, {20, 40, 60, 80, 1, 100}, Mood{});
    EXPECT_EQ(gos.Science[4].Staff, 5);
    EXPECT_EQ(gos.FreeScientists, 0);

    gos.Scientists = gos.FreeScientists = 1000;
    for (int j = 1; j <= ScienceCount; ++j) gos.Science[j].Staff = 0;
    StaffSciences(*game, 1, {20, 40, 60, 80, 1, 100}, Mood{});
    for (int j = 1; j <= ScienceCount; ++j) EXPECT_GT(gos.Science[j].Staff, 0) << "science " << j;
    EXPECT_EQ(Staffed(gos), 5 * 101 + 51);  // Trunc(points to go / 1) + 1 each; science 4 is half done
    EXPECT_EQ(Staffed(gos) + gos.FreeScientists, 1000);
}

}  // namespace
}  // namespace korvant
