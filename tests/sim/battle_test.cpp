#include "sim/battle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/colors.h"
#include "core/random.h"
#include "sim/borders.h"
#include "support/battle_fixture.h"
#include "support/headless_log.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;

// State 2 holds eight cells between 1 above and 3 below.
const std::vector<std::string> ThreeStates = {
    "11111111",  //
    "11111111",  //
    "11111111",  //
    "11111111",  //
    "11112222",  //
    "11112222",  //
    "33333333",  //
    "33333333",  //
};

const std::vector<std::string> TwoStates = {
    "1122",  //
    "1122",  //
    "1122",  //
    "1122",  //
};

const test::TestTexts Texts({
    {Msg::GeneralGainedMastery, "Генерал %s стал опытнее на %d {уровень/уровня/уровней}"},
    {Msg::BattleDrawn, "%s и %s разошлись вничью"},
    {Msg::ArmyDestroyed, "Армия %s разбита"},
    {Msg::LossesCaption, "Потери: "},
    {Msg::ArmySpiritCaption, "Дух "},
    {Msg::LandCaptured, "%s взяло %d клеток"},
    {Msg::StateDestroyed, "%s пало"},
    {Msg::RulerLostState, "Игрок %s выбыл"},
});

// The battle reports state s received, in order.
std::vector<std::string> Reports(const Game& g, int s) {
    std::vector<std::string> out;
    for (const TMesRec& m : g.MesList.entries()) {
        if (m.Kind == MesBattle && m.Gos == s) out.push_back(m.Text.utf8());
    }
    return out;
}

int Count(const std::vector<std::string>& lines, const std::string& text) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

std::vector<std::string> MessagesFor(const Game& g, int s, uint8_t kind) {
    std::vector<std::string> out;
    for (const TMesRec& m : g.MesList.entries()) {
        if (m.Kind == kind && m.Gos == s) out.push_back(m.Text.utf8());
    }
    return out;
}

TEST(Attack, BorderArmyThenHomeDefenceFallThenTheLandIsTakenAndTheStateDestroyed) {
    auto game = MakeGame(ThreeStates);
    Game& g = *game;
    g.Texts = &Texts;
    test::SetBattleRules(g, 1.0);  // 300 attackers kill 3 a strike
    g.mGos[2].Human = 1;
    g.mGos[2].PlayerName.set("Вера");
    AddTroops(g, 1, 2, {100, 100, 100});
    AddTroops(g, 2, 1, {1, 1});
    AddTroops(g, 2, 2, {1});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack, "Ратибор");
    g.mGeneral[attacker].Speed = 166;
    const int guard = PostGeneral(g, 2, 1, OrderDefend, "Страж");
    const int home = PostGeneral(g, 2, 2, OrderDefend, "Домослав");

    Attack(g, attacker);

    for (int i = 5; i <= 6; ++i) {
        for (int j = 5; j <= 8; ++j) EXPECT_EQ(g.Map[i][j], 1);
    }
    EXPECT_EQ(g.mGos[1].Captured, 8);
    EXPECT_EQ(g.mGos[1].Conquests, 1);
    EXPECT_EQ(g.mGos[2].Alive, 0);
    EXPECT_EQ(g.mGos[2].Territory, 0);
    EXPECT_EQ(g.mGos[2].TimesAttacked, 1);
    EXPECT_EQ(g.mGos[2].Grudge(1), 0);  // +2 for the attack, -2 when the border army fell

    // 100 - 3 - 3 - 3 = 91, then -100 for the land lost; every living state then thirds its
    // attitude to the conqueror.
    EXPECT_EQ(g.mGos[2].Attitude(1), 0);
    EXPECT_EQ(g.mGos[1].Attitude(2), 95);
    EXPECT_EQ(g.mGos[3].Attitude(1), 33);

    EXPECT_EQ(g.Chronicle, "Gos1 - Gos2\r\nGos1 - Gos2\r\nGos2 пало\r\nИгрок Вера выбыл\r\n");
    HeadlessUi& ui = test::Headless(g);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"your turn", "defeat"}));
    EXPECT_EQ(g.CurPlayerName, "Вера");
    EXPECT_TRUE(ui.chat.empty());

    // Both defending generals were beaten off their posts; the attacker's border vanished.
    for (int d : {guard, home}) {
        EXPECT_EQ(g.mGeneral[d].Front, 0);
        EXPECT_EQ(g.mGeneral[d].Order, OrderRest);
        EXPECT_EQ(g.mGeneral[d].Owner, 2);
        EXPECT_EQ(g.mGeneral[d].Spirit, 45);
    }
    EXPECT_EQ(g.mGeneral[attacker].Front, 0);
    EXPECT_EQ(g.mGeneral[attacker].Spirit, 35);  // -5 for the border layer, -10 for the home defence
    EXPECT_EQ(g.mGos[2].Soldiers, 0);
    EXPECT_EQ(g.mGos[1].Soldiers, 300);
    EXPECT_EQ(g.mGos[1].FreeSoldiers, 300);

    const std::vector<std::string> reports = Reports(g, 2);
    EXPECT_EQ(Count(reports, "Армия Gos2 разбита"), 2);
    EXPECT_EQ(Count(reports, "Командовать войсками защиты будет Страж"), 1);
    EXPECT_EQ(Count(reports, "Командовать войсками защиты будет Домослав"), 1);
    EXPECT_EQ(Count(reports, "Gos1 взяло 8 клеток"), 1);
    EXPECT_EQ(Count(reports, "Удар 1/1"), 2);
    EXPECT_EQ(Count(reports, "и ответ"), 2);
    EXPECT_TRUE(Reports(g, 1).empty());  // computer states get no battle reports
    const auto guardAt = std::find(reports.begin(), reports.end(), "Командовать войсками защиты будет Страж");
    const auto homeAt = std::find(reports.begin(), reports.end(), "Командовать войсками защиты будет Домослав");
    EXPECT_LT(guardAt, homeAt);
}

