#include <gtest/gtest.h>

#include "sim/borders.h"
#include "sim/computer_army.h"
#include "sim/computer_mood.h"
#include "sim/computer_players.h"
#include "sim/computer_relations.h"
#include "sim/computer_targets.h"
#include "sim/pick_general.h"
#include "sim/troops.h"
#include "support/headless_log.h"
#include "support/seeded_draws.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;
using test::SeedAfter;
using test::SeedWithDraws;

// Two states of ten cells each and a strip of no man's land.
std::unique_ptr<Game> TwoEqualStates() { return MakeGame({"11111", "11111", "22222", "22222", "....."}); }

TEST(Relations, AttitudeFallsBySixTowardANeighbourNineTenthsStrongerAndRisesTowardAWeakOne) {
    auto game = TwoEqualStates();
    game->mGos[2].Peasants = 18;  // 1.8 people a cell: power 10 x 1.9 against 10
    game->mGos[2].Attitude(1) = 90;
    UpdateRelations(*game, 1);
    UpdateRelations(*game, 2);
    EXPECT_EQ(game->mGos[1].Attitude(2), 94);
    EXPECT_EQ(game->mGos[2].Attitude(1), 100);  // two +5 steps, the second capped
}

TEST(Relations, AGrudgeDecaysFirstThenCostsItsCubeAndAdvancesNoFriendship) {
    auto game = TwoEqualStates();
    game->mGos[1].Grudge(2) = 4;
    UpdateRelations(*game, 1);
    EXPECT_EQ(game->mGos[1].Grudge(2), 3);
    EXPECT_EQ(game->mGos[1].Attitude(2), 100 - 27);  // equal strength: no other change

    game->mGos[1].Attitude(2) = 20;
    game->mGos[1].Grudge(2) = 5;  // 4 ^ 3 = 64 takes it to 0, not below
    UpdateRelations(*game, 1);
    EXPECT_EQ(game->mGos[1].Attitude(2), 0);
}

TEST(Relations, DistantLivingStatesAreWarmedToAndTheDeadAreLeftAlone) {
    auto game = MakeGame({"1122", "1122", "....", "3333"}, 4);
    game->mGos[4].Alive = 0;
    CheckFronts(*game);
    game->mGos[1].Attitude(3) = 50;
    game->mGos[1].Attitude(4) = 50;
    game->mGos[2].Grudge(1) = 1;  // state 1 holds no grudge, but 2 does
    UpdateRelations(*game, 1);
    EXPECT_EQ(game->mGos[1].Attitude(3), 55);
    EXPECT_EQ(game->mGos[1].Attitude(4), 50);
    // Toward 2 (equal, touching): 2's grudge against 1 blocks the warming.
    EXPECT_EQ(game->mGos[1].Attitude(2), 100);
    game->mGos[1].Attitude(2) = 80;
    UpdateRelations(*game, 1);
    EXPECT_EQ(game->mGos[1].Attitude(2), 80);
}

TEST(ComputerPlays, ComputerStatesWithPeopleAndDelegatedPersonsForThisYear) {
    auto game = TwoEqualStates();
    EXPECT_FALSE(ComputerPlays(*game, 1));  // nobody lives there
    game->mGos[1].Scientists = 1;
    EXPECT_TRUE(ComputerPlays(*game, 1));
    game->mGos[1].Human = 1;
    EXPECT_FALSE(ComputerPlays(*game, 1));
    game->mGos[1].Delegated = 1;
    EXPECT_TRUE(ComputerPlays(*game, 1));
    game->mGos[1].Alive = 0;
    EXPECT_FALSE(ComputerPlays(*game, 1));
}

TEST(Mood, ThresholdsOfDangerFollowTheCharacter) {
    auto game = TwoEqualStates();
    game->Year = 40;
    game->mGos[2].Peasants = 5;  // power 12.5 against 10: strength 1.25
    game->mGos[1].Character = 1;
    Mood mood = ReadMood(*game, 1);
    EXPECT_FALSE(mood.Danger);
    EXPECT_FALSE(mood.Peace);  // over 1.2
    game->mGos[1].Character = 3;
    EXPECT_TRUE(ReadMood(*game, 1).Danger);  // over 1.2
    game->mGos[1].Character = 2;
    EXPECT_FALSE(ReadMood(*game, 1).Danger);  // 1.25 is not over 1.25
}

