#include "sim/generals.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/colors.h"
#include "sim/battle.h"
#include "sim/borders.h"
#include "sim/name_stems.h"
#include "support/battle_fixture.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;

const std::vector<std::string> TwoStates = {
    "1122",  //
    "1122",  //
    "1122",  //
    "1122",  //
};

bool HasMessage(const Game& g, int gos, const std::string& text) {
    for (const TMesRec& m : g.MesList.entries()) {
        if (m.Gos == gos && m.Text.utf8() == text) return true;
    }
    return false;
}

TEST(NewGeneral, NamesTheSlotAfterItsStemAndNumber) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::TestTexts texts({{Msg::GeneralStem1, "Иван"},
                           {Msg::GeneralStem2, "Пётр"},
                           {Msg::GeneralStem10, "Александрович"},
                           {Msg::GeneralStem11, "Гром"}});
    g.Texts = &texts;
    LoadNameStems(g);

    const std::pair<int, const char*> expected[] = {
        {1, "Иван1"},    {19, "Иван19"}, {20, "Иван0"},          {21, "Пётр1"},
        {41, "Градов1"}, {201, "Гром1"}, {195, "Александрович"},  // 14 characters cut to 13; 41: built-in stem
    };
    for (auto [slot, name] : expected) {
        NewGeneral(g, slot);
        EXPECT_EQ(g.mGeneral[slot].Name.utf8(), name) << "slot " << slot;
    }
}

TEST(NewGeneral, ReturnsTheSlotToThePoolAndVacatesHisPost) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    int gen = PostGeneral(g, 1, 2, OrderAttack);
    TCommander& c = g.mGeneral[gen];
    c.Knowledge = 70;
    c.Spirit = 20;
    c.Speed = 90;
    c.Age = 44;
    c.Attestation = 4;

    NewGeneral(g, gen);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, 0);
    EXPECT_EQ(c.Number, gen);
    EXPECT_EQ(c.Owner, 0);
    EXPECT_EQ(c.Front, 0);
    EXPECT_EQ(c.Order, OrderRest);
    EXPECT_EQ(c.Speed, 1);
    EXPECT_EQ(c.Spirit, 100);
    EXPECT_EQ(c.Knowledge, 0);
    EXPECT_EQ(c.Age, 44);  // the buyer sets age and attestation
    EXPECT_EQ(c.Attestation, 4);
}

TEST(NewGeneral, SpanOfServiceComesFromOneWholeAndUpToTwoRealDraws) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    int shortest = 99, longest = 60;
    for (uint32_t seed = 1; seed <= 2000; ++seed) {
        g.Rng.setSeed(seed);
        RandomGenerator replay(seed);
        int x = replay.Random(40);
        if (replay.Real() < 0.5L)
            x /= 3;
        else if (replay.Real() < 0.5L)
            x /= 2;

        NewGeneral(g, 7);
        ASSERT_EQ(g.mGeneral[7].MaxAge, 60 + x) << "seed " << seed;
        ASSERT_EQ(g.Rng.seed(), replay.seed()) << "seed " << seed;  // no draw more, none less
        shortest = std::min<int>(shortest, g.mGeneral[7].MaxAge);
        longest = std::max<int>(longest, g.mGeneral[7].MaxAge);
    }
    EXPECT_EQ(shortest, 60);
    EXPECT_EQ(longest, 99);
}

TEST(GeneralsMoveOrder, FastestFirstLowerNumberOnEqualSpeedAndSpeedZeroNever) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    g.mGeneral[5].Speed = 10;
    g.mGeneral[3].Speed = 10;
    g.mGeneral[7].Speed = 20;
    g.mGeneral[201].Speed = 1;
    g.mGeneral[150].Speed = 255;
    EXPECT_EQ(GeneralsMoveOrder(g), (std::vector<int>{150, 7, 3, 5, 201}));
}

