// The list of all states: own row, visible neighbours, unknown strangers.
#include <gtest/gtest.h>

#include "screen/states_list.h"
#include "support/small_game.h"

namespace korvant {
namespace {

TEST(StatesList, OwnRowThenNeighboursThenStrangers) {
    // 1 touches 2 and 4; 3 lies beyond 2.
    auto game = test::MakeGame(
        {
            "3333",  //
            "2222",  //
            "1111",  //
            "4444",  //
        },
        5);
    Game& g = *game;
    g.mGos[5].Alive = 0;
    g.mGos[1].Name.set("Великаястрана");
    g.mGos[2].Peasants = 7;
    g.mGos[2].Scientists = g.mGos[2].Soldiers = 0;
    g.mGos[1].Peasants = 123456;
    const std::vector<StateRow> rows = StatesList(g, 1);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, "Великаястрана +");  // the longest name and " +" just fit 15 characters
    EXPECT_TRUE(rows[0].own);
    EXPECT_EQ(rows[0].population, std::to_string(Population(g, 1)));
    EXPECT_EQ(rows[1].state, 2);
    EXPECT_EQ(rows[1].population, "____7");
    EXPECT_EQ(rows[2].state, 4);
    EXPECT_FALSE(rows[2].own);
    EXPECT_EQ(rows[3].state, 3);
    EXPECT_EQ(rows[3].population, "____?");
}

TEST(StatesList, PopulationsArePaddedToFive) {
    EXPECT_EQ(PopulationText(1234), "_1234");
    EXPECT_EQ(PopulationText(12345), "12345");
    EXPECT_EQ(PopulationText(123456), "123456");
}

}  // namespace
}  // namespace korvant