TEST(Mood, PeopleAddToThePowerAtMostTwoACell) {
    auto game = TwoEqualStates();
    game->mGos[2].Peasants = 15;
    EXPECT_EQ(StatePower(*game, 2), 17.5);  // 1.5 a cell: 10 x 1.75
    game->mGos[2].Peasants = 30;
    EXPECT_EQ(StatePower(*game, 2), 20);  // 3 a cell count as 2
    game->mGos[1].Peasants = 20;
    game->mGos[1].Character = 3;
    game->Year = 40;
    EXPECT_TRUE(ReadMood(*game, 1).Peace) << "as strong as a state of 2 a cell, not 1.25 times";
}

TEST(Mood, SmallStatesAttackedEarlyAreInDangerAndSizeDecidesSuperiorOrDwarfed) {
    // State 1: 4 cells, state 2: 12; average 8.
    auto game = MakeGame({"1122", "1122", "2222", "2222"});
    game->mGos[1].TimesAttacked = 1;
    Mood small = ReadMood(*game, 1);
    EXPECT_TRUE(small.Danger);
    EXPECT_FALSE(small.Peace);
    EXPECT_TRUE(small.Dwarfed);
    EXPECT_FALSE(small.Superior);

    Mood large = ReadMood(*game, 2);
    EXPECT_TRUE(large.Superior);
    EXPECT_FALSE(large.Dwarfed);
    EXPECT_TRUE(large.Peace);
    EXPECT_FALSE(large.Danger);
}

TEST(Mood, BelowAverageSizeEndsThePeaceEarlyAndAnAttackMeansDanger) {
    // Equal neighbours of 4 cells on a field of 16 for three states: under the average of 5.3.
    auto game = MakeGame({"1122", "1122", "....", "3333"});
    game->Year = 29;
    EXPECT_FALSE(ReadMood(*game, 1).Peace);
    EXPECT_FALSE(ReadMood(*game, 1).Danger);
    game->mGos[1].TimesAttacked = 1;
    EXPECT_TRUE(ReadMood(*game, 1).Danger);
    game->Year = 30;
    EXPECT_FALSE(ReadMood(*game, 1).Danger);
    EXPECT_TRUE(ReadMood(*game, 1).Peace);
    game->LivingCount = 0;  // under a fifth of the states alive
    EXPECT_TRUE(ReadMood(*game, 1).Danger);
}

// State 1 between two small states (2, 3) at the top and a large one (4) below: 32, 4, 4, 24 cells.
std::unique_ptr<Game> SmallAndLargeNeighbours() {
    auto game =
        MakeGame({"22223333", "11111111", "11111111", "11111111", "11111111", "44444444", "44444444", "44444444"});
    game->Year = 40;
    return game;
}

// 24, 12, 12, 16 cells: no neighbour of state 1 is under half its size.
std::unique_ptr<Game> NoSmallNeighbours() {
    auto game =
        MakeGame({"22223333", "22223333", "22223333", "11111111", "11111111", "11111111", "44444444", "44444444"});
    game->Year = 40;
    return game;
}

TEST(Targets, EarlyInTheGameARandomNeighbourAttackedNoMoreThanItself) {
    auto game = SmallAndLargeNeighbours();
    game->Year = 10;
    game->mGos[1].TimesAttacked = 2;
    game->mGos[2].TimesAttacked = 5;  // attacked more: no draw for it
    game->mGos[3].TimesAttacked = 2;
    game->mGos[4].TimesAttacked = 0;
    const uint32_t seed = SeedWithDraws({{0, 0.3L}, {0, 0.7L}, {0.7L, 1}});
    game->Rng.setSeed(seed);
    EXPECT_EQ(ChooseTarget(*game, 1), 3);  // 4 was drawn against
    EXPECT_EQ(game->Rng.seed(), SeedAfter(seed, 3));

    game->Year = 35;  // too late: no draw at all, and rule 3 picks the cheaper small state
    game->Rng.setSeed(seed);
    game->mGos[1].Grudge(2) = 2;
    EXPECT_EQ(ChooseTarget(*game, 1), 2);
    EXPECT_EQ(game->Rng.seed(), seed);
}

