#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_painter.h"

namespace korvant {
namespace {

// A map from rows of digits: '1' is owner 0 (state 1), '2' owner 1, ...
TMap MapFrom(const std::vector<std::string>& rows) {
    TMap m;
    m.Size(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x) m.SetCell(x, y, uint8_t(rows[std::size_t(y)][std::size_t(x)] - '1'));
    m.count = 9;
    return m;
}

uint32_t Colour(int state) { return StateColour(state).pixel(); }
constexpr uint32_t Black = 0xFF000000u;

TEST(MapPainter, SingleStateHasNoInnerBordersOnlyTheFrame) {
    TMap m = MapFrom({"111", "111", "111"});
    for (bool rounded : {false, true}) {
        Picture p(60, 60);
        m.Paint(p, rounded, TMap::NoHighlight);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                bool edge = x == 0 || y == 0 || x == 59 || y == 59;
                ASSERT_EQ(p.pixel(x, y), edge ? Black : Colour(1)) << x << "," << y << " rounded " << rounded;
            }
    }
}

TEST(MapPainter, SquareCellsDrawTheBorderOnTheLowerRightEdge) {
    TMap m = MapFrom({"12", "12"});
    Picture p(20, 20);
    m.Paint(p, false, TMap::NoHighlight);
    EXPECT_EQ(p.pixel(9, 5), Black);  // right edge of the left cell
    EXPECT_EQ(p.pixel(8, 5), Colour(1));
    EXPECT_EQ(p.pixel(10, 5), Colour(2));
    EXPECT_EQ(p.pixel(5, 9), Colour(1));  // same owner below: no line
}

TEST(MapPainter, EnclosedCellIsAnOctagonWithCornersInTheSurroundingColour) {
    TMap m = MapFrom({"111", "121", "111"});
    Picture p(90, 90);  // 30 pixels a cell, bevel 15
    m.Paint(p, true, TMap::NoHighlight);
    // The middle cell spans [30, 60): its corners belong to state 1, its centre to state 2.
    EXPECT_EQ(p.pixel(45, 45), Colour(2));
    EXPECT_EQ(p.pixel(31, 31), Colour(1));
    EXPECT_EQ(p.pixel(58, 31), Colour(1));
    EXPECT_EQ(p.pixel(58, 58), Colour(1));
    EXPECT_EQ(p.pixel(31, 58), Colour(1));
    // Mid-edges are still the cell's own.
    EXPECT_EQ(p.pixel(45, 31), Colour(2));
    EXPECT_EQ(p.pixel(31, 45), Colour(2));
}

TEST(MapPainter, HighlightLeavesDiagonalOnlyNeighboursGrey) {
    // State 1 in the top-left corner; state 3 touches it only at a corner.
    TMap m = MapFrom({"122", "223", "233"});
    Picture p(90, 90);
    m.Paint(p, false, 0);
    EXPECT_EQ(p.pixel(10, 10), Colour(1));  // the highlighted state
    EXPECT_EQ(p.pixel(45, 10), Colour(2));  // its neighbour
    uint32_t c = p.pixel(80, 80);           // state 3: background only
    EXPECT_TRUE((c == Rgb{211, 211, 211}.pixel() || c == Rgb{105, 105, 105}.pixel()));
}

TEST(MapPainter, TwoPixelCellsUseTheirOwnRules) {
    // 100 × 100 on 200 pixels: every cell 2 × 2. A vertical border between columns 49 and 50.
    TMap m;
    m.Size(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) m.SetCell(x, y, x < 50 ? 0 : 1);
    Picture p(200, 200);
    m.Paint(p, true, TMap::NoHighlight);
    EXPECT_EQ(p.pixel(98, 50), Colour(1));  // TL of cell 49
    EXPECT_EQ(p.pixel(99, 50), Black);      // TR becomes black
    EXPECT_EQ(p.pixel(99, 51), Black);      // and BR: no corner cut
    EXPECT_EQ(p.pixel(100, 50), Colour(2));
}

TEST(MapPainter, BevelIsHalfTheCellAtFourPixels) {
    // 100 × 100 on 400 pixels: bevel 2. A lone cell of state 2 gets its down-right corner in state 1.
    TMap m;
    m.Size(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) m.SetCell(x, y, 0);
    m.SetCell(10, 10, 1);
    Picture p(400, 400);
    m.Paint(p, true, TMap::NoHighlight);
    EXPECT_EQ(p.pixel(41, 41), Colour(2));  // inside the cell [40, 44)
    EXPECT_EQ(p.pixel(42, 42), Black);      // the diagonal border of the cut corner
    EXPECT_EQ(p.pixel(43, 43), Colour(1));  // the corner itself in the surrounding colour
    EXPECT_EQ(p.pixel(40, 43), Colour(1));  // the down-left corner is cut too
}

TEST(MapPainter, GameMapIsCopiedWithZeroBasedOwners) {
    Game g;
    g.MapSize = 2;
    g.GosCount = 2;
    g.Map[1][1] = 1;
    g.Map[2][1] = 2;  // first index is the column
    g.Map[1][2] = 1;
    g.Map[2][2] = 2;
    TMap m = MapOf(g);
    EXPECT_EQ(m.Cell(0, 0), 0);
    EXPECT_EQ(m.Cell(1, 0), 1);
    EXPECT_EQ(m.Cell(1, 1), 1);
}

}  // namespace
}  // namespace korvant