TEST(Attack, ADestroyedPersonIsAnnouncedOnTheChatInANetworkGame) {
    auto game = MakeGame(ThreeStates);
    Game& g = *game;
    g.Texts = &Texts;
    g.GameMode = ModeNetServer;
    test::SetBattleRules(g, 1.0);
    g.mGos[2].Human = 77;
    g.mGos[2].PlayerName.set("Вера");
    AddTroops(g, 1, 2, {100, 100, 100});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack);
    g.mGeneral[attacker].Speed = 166;

    Attack(g, attacker);
    HeadlessUi& ui = test::Headless(g);
    EXPECT_EQ(g.mGos[2].Alive, 0);
    EXPECT_EQ(ui.chat, (std::vector<std::string>{"Игрок Вера выбыл"}));
    EXPECT_TRUE(ui.windows.empty());
}

// Both armies of 1000 lose one soldier a strike, so nobody falls within 20 rounds.
TEST(Attack, TwentyUndecidedRoundsAreADrawThatTeachesBothGenerals) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    g.Texts = &Texts;
    test::SetBattleRules(g, 0.1);
    g.mGos[1].Human = 1;
    AddTroops(g, 1, 2, {400, 300, 300});
    AddTroops(g, 2, 1, {400, 300, 300});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack, "Ратибор");
    const int guard = PostGeneral(g, 2, 1, OrderDefend, "Страж");

    Attack(g, attacker);

    // Each strike restarts at kind 1.
    EXPECT_EQ(g.mGos[1].Border[2].Troops[1], 380);
    EXPECT_EQ(g.mGos[2].Border[1].Troops[1], 380);
    EXPECT_EQ(g.mGos[2].Border[1].Troops[2], 300);
    EXPECT_EQ(g.mGos[2].Soldiers, 980);
    EXPECT_EQ(g.mGos[1].Captured, 0);
    EXPECT_EQ(g.Map[1][3], 2);

    EXPECT_EQ(g.mGeneral[attacker].Knowledge, 20);
    EXPECT_EQ(g.mGeneral[guard].Knowledge, 20);
    EXPECT_EQ(g.mGeneral[attacker].Spirit, 45);
    EXPECT_EQ(g.mGeneral[guard].Spirit, 45);
    EXPECT_EQ(g.mGeneral[attacker].Front, 2);
    EXPECT_EQ(g.mGeneral[guard].Front, 1);

    const std::vector<std::string> reports = Reports(g, 1);
    EXPECT_EQ(Count(reports, "Gos1 и Gos2 разошлись вничью"), 1);
    EXPECT_EQ(Count(reports, "Ходит Gos1"), 20);
    EXPECT_EQ(Count(reports, "Ходит Gos2"), 20);
    EXPECT_EQ(MessagesFor(g, 1, MesForState), (std::vector<std::string>{"Генерал Ратибор стал опытнее на 10 уровней"}));
    EXPECT_EQ(MessagesFor(g, 2, MesForState), (std::vector<std::string>{"Генерал Страж стал опытнее на 10 уровней"}));
    EXPECT_EQ(g.Chronicle, "Gos1 - Gos2\r\n");
}