TEST(Targets, ANeighbourFallenOutWithComesFirstTheLaterOfEqualValues) {
    auto game = SmallAndLargeNeighbours();
    game->mGos[1].Attitude(2) = 5;
    game->mGos[1].Grudge(2) = 2;    // 5 - 4 = 1
    game->mGos[1].Attitude(4) = 1;  // 1 - 0 = 1, and later
    game->mGos[1].Attitude(3) = 9;
    EXPECT_EQ(ChooseTarget(*game, 1), 4);
    game->mGos[1].Attitude(4) = 10;  // not below 10 x character 1
    EXPECT_EQ(ChooseTarget(*game, 1), 2);
    game->mGos[1].Attitude(3) = 0;
    EXPECT_EQ(ChooseTarget(*game, 1), 3);
    game->LivingCount = 0;  // a fifth or fewer alive: rule 2 is off, the grudge makes 2 the cheaper
    EXPECT_EQ(ChooseTarget(*game, 1), 2);
}

TEST(Targets, TheCheapestSmallNeighbourTheLaterOfEqualCosts) {
    auto game = SmallAndLargeNeighbours();
    EXPECT_EQ(ChooseTarget(*game, 1), 3);  // 2 and 3 cost the same
    game->mGos[1].Grudge(2) = 1;
    EXPECT_EQ(ChooseTarget(*game, 1), 2);
}

TEST(Targets, AThinlyPeopledNeighbourThenTheCheapestOfAll) {
    auto game = NoSmallNeighbours();
    game->mGos[2].Peasants = 24;  // 2 a cell: not thin
    game->mGos[3].Peasants = 12;  // 1 a cell: 1 / 1.5 x 2 = 1.33
    game->mGos[4].Peasants = 8;   // half a cell: 2 / 1.5 x 2 = 2.67
    EXPECT_EQ(ChooseTarget(*game, 1), 4);
    game->mGos[1].Grudge(3) = 2;
    game->mGos[3].Peasants = 10;  // 1.2 / 1.5 x 4 = 3.2
    EXPECT_EQ(ChooseTarget(*game, 1), 3);

    game->mGos[3].Peasants = 24;
    game->mGos[4].Peasants = 32;
    // Everybody is crowded. Costs: 2 and 3 hold a corner each (weight 2): 1.067 x 12 / 2 x 1.5 = 9.6;
    // 4 holds two corners but has one border (weight 1): 1.033 x 16 / 2 x 1.5 = 12.4.
    game->mGos[1].Grudge(3) = 0;
    EXPECT_EQ(ChooseTarget(*game, 1), 3);  // equal with 2: the later
    game->mGos[1].Grudge(2) = 1;
    EXPECT_EQ(ChooseTarget(*game, 1), 2);
}

TEST(Targets, TheFearedNeighbourIsTheStrongestWeighedByRelationsBordersAndConquests) {
    auto game = NoSmallNeighbours();
    // Powers without people are the territories: 12, 12, 16 against 24.
    EXPECT_EQ(FearedNeighbour(*game, 1), 4);
    game->mGos[2].Conquests = 1;  // 0.5 / 2 / 1.1 x 2 = 0.4545 against 0.667 / 2 / 1.05 = 0.317
    EXPECT_EQ(FearedNeighbour(*game, 1), 2);
    game->mGos[1].Attitude(2) = 100;
    game->mGos[1].Attitude(4) = 0;  // 0.667 / 1 / 1.05 = 0.635
    EXPECT_EQ(FearedNeighbour(*game, 1), 4);

    auto alone = MakeGame({"11", "11"});
    EXPECT_EQ(FearedNeighbour(*alone, 1), 0);
    EXPECT_EQ(ChooseTarget(*alone, 1), 0);
}

// State 1 (24 cells) with 100 soldiers at home, feared neighbour 4, target 2.
std::unique_ptr<Game> Army(int character, int sown) {
    auto game = NoSmallNeighbours();
    TGos& gos = game->mGos[1];
    gos.Character = character;
    gos.Sown = static_cast<uint16_t>(sown);  // income sown x 10; 101 soldiers cost 4053
    AddTroops(*game, 1, 1, {40, 30, 30});
    AddTroops(*game, 1, 3, {1});
    return game;
}