TEST(GeneralsYear, AGeneralServesThroughHisMaxAgeAndLeavesTheYearAfter) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    int gen = PostGeneral(g, 1, 0, OrderStudy, "Старик");
    g.mGeneral[gen].Age = 60;
    g.mGeneral[gen].MaxAge = 60;

    GeneralsYear(g);
    EXPECT_EQ(g.mGeneral[gen].Owner, 1);
    EXPECT_EQ(g.mGeneral[gen].Age, 61);
    EXPECT_EQ(g.mGeneral[gen].Knowledge, 13);  // still studied

    test::TestTexts texts({{Msg::GeneralRetired, "Генерал %s ушёл в отставку"}});
    g.Texts = &texts;
    GeneralsYear(g);
    EXPECT_EQ(g.mGeneral[gen].Owner, 0);
    EXPECT_EQ(g.mGeneral[gen].Age, 61);  // left as it was
    EXPECT_EQ(g.mGos[1].GeneralCount, 0);
    ASSERT_EQ(g.MesList.Count(), 1);
    EXPECT_EQ(g.MesList[0].Text.utf8(), "Генерал Старик ушёл в отставку");
    EXPECT_EQ(g.MesList[0].Color, color::Red);
    EXPECT_EQ(g.MesList[0].Kind, MesForState);
}

TEST(GeneralsYear, StudyAndRestStopAtTheirLimits) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    int scholar = PostGeneral(g, 1, 0, OrderStudy);
    g.mGeneral[scholar].Knowledge = 98;
    g.mGeneral[scholar].Attestation = 5;
    int rested = PostGeneral(g, 1, 0, OrderRest);
    g.mGeneral[rested].Spirit = 96;
    int tired = PostGeneral(g, 1, 0, OrderRest);
    g.mGeneral[tired].Spirit = 95;
    int weary = PostGeneral(g, 2, 0, OrderRest);
    g.mGeneral[weary].Spirit = 40;

    GeneralsYear(g);
    EXPECT_EQ(g.mGeneral[scholar].Knowledge, 100);
    EXPECT_EQ(g.mGeneral[rested].Spirit, 100);
    EXPECT_EQ(g.mGeneral[tired].Spirit, 100);
    EXPECT_EQ(g.mGeneral[weary].Spirit, 45);
}

TEST(GeneralsYear, ADefendingGeneralFortifiesEveryBorderOfHisStateForThisYearOnly) {
    const std::vector<std::string> map = {
        "1122",  //
        "1122",  //
        "3322",  //
        "3322",  //
    };
    auto game = MakeGame(map);
    Game& g = *game;
    int keeper = PostGeneral(g, 2, 1, OrderDefend);
    g.mGeneral[keeper].Spirit = 2;
    PostGeneral(g, 2, 3, OrderRest);    // another general's border is prepared too
    g.mGos[1].Border[2].Fortified = 1;  // left from last year

    GeneralsYear(g);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(g.mGos[2].Border[k].Fortified, 1) << k;
    EXPECT_EQ(g.mGos[1].Border[2].Fortified, 0);
    EXPECT_EQ(g.mGeneral[keeper].Spirit, 0);

    g.mGeneral[keeper].Order = OrderRest;
    GeneralsYear(g);
    EXPECT_EQ(g.mGos[2].Border[1].Fortified, 0);
}

// Whether the attacked border is prepared depends on who moves first.
bool DefenderFortifiedBeforeTheAttack(int attackerSpeed, int defenderSpeed) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 0.1);
    g.mGos[2].Human = 1;
    AddTroops(g, 1, 2, {1000, 1000, 1000});
    AddTroops(g, 2, 1, {1000, 1000, 1000});
    int attacker = PostGeneral(g, 1, 2, OrderAttack);
    int keeper = PostGeneral(g, 2, 1, OrderDefend);
    g.mGeneral[attacker].Speed = static_cast<uint8_t>(attackerSpeed);
    g.mGeneral[keeper].Speed = static_cast<uint8_t>(defenderSpeed);
    GeneralsYear(g);
    return HasMessage(g, 2, "Он хорошо подготовил войска к защите и теперь не позавидуешь нападающим");
}

TEST(GeneralsYear, AFasterDefenderPreparesHisBorderBeforeASlowerAttackerArrives) {
    EXPECT_TRUE(DefenderFortifiedBeforeTheAttack(50, 60));
    EXPECT_FALSE(DefenderFortifiedBeforeTheAttack(60, 50));
}

}  // namespace
}  // namespace korvant
