#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/game.h"
#include "records/chart_series.h"
#include "records/history_csv.h"
#include "support/small_game.h"

namespace korvant {
namespace {

TEST(ChartSeries, EveryCriterionReadsItsFieldAsAnUnsignedNumberOfItsWidth) {
    auto game = std::make_unique<Game>();
    THistoryRec& r = game->History[4][9];
    for (int i = 0; i < 6; ++i) r.Level[i] = uint8_t(250 + i);
    r.Grown = -1;
    r.Peasants = -2;
    r.Territory = -1;
    r.Soldiers = int16_t(0x8000);  // 32768 soldiers recorded as a negative 16-bit number
    r.Scientists = 7;
    for (int c = CritDensity; c <= CritScientific; ++c)
        EXPECT_EQ(ChartValue(game->History, 4, ChartCriterion(c), 9), 250 + c) << c;
    EXPECT_EQ(ChartValue(game->History, 4, CritGrown, 9), 4294967295);
    EXPECT_EQ(ChartValue(game->History, 4, CritPeasants, 9), 4294967294);
    EXPECT_EQ(ChartValue(game->History, 4, CritTerritory, 9), 65535);
    EXPECT_EQ(ChartValue(game->History, 4, CritSoldiers, 9), 32768);
    EXPECT_EQ(ChartValue(game->History, 4, CritScientists, 9), 7);
    // The three populations add up past 32 bits instead of wrapping.
    EXPECT_EQ(ChartValue(game->History, 4, CritPopulation, 9), 4294967294 + 7 + 32768);
    // Neighbouring records are untouched.
    EXPECT_EQ(ChartValue(game->History, 4, CritGrown, 10), 0);
    EXPECT_EQ(ChartValue(game->History, 5, CritGrown, 9), 0);
}

TEST(ChartSeries, RecordedYearsAndStatesStayInsideTheTable) {
    Game game;
    game.GosCount = 5;
    game.Year = 1;
    EXPECT_EQ(RecordedYears(game), 0);  // nothing recorded in the first year
    game.Year = 0;
    EXPECT_EQ(RecordedYears(game), 0);
    game.Year = 120;
    EXPECT_EQ(RecordedYears(game), 119);
    game.Year = 200;
    EXPECT_EQ(RecordedYears(game), MaxYears);
    EXPECT_EQ(ChartStates(game), 5);
    game.GosCount = 40;
    EXPECT_EQ(ChartStates(game), MaxStates);
}

class ChartFilterTest : public testing::Test {
protected:
    void SetUp() override {
        game = test::MakeGame({"12", "34"});
        game->Year = 6;  // years 1..5 recorded
        for (int s = 1; s <= 4; ++s)
            for (int y = 1; y <= 5; ++y) game->History[s][y].Territory = 10;
        game->mGos[2].PlayerName.set("Ольга");
        game->History[3][5].Territory = 0;  // destroyed in the last recorded year
        game->History[4][2].Territory = 0;  // no land in an earlier year only
    }
    std::unique_ptr<Game> game;
};

TEST_F(ChartFilterTest, DestroyedFilterLooksOnlyAtTheLastRecordedYear) {
    const ChartFilters hide{.hideDestroyed = true};
    EXPECT_TRUE(ChartLineDrawn(*game, 1, hide));
    EXPECT_FALSE(ChartLineDrawn(*game, 3, hide));
    EXPECT_TRUE(ChartLineDrawn(*game, 4, hide));
    EXPECT_TRUE(ChartLineDrawn(*game, 3, {}));
    EXPECT_EQ(ChartLineTitle(*game, 3, hide), "Gos3");
}

TEST_F(ChartFilterTest, PersonsOnlyDrawsPersonsStatesUnderTheirNames) {
    const ChartFilters persons{.personsOnly = true};
    EXPECT_FALSE(ChartLineDrawn(*game, 1, persons));
    EXPECT_TRUE(ChartLineDrawn(*game, 2, persons));
    EXPECT_EQ(ChartLineTitle(*game, 2, persons), "Ольга");
    EXPECT_EQ(ChartLineTitle(*game, 2, {}), "Gos2");
    // Both filters: a destroyed person's state goes too.
    game->mGos[3].PlayerName.set("Игорь");
    EXPECT_FALSE(ChartLineDrawn(*game, 3, {.personsOnly = true, .hideDestroyed = true}));
    EXPECT_TRUE(ChartLineDrawn(*game, 3, persons));
}

TEST(ChartSeries, StateColoursAndCriterionNames) {
    EXPECT_EQ(ChartStateColour(1), 0x0000FF);
    EXPECT_EQ(ChartStateColour(17), 0xE1E1E1);
    EXPECT_EQ(ChartStateColour(20), 0x800040);
    const test::TestTexts texts({{Msg::ChartTerritory, "Территория"}});
    EXPECT_EQ(ChartCriterionName(texts, CritTerritory), "Территория");
    EXPECT_EQ(ChartCriterionName(texts, CritPopulation), "Всего населения") << "the built-in text";
}

TEST(HistoryCsv, OneRowPerStateAndRecordedYearInRadioOrder) {
    auto game = test::MakeGame({"12", "12"});
    game->Year = 3;
    game->GosCount = 2;
    game->History[2][2] = THistoryRec{{1, 2, 3, 4, 5, 6}, {}, 700, 800, 9, 11, 10, {}};
    game->History[2][3].Territory = 99;  // the year being played is not recorded yet
    std::ostringstream out;
    WriteHistoryCsv(out, *game);
    EXPECT_EQ(out.str(),
              "state,year,density,growth,agrarian,financial,military,scientific,grown,territory,"
              "peasants,soldiers,scientists,population\n"
              "1,1,0,0,0,0,0,0,0,0,0,0,0,0\n"
              "1,2,0,0,0,0,0,0,0,0,0,0,0,0\n"
              "2,1,0,0,0,0,0,0,0,0,0,0,0,0\n"
              "2,2,1,2,3,4,5,6,700,9,800,10,11,821\n");
    game->Year = 1;
    std::ostringstream empty;
    WriteHistoryCsv(empty, *game);
    EXPECT_EQ(empty.str().find('\n'), empty.str().size() - 1);  // the header alone
}

}  // namespace
}  // namespace korvant
