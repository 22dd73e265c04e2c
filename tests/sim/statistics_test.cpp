#include "sim/statistics.h"

#include <gtest/gtest.h>

#include "support/small_game.h"

namespace korvant {
namespace {

TEST(RecordYear, WritesTheFiguresOfTheYear) {
    auto game = test::MakeGame({"1122", "1122", "1122", "1122"});
    Game& g = *game;
    g.Year = 12;
    TGos& gos = g.mGos[1];
    for (int i = 1; i <= ScienceCount; ++i) gos.Science[i].Level = i + 2;
    gos.Science[SciMilitary].Level = 300;  // only the low byte is kept
    gos.Peasants = 123456;
    gos.Scientists = 321;
    gos.Soldiers = 70000;  // recorded modulo 65536
    g.History[1][12].Grown = 55;
    RecordYear(g, 1);
    const THistoryRec& rec = g.History[1][12];
    EXPECT_EQ(rec.Level[0], 3);
    EXPECT_EQ(rec.Level[4], 300 % 256);
    EXPECT_EQ(rec.Level[5], 8);
    EXPECT_EQ(rec.Peasants, 123456);
    EXPECT_EQ(rec.Territory, 8);
    EXPECT_EQ(rec.Scientists, 321);
    EXPECT_EQ(rec.Soldiers, 70000 - 65536);
    EXPECT_EQ(rec.Grown, 55);
}

TEST(RecordYear, DestroyedStateRecordsZerosButKeepsItsHarvest) {
    auto game = test::MakeGame({"1122", "1122", "1122", "1122"});
    Game& g = *game;
    g.Year = 3;
    TGos& gos = g.mGos[2];
    gos.Alive = 0;
    gos.Peasants = 50;
    gos.Soldiers = 9;
    gos.Science[SciDensity].Level = 4;
    g.History[2][3] = THistoryRec{{1, 2, 3, 4, 5, 6}, {}, 17, 1, 1, 1, 1, {}};
    RecordYear(g, 2);
    const THistoryRec& rec = g.History[2][3];
    for (int i = 0; i < ScienceCount; ++i) EXPECT_EQ(rec.Level[i], 0);
    EXPECT_EQ(rec.Peasants, 0);
    EXPECT_EQ(rec.Territory, 0);
    EXPECT_EQ(rec.Scientists, 0);
    EXPECT_EQ(rec.Soldiers, 0);
    EXPECT_EQ(rec.Grown, 17);
}

}  // namespace
}  // namespace korvant