constexpr int D = 4, T = 2;

Mood With(bool danger, bool superior, bool dwarfed) {
    Mood m;
    m.Danger = danger;
    m.Superior = superior;
    m.Dwarfed = dwarfed;
    m.Peace = false;
    return m;
}

struct Placement {
    int feared, target, home;
    bool operator==(const Placement&) const = default;
};

Placement Deployed(const Game& game) {
    EXPECT_EQ(game.mGos[1].FreeSoldiers, 0);
    EXPECT_EQ(TroopsOnBorder(game, 1, 3), 0);
    return {TroopsOnBorder(game, 1, D), TroopsOnBorder(game, 1, T), TroopsOnBorder(game, 1, 1)};
}

TEST(Troops, InDangerAndNotSuperiorTheFearedBorderIsHeld) {
    auto poor = Army(1, 0);
    DeployTroops(*poor, 1, With(true, false, false), D, T);
    EXPECT_EQ(Deployed(*poor), (Placement{101, 0, 0}));
    EXPECT_EQ(poor->mGos[1].Border[D].Troops[1], 34);

    auto rich = Army(1, 600);  // 6000 against a bill of 3982 + 1: 90% go for the target
    DeployTroops(*rich, 1, With(true, false, false), D, T);
    EXPECT_EQ(Deployed(*rich), (Placement{11, 90, 0}));

    auto bold = Army(3, 600);
    DeployTroops(*bold, 1, With(true, false, false), D, T);
    EXPECT_EQ(Deployed(*bold), (Placement{101, 0, 0}));
}

TEST(Troops, InDangerAndSuperiorTheTargetIsAttacked) {
    auto game = Army(1, 850);  // wages under half the income: no draw
    game->Rng.setSeed(9);
    DeployTroops(*game, 1, With(true, true, false), D, T);
    EXPECT_EQ(Deployed(*game), (Placement{0, 101, 0}));
    EXPECT_EQ(game->Rng.seed(), 9u);

    auto costly = Army(2, 0);
    costly->Rng.setSeed(SeedWithDraws({{0, 0.6L}}));
    DeployTroops(*costly, 1, With(true, true, false), D, T);
    EXPECT_EQ(Deployed(*costly), (Placement{50, 51, 0}));
}

TEST(Troops, DwarfedWithoutDangerStaysHomeWhileTheArmyIsCheap) {
    auto cheap = Army(1, 1300);  // 4053 <= 13000 / 3
    DeployTroops(*cheap, 1, With(false, false, true), D, T);
    EXPECT_EQ(Deployed(*cheap), (Placement{0, 0, 101}));

    auto dear = Army(1, 1200);
    DeployTroops(*dear, 1, With(false, false, true), D, T);
    EXPECT_EQ(Deployed(*dear), (Placement{101, 0, 0}));
}

TEST(Troops, SuperiorWithoutDangerSendsPartOfALargeArmyOut) {
    // 101 soldiers on 24 cells: more than half the territory, so no draw and no staying home.
    auto first = Army(1, 6000);
    first->Rng.setSeed(4);
    DeployTroops(*first, 1, With(false, true, false), D, T);
    EXPECT_EQ(Deployed(*first), (Placement{0, 70, 31}));
    EXPECT_EQ(first->Rng.seed(), 4u);

    auto second = Army(2, 6000);
    DeployTroops(*second, 1, With(false, true, false), D, T);
    EXPECT_EQ(Deployed(*second), (Placement{90, 0, 11}));

    auto small = Army(1, 6000);
    small->mGos[1].Territory = 300;
    small->Rng.setSeed(SeedWithDraws({{0, 0.8L}}));
    DeployTroops(*small, 1, With(false, true, false), D, T);
    EXPECT_EQ(Deployed(*small), (Placement{0, 0, 101}));
}