TEST(Attack, TheBeatenAttackerLeavesTheBorderAndTheDefenderKeepsItsLand) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 1.0);
    AddTroops(g, 1, 2, {1});
    AddTroops(g, 2, 1, {300, 300, 300});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack);
    const int guard = PostGeneral(g, 2, 1, OrderDefend);

    Attack(g, attacker);
    EXPECT_EQ(g.mGos[1].Soldiers, 0);
    EXPECT_EQ(g.mGeneral[attacker].Front, 0);
    EXPECT_EQ(g.mGeneral[attacker].Order, OrderRest);
    EXPECT_EQ(g.mGos[1].Border[2].Commander, 0);
    EXPECT_EQ(g.mGos[1].Attitude(2), 96);
    EXPECT_EQ(g.mGos[2].Attitude(1), 97);
    EXPECT_EQ(g.mGeneral[guard].Front, 1);
    EXPECT_EQ(g.mGos[2].Territory, 8);
}

TEST(Attack, AnAttackerWithoutSoldiersFightsNoBattleAndTheHomeDefenceStaysOnTheThreatenedBorder) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 1.0);
    g.mGos[2].Human = 1;
    AddTroops(g, 2, 2, {50});
    AddTroops(g, 2, 1, {7});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack);
    const int home = PostGeneral(g, 2, 2, OrderDefend);

    Attack(g, attacker);
    EXPECT_EQ(g.mGos[2].TimesAttacked, 1);
    EXPECT_EQ(g.mGos[2].Grudge(1), 2);
    EXPECT_EQ(g.mGos[2].Attitude(1), 100);
    // The exchange that called the home defence up is not undone.
    EXPECT_EQ(g.mGos[2].Border[1].Troops[1], 50);
    EXPECT_EQ(g.mGos[2].Border[2].Troops[1], 7);
    EXPECT_EQ(g.mGos[2].Border[1].Commander, home);
    EXPECT_EQ(g.mGos[2].Border[2].Commander, 0);
    EXPECT_EQ(g.mGeneral[home].Front, 1);
    EXPECT_EQ(g.mGos[2].Soldiers, 57);
    EXPECT_EQ(g.MesList.Count(), 0);
    EXPECT_EQ(g.Chronicle, "");
}

TEST(Attack, ThePeoplesCommanderLeadsOneBattleAndKeepsNeitherNameNorKnowledge) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 0.1);
    g.mGos[2].Human = 1;
    AddTroops(g, 1, 2, {1000});
    AddTroops(g, 2, 1, {3});     // no commander here: this army waits at home
    AddTroops(g, 2, 2, {2000});  // the home defence fights under the people's commander
    const int attacker = PostGeneral(g, 1, 2, OrderAttack);

    for (int battle = 1; battle <= 2; ++battle) {
        g.MesList.Clear();
        Attack(g, attacker);
        const std::vector<std::string> reports = Reports(g, 2);
        EXPECT_EQ(Count(reports, "У защищающейся стороны нет командира, пришлось выбрать кандидатуру из народа"), 1);
        EXPECT_EQ(Count(reports, "Командовать войсками защиты будет Гравнок"), 1);

        const TCommander& people = g.mGeneral[PeoplesCommander];
        EXPECT_EQ(people.Owner, 0);
        EXPECT_EQ(people.Front, 0);
        EXPECT_EQ(people.Knowledge, 0);  // twenty rounds teach him nothing to keep
        EXPECT_EQ(people.Name.utf8(), "?1");
        EXPECT_EQ(g.mGos[2].Border[1].Commander, 0);
        EXPECT_EQ(g.mGos[2].Border[2].Commander, 0);
        // The armies are back where they stood.
        EXPECT_EQ(g.mGos[2].Border[1].Troops[1], 3);
        EXPECT_EQ(g.mGos[2].Border[2].Troops[1], 2000 - 20 * battle);
    }
    EXPECT_EQ(g.mGeneral[attacker].Knowledge, 30);
}

