#include "sim/capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/random.h"
#include "core/state_fields.h"
#include "sim/borders.h"
#include "sim/generals.h"
#include "support/late_game.h"
#include "support/plain_capture.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::MakeGame;

TEST(CellsToTake, GrowsSlowerWithEverySoldierAndFasterWithSpeed) {
    EXPECT_EQ(CellsToTake(1, 0), 0);
    EXPECT_EQ(CellsToTake(200, -5), 0);
    EXPECT_EQ(CellsToTake(1, 1), 0);  // 0.7056
    EXPECT_EQ(CellsToTake(1, 10), 7);
    EXPECT_EQ(CellsToTake(166, 1), 1);  // 1.69915

    // The sum of x0 * 0.9995^k for k = 1..n, where no float rounding can move it across an integer.
    for (int speed : {1, 50, 166, 255}) {
        for (int soldiers : {3, 100, 900, 2000}) {
            const long double x0 = speed / 166.0L + 0.7L;
            const long double exact = x0 * 0.9995L * (1 - std::pow(0.9995L, soldiers)) / 0.0005L;
            if (std::fabs(exact - std::round(exact)) < 0.05L) continue;
            EXPECT_EQ(CellsToTake(speed, soldiers), static_cast<int>(exact)) << speed << " " << soldiers;
        }
    }
    // The sum levels off near x0 * 0.9995 / 0.0005 (4467 cells at full speed); single precision
    // loses the smallest terms on the way.
    const int most = CellsToTake(255, 1000000);
    EXPECT_GT(most, 4300);
    EXPECT_LT(most, 4500);
    EXPECT_EQ(CellsToTake(255, 2000000), most);
}

// A loser of `territory` cells that loses `taken` of them.
int AttitudeLeft(int territory, int taken) {
    static int cells;
    cells = taken;
    auto game = MakeGame({"12", "22"});
    game->mGos[2].Territory = static_cast<int16_t>(territory);
    Capture(*game, 1, 2, [](Game&, int, int, int) { return cells; });
    return game->mGos[2].Attitude(1);
}

TEST(Capture, TheLoserGivesUpTheMoreTheLessLandItKeepsPerCellLost) {
    EXPECT_EQ(AttitudeLeft(30, 9), 0);    // 3
    EXPECT_EQ(AttitudeLeft(35, 9), 65);   // 3.5 rounds to 4
    EXPECT_EQ(AttitudeLeft(50, 9), 65);   // 5
    EXPECT_EQ(AttitudeLeft(55, 9), 80);   // 5.5 rounds to 6
    EXPECT_EQ(AttitudeLeft(75, 9), 93);   // 7.5 rounds to 8
    EXPECT_EQ(AttitudeLeft(100, 9), 93);  // 10
    EXPECT_EQ(AttitudeLeft(105, 9), 93);  // 10.5 rounds to 10
    EXPECT_EQ(AttitudeLeft(115, 9), 99);  // 11.5 rounds to 12
}

TEST(Capture, TakesTheCellsMostSurroundedByTheWinner) {
    auto game = MakeGame({
        "11111",  //
        "12121",  //
        "22222",  //
        "22222",  //
        "22222",  //
    });
    Game& g = *game;
    // (2,2) and (2,4) have three neighbours of state 1, the cells of row 3 one or none: (2,2) is
    // found first, and (2,4) replaces it only if the one draw for that tie is below 0.3.
    RandomGenerator probe(5);
    const bool replaced = probe.Real() < 0.3L;
    g.Rng.setSeed(5);
    EXPECT_EQ(TakeCellsAlongBorder(g, 1, 2, 1), 1);
    EXPECT_EQ(g.Map[2][2], replaced ? 2 : 1);
    EXPECT_EQ(g.Map[2][4], replaced ? 1 : 2);
    // Nothing left to take beyond the loser's cells: an n above them takes all and stops.
    EXPECT_EQ(TakeCellsAlongBorder(g, 1, 2, 1000), 16);
    EXPECT_EQ(g.Map[5][5], 1);
    EXPECT_EQ(TakeCellsAlongBorder(g, 1, 1, 10), 0);  // nobody takes land from himself
}

// Random maps with ragged borders, islands and holes, 2 to 6 states.
void RandomMap(Game& game, RandomGenerator& rng) {
    const int size = 2 + rng.Random(30);
    const int states = 2 + rng.Random(5);
    std::memset(&game.Map, 0, sizeof game.Map);
    game.MapSize = static_cast<uint8_t>(size);
    game.GosCount = static_cast<uint8_t>(states);
    const int noise = rng.Random(100);
    for (int i = 1; i <= size; ++i) {
        for (int j = 1; j <= size; ++j) {
            // Bands of states with noise in them.
            int owner = 1 + (i * states) / (size + 1);
            if (rng.Random(100) < noise) owner = 1 + rng.Random(states);
            game.Map[i][j] = static_cast<uint8_t>(owner);
        }
    }
}

TEST(Capture, TheBorderWalkTakesTheSameCellsWithTheSameDrawsAsThePlainScan) {
    RandomGenerator rng(2024);
    Game walk, scan;
    for (int trial = 0; trial < 3000; ++trial) {
        RandomMap(walk, rng);
        std::memcpy(&scan.Map, &walk.Map, sizeof walk.Map);
        scan.MapSize = walk.MapSize;
        scan.GosCount = walk.GosCount;
        const int a = 1 + rng.Random(walk.GosCount);
        const int b = 1 + (a + rng.Random(walk.GosCount - 1)) % walk.GosCount;  // b != a
        int cellsOfB = 0;
        for (int i = 1; i <= walk.MapSize; ++i) {
            for (int j = 1; j <= walk.MapSize; ++j) cellsOfB += walk.Map[i][j] == b;
        }
        const int n = rng.Random(cellsOfB + 5);  // from a few cells to more than b holds
        const uint32_t seed = uint32_t(rng.Random(1 << 30)) * 4 + 1;
        walk.Rng.setSeed(seed);
        scan.Rng.setSeed(seed);

        const int byWalk = TakeCellsAlongBorder(walk, a, b, n);
        const int byScan = test::TakeCellsByPlainScan(scan, a, b, n);
        ASSERT_EQ(byWalk, byScan) << "trial " << trial;
        ASSERT_EQ(std::memcmp(&walk.Map, &scan.Map, sizeof walk.Map), 0) << "trial " << trial;
        ASSERT_EQ(walk.Rng.seed(), scan.Rng.seed()) << "trial " << trial;
    }
}

// Whole generals' years with many battles: every table ends the same either way.
TEST(Capture, AGeneralsYearEndsTheSameWithTheBorderWalkAsWithThePlainScan) {
    const int sizes[][2] = {{6, 24}, {12, 40}, {20, 50}};
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        for (auto [states, size] : sizes) {
            Game walk, scan;
            test::BuildLateGame(walk, seed, states, size);
            test::BuildLateGame(scan, seed, states, size);
            GeneralsYear(walk, TakeCellsAlongBorder);
            GeneralsYear(scan, test::TakeCellsByPlainScan);

            int captured = 0;
            for (int s = 1; s <= states; ++s) captured += walk.mGos[s].Captured;
            EXPECT_GT(captured, size) << "the position should see real conquests";
            ASSERT_EQ(FirstDifference(walk, scan, state::Saved), "");
            ASSERT_EQ(walk.Rng.seed(), scan.Rng.seed());
        }
    }
}

}  // namespace
}  // namespace korvant