TEST(Troops, OtherwiseACrowdedOrBoldStateWithACostlyArmyAttacks) {
    auto bold = Army(3, 0);
    DeployTroops(*bold, 1, With(false, false, false), D, T);
    EXPECT_EQ(Deployed(*bold), (Placement{0, 101, 0}));

    auto calm = Army(1, 0);
    calm->mGos[1].Territory = 100;  // 1.01 people a cell: not crowded
    DeployTroops(*calm, 1, With(false, false, false), D, T);
    EXPECT_EQ(Deployed(*calm), (Placement{0, 0, 101}));
}

TEST(Troops, WithoutNeighboursEveryoneGoesHome) {
    auto game = MakeGame({"11", "11"});
    AddTroops(*game, 1, 1, {1});
    game->mGos[1].Soldiers += 5;
    game->mGos[1].FreeSoldiers += 5;
    DeployTroops(*game, 1, With(true, false, true), 0, 0);
    EXPECT_EQ(TroopsOnBorder(*game, 1, 1), 6);
    EXPECT_EQ(game->mGos[1].FreeSoldiers, 0);
}

// Tactic 1 open to all; tactic 2 needs knowledge 50 and spirit 60 (army spirit 90).
void TwoTactics(Game& game) {
    game.Rules.TacticCount = 2;
    game.Rules.TacticTable[2].MinKnowledge = 50;
    game.Rules.TacticTable[2].MinSpirit = 60;
    game.Rules.TacticTable[2].MinArmySpirit = 90;
}

int Hire(Game& game, int owner, int age, int speed, int knowledge, int spirit) {
    const int g = PostGeneral(game, owner, 0, OrderRest);
    TCommander& general = game.mGeneral[g];
    general.Age = static_cast<uint8_t>(age);
    general.Speed = static_cast<uint8_t>(speed);
    general.Knowledge = static_cast<uint8_t>(knowledge);
    general.Spirit = static_cast<uint8_t>(spirit);
    return g;
}

TEST(PickGeneral, ThreeScoringsOverTheUnpostedGeneralsOfTheState) {
    auto game = NoSmallNeighbours();
    TwoTactics(*game);
    const int versatile = Hire(*game, 1, 30, 10, 60, 95);  // v = 4: A 4+0.5+1+9.5 = 15, B 4+2+0.75+9.5 = 16.25
    const int fast = Hire(*game, 1, 30, 40, 0, 95);        // v = 2: A 2+2+1+9.5 = 14.5, B 2+8+0.75+9.5 = 20.25
    const int old = Hire(*game, 1, 70, 5, 0, 50);          // v = 2: holder 14 - 1 - 2 = 11
    EXPECT_EQ(Versatility(*game, game->mGeneral[versatile]), 4);
    EXPECT_EQ(PickGeneral(*game, 1, GeneralScoring::AttackerA), versatile);
    EXPECT_EQ(PickGeneral(*game, 1, GeneralScoring::AttackerB), fast);
    EXPECT_EQ(PickGeneral(*game, 1, GeneralScoring::Holder), old);

    game->mGeneral[old].Front = 1;                                        // posted generals are not picked
    EXPECT_EQ(PickGeneral(*game, 1, GeneralScoring::Holder), versatile);  // 6 - 2 - 4 = 0 beats 6 - 8 - 2
    EXPECT_EQ(PickGeneral(*game, 2, GeneralScoring::AttackerA), 0);
}

TEST(PostGenerals, AnExpensiveFearedBorderGetsAnAttackerAndAThinTargetIsGivenUp) {
    auto game = Army(1, 0);
    const int a = Hire(*game, 1, 60, 10, 0, 100);  // A: 2 + 0.5 + 2 + 10; B: 2 + 2 + 1.5 + 10
    const int b = Hire(*game, 1, 20, 30, 0, 100);  // A: 2 + 1.5 + 0.67 + 10; B: 2 + 6 + 0.5 + 10
    game->mGeneral[b].Front = 3;                   // standing somewhere from last year
    game->mGos[1].Border[3].Commander = static_cast<uint8_t>(b);
    DeployTroops(*game, 1, With(true, false, false), D, T);  // all on D
    AddTroops(*game, 1, T, {1});                             // one soldier on the target: not enough for 12 cells
    PostGenerals(*game, 1, With(true, false, false), D, T);

    EXPECT_EQ(game->mGos[1].Border[D].Commander, a);  // attacker A: the older of the two
    EXPECT_EQ(game->mGeneral[a].Front, D);
    EXPECT_EQ(game->mGeneral[a].Order, OrderAttack);
    EXPECT_EQ(game->mGos[1].Border[3].Commander, 0);
    EXPECT_EQ(TroopsOnBorder(*game, 1, T), 0);
    EXPECT_EQ(TroopsOnBorder(*game, 1, 1), 1);
    // The soldier sent home costs a wage of 1, more than no income can carry: b defends at home.
    EXPECT_EQ(game->mGos[1].Border[1].Commander, b);
    EXPECT_EQ(game->mGeneral[b].Front, 1);
    EXPECT_EQ(game->mGeneral[b].Order, OrderDefend);
}

