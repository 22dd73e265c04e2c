// Hiring a general: the price the controls show and the refusals in their order.
#include <gtest/gtest.h>

#include "core/colors.h"
#include "screen/general_hiring.h"
#include "sim/computer_economy.h"
#include "support/small_game.h"

namespace korvant {
namespace {

// State 1 touches 2, 3 and 4.
const std::vector<std::string> FourStates = {
    "2222",  //
    "3111",  //
    "3111",  //
    "4444",  //
};

TEST(GeneralHiring, PriceGrowsWithTheMapAndTheGeneralsQualities) {
    // A 100 × 100 map shared by 10 states: Round((0 + 1) × 1000 × 0.5 × 3 / 1).
    EXPECT_EQ(GeneralPrice(100, 10, 15, 1, 2, 1), 1500);
    // Twice the age halves the price; mark 5 costs twelve times mark 2.
    EXPECT_EQ(GeneralPrice(100, 10, 30, 1, 2, 1), 750);
    EXPECT_EQ(GeneralPrice(100, 10, 15, 1, 5, 1), 12 * 1500);
    auto game = test::MakeGame(FourStates);
    game->MapSize = 100;
    game->GosCount = 10;
    EXPECT_EQ(HiringPrice(*game, GeneralWish{}), 1500);
    game->mGos[1].Money = 1499;
    EXPECT_EQ(HiringPriceColour(*game, 1, 1500), color::Red);
    game->mGos[1].Money = 1500;
    EXPECT_EQ(HiringPriceColour(*game, 1, 1500), color::Olive);
}

TEST(GeneralHiring, ThreeNeighboursAllowFiveGenerals) {
    auto game = test::MakeGame(FourStates);
    Game& g = *game;
    ASSERT_EQ(g.mGos[1].NeighbourCount, 3);
    g.mGos[1].Money = 1'000'000;
    const GeneralWish wish{20, 5, 3, 40};
    const int price = HiringPrice(g, wish);
    g.mGeneral[21].Name.set("Резерв21");
    for (int i = 0; i < 5; ++i) {
        int slot = 0;
        ASSERT_EQ(HireGeneral(g, 1, wish, i == 0 ? "Суворов" : "", &slot), HireRefusal::None);
        EXPECT_EQ(slot, 1 + 20 * i);
    }
    EXPECT_EQ(g.mGos[1].GeneralCount, 5);
    EXPECT_EQ(g.mGos[1].Money, 1'000'000 - 5 * price);
    const TCommander& first = g.mGeneral[1];
    EXPECT_EQ(first.Owner, 1);
    EXPECT_EQ(first.Name.utf8(), "Суворов");
    EXPECT_EQ(first.Age, 20);
    EXPECT_EQ(first.Knowledge, 5);
    EXPECT_EQ(first.Attestation, 3);
    EXPECT_EQ(first.Speed, 40);
    EXPECT_EQ(first.Order, OrderRest);
    EXPECT_EQ(first.Front, 0);
    // A blank name keeps the one the slot had in the pool.
    EXPECT_EQ(g.mGeneral[21].Name.utf8(), "Резерв21");

    EXPECT_EQ(HireGeneral(g, 1, wish, ""), HireRefusal::TooFewFronts);
    EXPECT_EQ(g.mGos[1].GeneralCount, 5);
    EXPECT_EQ(g.mGos[1].Money, 1'000'000 - 5 * price);
}

TEST(GeneralHiring, RefusalsComeInTheirOrder) {
    auto game = test::MakeGame(FourStates);
    Game& g = *game;
    g.mGos[1].Money = 0;
    EXPECT_EQ(HireCheck(g, 1, 1), HireRefusal::NoMoney);
    g.mGos[1].GeneralCount = 5;
    EXPECT_EQ(HireCheck(g, 1, 1), HireRefusal::TooFewFronts);
    g.mGos[1].NeighbourCount = 19;
    g.mGos[1].GeneralCount = 10;
    EXPECT_EQ(HireCheck(g, 1, 1), HireRefusal::TooMany);
    EXPECT_EQ(RefusalText(g, HireRefusal::TooMany), "Максимальное количество генералов: 10");
    // Every slot held, while the count says fewer: nothing is hired or paid.
    g.mGos[1].GeneralCount = 3;
    g.mGos[1].Money = 1'000'000;
    for (int slot = 1; slot <= GeneralSlots; slot += MaxStates) g.mGeneral[slot].Owner = 1;
    EXPECT_EQ(HireGeneral(g, 1, GeneralWish{}, "x"), HireRefusal::NoSlot);
    EXPECT_EQ(g.mGos[1].Money, 1'000'000);
    EXPECT_EQ(g.mGos[1].GeneralCount, 3);
}

}  // namespace
}  // namespace korvant
