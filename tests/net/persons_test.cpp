// Which state a session player plays, who of the persons still lives, and whose names are one.
#include <gtest/gtest.h>

#include "net/persons.h"
#include "net/player_names.h"
#include "support/net_game.h"

namespace korvant {
namespace {

// States 1..3 are played by players 1..3, state 4 by the computer.
TEST(Persons, TheComputerIsNobodyAndTheLastStateIsSomebodys) {
    auto game = test::MakeNetGame();
    EXPECT_EQ(StateOf(*game, 0), 0);  // the computer's state is not "player 0's"
    EXPECT_EQ(StateOf(*game, 9), 0);
    EXPECT_EQ(StateOf(*game, 1), 1);
    EXPECT_EQ(LivingPersons(*game), 3);
    game->mGos[4].Human = 9;
    EXPECT_EQ(StateOf(*game, 9), 4);
    EXPECT_EQ(LivingPersons(*game), 4);
    game->mGos[1].Alive = 0;  // a fallen person's state is still his, but he no longer lives
    EXPECT_EQ(StateOf(*game, 1), 1);
    EXPECT_EQ(LivingPersons(*game), 3);
}

TEST(PlayerNames, OnlyTheWholeNameInAnyCaseIsTheSame) {
    EXPECT_TRUE(SameName("Anna", "aNNA"));
    EXPECT_TRUE(SameName("Владимир", "вЛАДИМИР"));
    EXPECT_FALSE(SameName("Anna", "Annabel"));
    EXPECT_FALSE(SameName("Annabel", "Anna"));
    EXPECT_FALSE(SameName("Anna", "Anne"));
    EXPECT_FALSE(SameName("", "Anna"));
}

}  // namespace
}  // namespace korvant