TEST(PostGenerals, ACheapFearedBorderIsHeldByTheHolderInDangerAndEmptiedOtherwise) {
    auto danger = Army(3, 6000);  // income 60000: 101 soldiers cost 4053 < 60000 / 6
    const int young = Hire(*danger, 1, 20, 90, 0, 100);
    const int old = Hire(*danger, 1, 60, 5, 0, 100);
    DeployTroops(*danger, 1, With(true, false, false), D, T);
    PostGenerals(*danger, 1, With(true, false, false), D, T);
    EXPECT_EQ(danger->mGos[1].Border[D].Commander, old);
    EXPECT_EQ(danger->mGeneral[old].Order, OrderAttack);
    EXPECT_EQ(danger->mGos[1].Border[T].Commander, 0);
    EXPECT_EQ(danger->mGeneral[young].Front, 0);

    auto calm = Army(1, 6000);
    Hire(*calm, 1, 60, 5, 0, 100);
    DeployTroops(*calm, 1, With(true, false, false), D, T);  // 11 on D, 90 on T
    AddTroops(*calm, 1, T, {20});
    PostGenerals(*calm, 1, With(false, false, false), D, T);
    EXPECT_EQ(TroopsOnBorder(*calm, 1, D), 0);
    EXPECT_EQ(TroopsOnBorder(*calm, 1, T), 121);
    EXPECT_EQ(calm->mGos[1].Border[T].Commander, calm->mGeneral[1].Number);
    EXPECT_EQ(calm->mGeneral[1].Order, OrderAttack);
}

TEST(PostGenerals, AHomeArmyThatCostsMuchGetsADefender) {
    auto game = Army(1, 0);
    const int g = Hire(*game, 1, 40, 50, 10, 80);
    DeployTroops(*game, 1, With(false, false, true), D, T);  // income 0 < wages: all on D
    PlaceTroops(*game, 1, D, -TroopsOnBorder(*game, 1, D));
    PlaceTroops(*game, 1, 1, game->mGos[1].FreeSoldiers);
    PostGenerals(*game, 1, With(false, false, true), 0, 0);
    EXPECT_EQ(game->mGos[1].Border[1].Commander, g);
    EXPECT_EQ(game->mGeneral[g].Front, 1);
    EXPECT_EQ(game->mGeneral[g].Order, OrderDefend);
}

TEST(IdleGenerals, TheOldAndOrdinaryAreDismissedTheRestStudyOrRest) {
    auto game = TwoEqualStates();  // one neighbour: three generals are enough to dismiss
    game->Year = 50;
    const int old = Hire(*game, 1, 60, 10, 50, 50);
    const int learner = Hire(*game, 1, 40, 10, 29, 100);
    const int master = Hire(*game, 1, 30, 10, 100, 100);
    const int keen = Hire(*game, 1, 30, 10, 60, 97);
    SettleIdleGenerals(*game, 1);

    EXPECT_EQ(game->mGeneral[old].Owner, 0);  // 4 generals >= 1 + 2, old and ordinary
    EXPECT_EQ(game->mGos[1].GeneralCount, 3);
    EXPECT_EQ(game->mGeneral[learner].Owner, 1);  // young enough
    EXPECT_EQ(game->mGeneral[learner].Order, OrderStudy);
    EXPECT_EQ(game->mGeneral[master].Order, OrderRest);  // nothing left to learn
    EXPECT_EQ(game->mGeneral[keen].Order, OrderStudy);   // spirit 97 is never below 80 + Random(17)
}

