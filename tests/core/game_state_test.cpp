#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/game.h"
#include "core/numbers.h"
#include "core/random.h"
#include "core/state_fields.h"

namespace korvant {
namespace {

// The tables, as raw bytes back to back.
constexpr std::tuple Tables{state::States, state::Generals, state::Map, state::History};

TEST(GameState, TablesRoundTripThroughRawBytesAtTheirOffsets) {
    Game a;
    a.GosCount = 3;  // fewer than 20 states still dumps all 20 records
    a.mGos[1].Money = 123456;
    a.mGos[1].Name.set("Северия");
    a.mGos[2].Attitude(5) = 77;
    a.mGos[2].Grudge(20) = 4;
    a.mGos[20].Border[20].Troops[5] = -9;
    a.mGos[20].TimeSpent = 0.25;
    a.mGeneral[201].Knowledge = 99;
    a.Map[101][101] = 7;
    a.History[20][120].Soldiers = -2;

    std::vector<uint8_t> bytes;
    PutFields(bytes, a, Tables);
    ASSERT_EQ(bytes.size(), 16960u + 5025u + 10404u + 57600u);
    static_assert(RawWidth(Tables) == 16960u + 5025u + 10404u + 57600u);

    // Fields sit where the file layout puts them.
    int32_t money;
    std::memcpy(&money, bytes.data() + 56, 4);
    EXPECT_EQ(money, 123456);
    EXPECT_EQ(bytes[848 + 68 + 2 * 4], 77);  // Attitude[5] of state 2
    EXPECT_EQ(bytes[848 + 69 + 2 * 19], 4);  // Grudge[20] of state 2
    int32_t troops;
    std::memcpy(&troops, bytes.data() + 19 * 848 + 276 + 19 * 28 + 4 + 16, 4);
    EXPECT_EQ(troops, -9);
    EXPECT_EQ(bytes[16960 + 200 * 25 + 20], 99);  // Knowledge of the substitute
    EXPECT_EQ(bytes[16960 + 5025 + 102 * 101 + 101], 7);

    Game b;
    std::size_t at = 0;
    GetFields(bytes, at, b, Tables);
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(b.mGos[1].Money, 123456);
    EXPECT_EQ(b.mGos[1].Name.utf8(), "Северия");
    EXPECT_EQ(b.mGos[2].Attitude(5), 77);
    EXPECT_EQ(b.mGos[20].Border[20].Troops[5], -9);
    EXPECT_DOUBLE_EQ(b.mGos[20].TimeSpent, 0.25);
    EXPECT_EQ(b.History[20][120].Soldiers, -2);
    EXPECT_EQ(FirstDifference(a, b, Tables), "");
}

TEST(GameState, NamesAreCutToThirteenCharactersNotBytes) {
    TName n;
    n.set("Великоземельское");  // 16 Cyrillic letters, 32 UTF-8 bytes
    EXPECT_EQ(n.len, 13);
    EXPECT_EQ(n.utf8(), "Великоземельс");
    n.set("Tom 😀 Ölfjörð");
    EXPECT_EQ(n.utf8(), "Tom ? ?lfj?r?");  // what Windows-1251 cannot hold becomes "?"
}

TEST(GameState, DamagedLengthByteNeverReadsPastTheField) {
    TName n;
    n.set("abc");
    n.len = 200;
    EXPECT_EQ(n.raw().size(), 13u);
}

TEST(GameState, MessageListCutsTextsAndClears) {
    Game g;
    std::string longText(300, 'x');
    g.MesList.Add(MesBattle, 4, 0xFF0000, longText);
    g.MesList.Add(MesForState, 2, 255, "Урожай");
    ASSERT_EQ(g.MesList.Count(), 2);
    EXPECT_EQ(g.MesList[0].Text.len, 255);
    EXPECT_EQ(g.MesList[0].Kind, MesBattle);
    EXPECT_EQ(g.MesList[1].Text.utf8(), "Урожай");
    g.MesList.Clear();
    EXPECT_EQ(g.MesList.Count(), 0);
}

TEST(GameState, PopulationSumsThePeople) {
    Game g;
    g.mGos[3].Peasants = 455;
    g.mGos[3].Scientists = 10;
    g.mGos[3].Soldiers = 35;
    EXPECT_EQ(Population(g, 3), 500);
}

TEST(Numbers, RoundHalvesToEvenAndTruncCutsTowardZero) {
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(500.0L / 1.1L), 455);
    EXPECT_EQ(Trunc(-3.9L), -3);
    EXPECT_EQ(Trunc(1000.0L / 3 + 100), 433);
    EXPECT_NEAR(double(Power(2, 10)), 1024.0, 1e-9);
    EXPECT_NEAR(double(Power(100, 1.8L)), 3981.0717, 1e-3);
}

TEST(Numbers, GeneratorIsReproducibleAndInRange) {
    RandomGenerator a(42), b(42);
    std::vector<int> counts(7, 0);
    for (int i = 0; i < 7000; ++i) {
        int x = a.Random(7);
        ASSERT_EQ(x, b.Random(7));
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 7);
        ++counts[std::size_t(x)];
    }
    for (int c : counts) EXPECT_NEAR(c, 1000, 150);
    // The fixed algorithm: seed * 134775813 + 1, value = (seed * n) >> 32.
    RandomGenerator c(1);
    EXPECT_EQ(c.Random(1000), int((uint64_t(134775814u) * 1000) >> 32));
    long double r = c.Real();
    EXPECT_GE(r, 0.0L);
    EXPECT_LT(r, 1.0L);
}

}  // namespace
}  // namespace korvant
