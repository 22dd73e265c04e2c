#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "records/chart_axes.h"

namespace korvant {
namespace {

TEST(ChartAxes, ValueTicksFallOnWholeNumbers) {
    // A science level of 1 read 0,0,0,1,1,1 with six fractional ticks: two ticks now.
    EXPECT_EQ(WholeValueTicks(1, 6).top, 1);
    EXPECT_EQ(WholeValueTicks(1, 6).count, 2);
    EXPECT_EQ(WholeValueTicks(3, 6).count, 4);
    const ValueTicks hundreds = WholeValueTicks(523, 6);
    EXPECT_EQ(hundreds.top, 600);
    EXPECT_EQ(hundreds.count, 4);
    const ValueTicks exact = WholeValueTicks(50, 6);
    EXPECT_EQ(exact.top, 50);
    EXPECT_EQ(exact.count, 6);
    // An empty chart still has an axis; a huge one does not overflow its step.
    EXPECT_EQ(WholeValueTicks(0, 6).top, 1);
    EXPECT_GE(WholeValueTicks(4294967295, 6).top, 4294967295);
    for (int64_t v : std::vector<int64_t>{1, 2, 7, 11, 99, 101, 12345, 4294967295}) {
        const ValueTicks t = WholeValueTicks(v, 6);
        EXPECT_LE(t.count, 6) << v;
        EXPECT_GE(t.top, v) << v;
        EXPECT_EQ(t.top % (t.count - 1), 0) << v;  // every step is whole
    }
}

TEST(ChartAxes, EveryYearOfAShortGameIsLabelledAndLongGamesAtASteadyStep) {
    for (int y = 1; y <= 9; ++y) EXPECT_TRUE(YearLabelled(y, 9)) << y;
    EXPECT_TRUE(YearLabelled(1, 74));
    EXPECT_TRUE(YearLabelled(70, 74));
    EXPECT_FALSE(YearLabelled(35, 74));
}

TEST(ChartAxes, TheDepthShapesTheFloorWhateverTheStatesAndYears) {
    // Floor depth over width = states / (years × thickness): 13 % about 1 : 2.3, 30 % square.
    for (auto [states, years] : {std::pair{5, 10}, std::pair{8, 74}}) {
        EXPECT_NEAR(states / (years * BarThickness(30, states, years)), 1.0, 1e-4);
        EXPECT_NEAR(states / (years * BarThickness(13, states, years)), 13.0 / 30, 1e-4);
    }
    EXPECT_NE(BarThickness(13, 5, 10), BarThickness(30, 5, 10));
}

}  // namespace
}  // namespace korvant