TEST(ReportIdleForces, WarnsOfCommandersWithoutTroopsAndOfFreeSoldiers) {
    auto game = TwoEqualStates();
    PostGeneral(*game, 1, 2, OrderAttack);
    game->mGos[1].Soldiers = game->mGos[1].FreeSoldiers = 3;
    ReportIdleForces(*game, 1);
    ASSERT_EQ(test::Headless(*game).log.size(), 2u);
    EXPECT_EQ(test::Headless(*game).log[0], "Нету у меня войск В конце проверим генералов без войск");
    EXPECT_EQ(test::Headless(*game).log[1], "Незанятые солдаты у гос-ва:Gos1");
}

TEST(ComputerTurn, SellsAllGrainAndGivesTheSavingsBackAfterHiring) {
    auto game = NoSmallNeighbours();
    game->Year = 25;
    TGos& gos = game->mGos[1];
    gos.Peasants = 24;
    gos.Grain = 100;
    gos.Money = 1000;
    gos.Scientists = gos.FreeScientists = 14;  // wages 68: more than a quarter of the income
    PlayComputerTurn(*game, 1);
    // 24 cells sown from 24 tons; the other 76 sold at 10.
    EXPECT_EQ(gos.Sown, 24);
    EXPECT_EQ(gos.Grain, 0);
    EXPECT_EQ(gos.SavingUp, 1);
    EXPECT_EQ(gos.Money, 1000 + 760);  // nothing could be hired while the money was set aside
    EXPECT_EQ(gos.Peasants, 24);
    int staffed = 0;
    for (int j = 1; j <= ScienceCount; ++j) staffed += gos.Science[j].Staff;
    EXPECT_EQ(staffed + gos.FreeScientists, 14);
}

// Four states on a 12 x 12 field, each with people, grain and money, played for three years of
// computer moves. The outcome pins the order of the random draws.
TEST(ComputersMove, ASeededSequenceOfMovesIsReproducible) {
    auto game =
        MakeGame({"111111222222", "111111222222", "111111222222", "111111222222", "111111222222", "111111222222",
                  "333333444444", "333333444444", "333333444444", "333333444444", "333333444444", "333333444444"});
    for (int s = 1; s <= 4; ++s) {
        TGos& gos = game->mGos[s];
        gos.Character = s % 3 + 1;
        gos.Peasants = 30 + 5 * s;
        gos.Grain = 60;
        gos.Money = 2000 * s;
    }
    game->mGos[2].Human = 1;
    game->mGos[2].Delegated = 1;
    game->Rng.setSeed(2024);
    for (int year = 1; year <= 3; ++year) {
        game->Year = static_cast<uint8_t>(year * 12);
        ComputersMove(*game);
    }
    EXPECT_EQ(game->Rng.seed(), 2435377528u);
    struct Outcome {
        int money, scientists, age, attestation, speed;
    };
    const Outcome expected[4] = {{6, 3, 15, 3, 27}, {24, 12, 25, 4, 34}, {8, 4, 20, 4, 52}, {47, 10, 25, 4, 77}};
    for (int s = 1; s <= 4; ++s) {
        const Outcome& e = expected[s - 1];
        const TCommander& general = game->mGeneral[s];
        EXPECT_EQ(game->mGos[s].Money, e.money) << "state " << s;
        EXPECT_EQ(game->mGos[s].Scientists, e.scientists) << "state " << s;
        EXPECT_EQ(game->mGos[s].GeneralCount, 1) << "state " << s;
        EXPECT_EQ(general.Owner, s);
        EXPECT_EQ(general.Age, e.age) << "state " << s;
        EXPECT_EQ(general.Attestation, e.attestation) << "state " << s;
        EXPECT_EQ(general.Speed, e.speed) << "state " << s;
        EXPECT_EQ(general.Order, OrderStudy) << "state " << s;  // no soldiers to command, knowledge 1
    }
    EXPECT_TRUE(test::Headless(*game).log.empty());
}

}  // namespace
}  // namespace korvant