TEST(Attack, AnEmptyBorderFallsToTheFirstStrike) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 0.0);  // no damage at all, yet one soldier always falls
    AddTroops(g, 1, 2, {10});
    const int attacker = PostGeneral(g, 1, 2, OrderAttack);
    g.mGeneral[attacker].Speed = 1;

    Attack(g, attacker);
    // CellsToTake(1, 10) = 7 cells of the 8.
    EXPECT_EQ(g.mGos[1].Captured, 7);
    EXPECT_EQ(g.mGos[2].Alive, 1);
    EXPECT_EQ(g.mGos[2].Territory, 1);
}

TEST(Strike, AFortifiedBorderDividesTheDamageByOneAndAHalf) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 0.1);
    AddTroops(g, 1, 2, {1000, 1000, 1000});  // damage 300 against training 100: 3 killed
    AddTroops(g, 2, 1, {100, 100, 100});

    EXPECT_FALSE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(TroopsOnBorder(g, 2, 1), 297);
    g.mGos[2].Border[1].Fortified = 1;
    EXPECT_FALSE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(TroopsOnBorder(g, 2, 1), 295);
    EXPECT_EQ(g.mGos[2].Soldiers, 295);

    // Better training on either side scales the damage.
    g.mGos[1].Science[SciMilitary].Effect = 200;
    EXPECT_FALSE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(TroopsOnBorder(g, 2, 1), 291);
}

TEST(Strike, SpiritFollowsTheStrikeRoundedHalfToEven) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    g.Texts = &Texts;
    g.mGos[1].Human = 1;
    g.BattleAttacker = 1;
    g.BattleDefender = 2;
    test::SetBattleRules(g, 1.0);
    for (int k = 1; k <= 3; ++k) g.Rules.BattleTable[1][1][k] = TBattleCell{1.0, 0.5, 0.5};
    AddTroops(g, 1, 2, {100, 100, 100});
    AddTroops(g, 2, 1, {35, 34, 34});
    g.mGos[1].ArmySpirit = 50;
    g.mGos[2].ArmySpirit = 60;

    EXPECT_FALSE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(g.mGos[1].ArmySpirit, 50);  // (50 * 300 + 150) / 300 = 50.5
    EXPECT_EQ(g.mGos[2].ArmySpirit, 58);  // (60 * 100 - 150) / 100 = 58.5
    EXPECT_EQ(Reports(g, 1).back(), "Потери: Пехота: 1, Конница: 1, Пушки: 1, ");
}

// Losses go one soldier at a time round the kinds, skipping empty ones.
TEST(Strike, LossesGoRoundTheKindsAsOneAtATimeWould) {
    RandomGenerator rng(42);
    for (int trial = 0; trial < 500; ++trial) {
        auto game = MakeGame(TwoStates);
        Game& g = *game;
        test::SetBattleRules(g, 1.0);
        const int a = rng.Random(40), b = rng.Random(40), c = rng.Random(40);
        AddTroops(g, 2, 1, {a, b, c});
        const int total = a + b + c;
        if (total < 2) continue;
        const int kills = 1 + rng.Random(total - 1);
        AddTroops(g, 1, 2, {kills * 100});  // damage kills * 100 against training 100

        int expect[4] = {0, a, b, c};
        for (int left = kills, k = 1; left > 0; k = k % 3 + 1) {
            if (expect[k] > 0) {
                --expect[k];
                --left;
            }
        }
        ASSERT_FALSE(Strike(g, 1, 2, 1, 1));
        for (int k = 1; k <= 3; ++k) ASSERT_EQ(g.mGos[2].Border[1].Troops[k], expect[k]) << a << " " << b << " " << c;
    }
}

TEST(Strike, DestroyingAnArmySendsItsGeneralToRestButKeepsThePeoplesCommander) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    test::SetBattleRules(g, 1.0);
    AddTroops(g, 1, 2, {300});
    AddTroops(g, 2, 1, {2, 1});
    const int guard = PostGeneral(g, 2, 1, OrderDefend);
    EXPECT_TRUE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(g.mGeneral[guard].Front, 0);
    EXPECT_EQ(g.mGeneral[guard].Order, OrderRest);
    EXPECT_EQ(g.mGos[2].Border[1].Commander, 0);
    EXPECT_EQ(g.mGos[2].Soldiers, 0);

    g.mGos[2].Border[1].Commander = PeoplesCommander;
    EXPECT_TRUE(Strike(g, 1, 2, 1, 1));
    EXPECT_EQ(g.mGos[2].Border[1].Commander, PeoplesCommander);
}

class ChooseTacticTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = MakeGame(TwoStates);
        test::SetBattleRules(*game, 1.0, 7);
        general = PostGeneral(*game, 1, 2, OrderAttack);
        AddTroops(*game, 1, 2, {100});
    }
    void Damage(int t, double d) {
        for (int k = 1; k <= 3; ++k) game->Rules.BattleTable[t][1][k].Damage = d;
    }
    std::unique_ptr<Game> game;
    int general = 0;
};

TEST_F(ChooseTacticTest, OnlyTacticsTheCommanderQualifiesForAreChosen) {
    Damage(2, 5.0);
    for (int t = 3; t <= 7; ++t) Damage(t, 0.5);
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 1);
    game->mGeneral[general].Knowledge = 100;
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 2);
    game->Rules.TacticTable[2].MinArmySpirit = 30;
    game->mGos[1].ArmySpirit = 29;
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 1);
}

TEST_F(ChooseTacticTest, TheLaterTacticWinsATie) {
    game->mGeneral[general].Knowledge = 100;
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 7);
}

TEST_F(ChooseTacticTest, AnOutnumberedSideTurnsToTacticsSixAndSeven) {
    game->mGeneral[general].Knowledge = 100;
    Damage(1, 10.0);
    for (int t = 2; t <= 7; ++t) Damage(t, 0.01);
    Damage(6, 0.02);
    AddTroops(*game, 2, 1, {150});  // 100 is not below 150 / 1.5
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 1);
    AddTroops(*game, 2, 1, {1});
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 6);
}

TEST_F(ChooseTacticTest, WithNoTacticAllowedTheWarningIsShownAndTacticOneUsed) {
    game->Rules.TacticTable[1].MinSpirit = 90;
    game->mGeneral[general].Spirit = 10;
    EXPECT_EQ(ChooseTactic(*game, 1, 2, general, 1), 1);
    HeadlessUi& ui = test::Headless(*game);
    EXPECT_EQ(ui.log.size(), 1u);
}

TEST(StatusReport, ListsBothArmiesKindByKindWithTheirSpirit) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    g.Texts = &Texts;
    test::SetBattleRules(g, 1.0);
    g.mGos[2].Human = 1;
    g.BattleAttacker = 1;
    g.BattleDefender = 2;
    AddTroops(g, 1, 2, {5, 0, 2});
    AddTroops(g, 2, 1, {1, 2, 3});
    g.mGos[1].ArmySpirit = 50;
    g.mGos[2].ArmySpirit = 7;
    StatusReport(g, 1, 2);
    ASSERT_EQ(g.MesList.Count(), 1);
    EXPECT_EQ(g.MesList[0].Color, color::Black);
    EXPECT_EQ(g.MesList[0].Text.utf8(),
              "\r\nGos1: Пехота: 5, Конница: 0, Пушки: 2, Дух 50%\r\n"
              "Gos2: Пехота: 1, Конница: 2, Пушки: 3, Дух 7%\r\n");
}

TEST(KnowledgeGain, OnePointPerTwoRoundsWithTheEndingThatAgrees) {
    auto game = MakeGame(TwoStates);
    Game& g = *game;
    g.Texts = &Texts;
    const int gen = PostGeneral(g, 1, 2, OrderAttack, "Ратибор");
    g.mGeneral[gen].Knowledge = 0;
    const std::pair<int, const char*> cases[] = {{1, nullptr},
                                                 {2, "Генерал Ратибор стал опытнее на 1 уровень"},
                                                 {8, "Генерал Ратибор стал опытнее на 4 уровня"},
                                                 {11, "Генерал Ратибор стал опытнее на 5 уровней"}};
    int expected = 0;
    for (auto [rounds, text] : cases) {
        g.MesList.Clear();
        KnowledgeGain(g, gen, rounds);
        expected += rounds / 2;
        EXPECT_EQ(g.mGeneral[gen].Knowledge, expected);
        EXPECT_EQ(g.MesList.Count(), text ? 1 : 0);
        if (text) {
            EXPECT_EQ(g.MesList[0].Text.utf8(), text);
        }
    }

    g.mGeneral[gen].Knowledge = 97;
    KnowledgeGain(g, gen, 20);
    EXPECT_EQ(g.mGeneral[gen].Knowledge, 100);
    g.MesList.Clear();
    KnowledgeGain(g, gen, 20);
    EXPECT_EQ(g.MesList.Count(), 0);  // a master learns nothing more
}

}  // namespace
}  // namespace korvant
