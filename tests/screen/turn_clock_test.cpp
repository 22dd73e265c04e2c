// The turn clock, its limit and how the clock panel writes it; the proposed save name.
#include <gtest/gtest.h>

#include "screen/save_name.h"
#include "screen/turn_clock.h"
#include "support/small_game.h"

namespace korvant {
namespace {

TEST(TurnClock, CarriesSecondsIntoMinutesAndHoursAndStopsAtTheEndOfTheDay) {
    TurnClock c;
    for (int i = 0; i < 59; ++i) c.Tick();
    EXPECT_EQ(c.Seconds(), 59);
    c.Tick();
    EXPECT_EQ(c.Minutes(), 1);
    EXPECT_EQ(c.Seconds(), 0);
    for (int i = 0; i < 59 * 60; ++i) c.Tick();
    EXPECT_EQ(c.Hours(), 1);
    EXPECT_EQ(c.Minutes(), 0);
    EXPECT_EQ(c.Seconds(), 0);
    for (int i = 0; i < 30 * 3600; ++i) c.Tick();
    EXPECT_EQ(c.Hours(), 23);
    EXPECT_EQ(c.Minutes(), 59);
    EXPECT_EQ(c.Seconds(), 59);
}

TEST(TurnClock, LimitIsReachedWhenTheMinutesGetThere) {
    TurnClock c;
    for (int i = 0; i < 119; ++i) c.Tick();
    EXPECT_FALSE(c.LimitReached(2));
    EXPECT_EQ(c.SecondsLeft(2), 1);
    c.Tick();
    EXPECT_TRUE(c.LimitReached(2));
    EXPECT_FALSE(c.LimitReached(0));  // no limit
}

TEST(TurnClock, PanelShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(ClockText(0), "0:00");
    EXPECT_EQ(ClockText(187), "3:07");
    EXPECT_EQ(ClockText(3600), "60:00");
    EXPECT_EQ(ClockText(-20), "0:00");
}

TEST(SaveName, IsThePersonsNameAndTheYearWithoutFolders) {
    auto game = test::MakeGame({"11", "22"});
    game->CurGos = 2;
    game->Year = 12;
    game->mGos[2].PlayerName.set("Ольга");
    EXPECT_EQ(ProposedSaveName(*game), "Ольга_12");
    game->mGos[2].PlayerName.set("../x:y");
    EXPECT_EQ(ProposedSaveName(*game), ".._x_y_12");
}

}  // namespace
}  // namespace korvant
