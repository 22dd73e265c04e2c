#include "save/check_value.h"

#include <gtest/gtest.h>

namespace korvant {
namespace {

// One state on a 1 x 1 map in year 1: the six science indices 0..5, the constant 12,
// less the scalar term (1 + 0 + 0) * 1 * 1.
TEST(CheckValue, SmallestGame) {
    Game game;
    game.GosCount = 1;
    game.Year = 1;
    game.MapSize = 1;
    EXPECT_EQ(CheckValue(game), 15 + 12 - 1);
}

TEST(CheckValue, ProductsWrapIn32BitsAndWidenWithTheirSign) {
    Game game;
    game.GosCount = 1;
    const int64_t base = CheckValue(game);
    TGos& g = game.mGos[1];

    g.Science[2].Level = 65536;
    g.Science[2].Progress = 65536;
    g.Science[2].Staff = 3;
    EXPECT_EQ(CheckValue(game), base) << "2^32 * 3 wraps to 0";
    g.Science[2].Level = 46341;
    g.Science[2].Progress = 46341;
    g.Science[2].Staff = 1;
    EXPECT_EQ(CheckValue(game), base + int32_t(46341u * 46341u));
    g.Science[2] = TScience{};

    g.Territory = -1;  // taken as 65535
    g.Money = 2;
    EXPECT_EQ(CheckValue(game), base + 131070);
    g.Territory = 2;
    g.Money = 0x40000000;
    EXPECT_EQ(CheckValue(game), base - 2147483648LL);
    g.Territory = 0;

    g.Sown = 40000;
    g.Grain = 60000;  // 2.4e9 wraps negative
    EXPECT_EQ(CheckValue(game), base + int32_t(40000u * 60000u));
    g.Sown = 0;

    g.Peasants = -5;
    g.Character = 2000000000;
    g.FreeScientists = 2000000000;
    EXPECT_EQ(CheckValue(game), base - 5 + 4000000000LL) << "the counts add in 64 bits";
}

TEST(CheckValue, CoversStatesInUseAllGeneralsAndTheField) {
    Game game;
    game.GosCount = 2;
    game.MapSize = 3;
    game.Year = 4;
    const int64_t base = CheckValue(game);

    game.mGos[3].Money = 99;
    game.mGos[3].Territory = 1;
    EXPECT_EQ(CheckValue(game), base) << "a state above GosCount";
    game.mGos[2].Name.set("ignored");
    game.mGeneral[201].Knowledge = 7;
    game.mGeneral[201].Name.set("ignored too");
    game.mGeneral[201].Order = 3;
    EXPECT_EQ(CheckValue(game), base + 7);

    game.Map[3][3] = 2;
    game.Map[4][4] = 9;  // the frame
    game.Map[0][1] = 9;
    EXPECT_EQ(CheckValue(game), base + 7 - 2);

    game.SaveCount = 1;  // (2 + 0 + 1) * 4 * 3 instead of 2 * 4 * 3
    EXPECT_EQ(CheckValue(game), base + 7 - 2 - 12);
}

}  // namespace
}  // namespace korvant
