#include <gtest/gtest.h>

#include "map/territory_choice.h"
#include "support/small_game.h"

namespace korvant {
namespace {

TEST(TerritoryChoice, PixelsMapToCellsAndTheFrameIsOutside) {
    // 50 cells on 500 pixels: ten pixels a cell, the first index the column.
    auto c = CellAtPixel(50, 500, 0, 0);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->column, 1);
    EXPECT_EQ(c->row, 1);
    c = CellAtPixel(50, 500, 499, 123);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->column, 50);
    EXPECT_EQ(c->row, 13);
    EXPECT_FALSE(CellAtPixel(50, 500, 510, 10));
    EXPECT_FALSE(CellAtPixel(50, 500, 10, -1));
    // 100 cells on 300 pixels: the small margin gives a boundary pixel to the cell before it.
    EXPECT_EQ(CellAtPixel(100, 300, 3, 0)->column, 1);
    EXPECT_EQ(CellAtPixel(100, 300, 4, 0)->column, 2);
}

TEST(TerritoryChoice, TakenStateIsRefusedUntilTheWindowReopens) {
    auto game = test::MakeGame({"1122", "1122", "3344", "3344"});
    Game& g = *game;  // its rows are the first index of Map, the pixel's x
    for (int s = 1; s <= 4; ++s) g.mGos[s].Alive = 0;
    g.mGos[2].Alive = 1;  // a computer took it
    TerritoryChoice choice;
    choice.Reset();
    EXPECT_EQ(choice.Click(g, 40, 5, 35), 2);
    EXPECT_TRUE(choice.CanConfirm());
    EXPECT_FALSE(choice.Confirm(g, 1, "Ольга"));
    EXPECT_FALSE(choice.CanConfirm());
    EXPECT_EQ(choice.Click(g, 40, 5, 5), 1);
    EXPECT_EQ(choice.Click(g, 40, 5, 35), 2);
    EXPECT_FALSE(choice.CanConfirm());         // still refused
    EXPECT_EQ(choice.Click(g, 40, 5, 45), 0);  // outside the field: nothing changes
    EXPECT_EQ(choice.Selected(), 2);
    choice.Reset();
    choice.Click(g, 40, 5, 35);
    EXPECT_TRUE(choice.CanConfirm());

    choice.Click(g, 40, 35, 5);
    ASSERT_TRUE(choice.Confirm(g, 1, "Александра-Мария"));
    EXPECT_EQ(g.mGos[3].Alive, 1);
    EXPECT_EQ(g.mGos[3].Human, 1);
    EXPECT_EQ(g.mGos[3].PlayerName.utf8(), "Александра-Ма");
}

}  // namespace
}  // namespace korvant
