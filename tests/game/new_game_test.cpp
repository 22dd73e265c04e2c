#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/game.h"
#include "game/new_game.h"
#include "support/local_game.h"

namespace korvant {
namespace {

TEST(NewGameSetup, StatesResetPersonsAndExpertFixesTheField) {
    Game game;
    NewGameSetup setup;
    EXPECT_EQ(setup.Hardness(), 100);

    setup.SetPersons(7);
    EXPECT_EQ(setup.persons, 7);
    setup.SetStates(5);
    EXPECT_EQ(setup.persons, 1);
    EXPECT_EQ(setup.Hardness(), 25);
    setup.SetPersons(9);
    EXPECT_EQ(setup.persons, 5);
    setup.SetPersons(0);
    EXPECT_EQ(setup.persons, 1);
    setup.SetStates(1);
    EXPECT_EQ(setup.states, 2);
    setup.SetStates(21);
    EXPECT_EQ(setup.states, 20);
    setup.SetStates(5);

    setup.SetSize(63);
    EXPECT_EQ(setup.size, 65);
    setup.SetDifficulty(game, DiffExpert);
    EXPECT_EQ(game.DiffLevel, DiffExpert);
    EXPECT_EQ(setup.size, 100);
    EXPECT_FALSE(setup.sizeEnabled);
    setup.SetSize(50);
    EXPECT_EQ(setup.size, 100);

    setup.SetDifficulty(game, DiffNormal);
    EXPECT_EQ(game.DiffLevel, DiffNormal);
    EXPECT_TRUE(setup.sizeEnabled);
    EXPECT_EQ(setup.size, 100);  // freed, but not moved back

    for (int outside : {DiffTraining - 1, DiffExpert + 1}) {
        setup.SetDifficulty(game, outside);
        EXPECT_EQ(game.DiffLevel, DiffNormal) << outside;
    }
    EXPECT_EQ(DifficultyLabelOf(DiffTraining), Msg::TrainingGameLabel);
    EXPECT_EQ(DifficultyLabelOf(DiffExpert), Msg::ExpertGameLabel);
    EXPECT_EQ(DifficultyLabelOf(-1), std::nullopt);
}

class NewMapTest : public testing::Test {
protected:
    void Make(int states, int size) { test::NewLocalMap(game, {.states = states, .size = size, .seed = 5}); }
    Game game;
};

TEST_F(NewMapTest, TwentyStatesOnTheLargestFieldStartWith455PeopleAndCost100) {
    game.mGos[4].Money = 999;  // left from an earlier game
    game.mGos[4].Alive = 1;
    game.mGos[4].Human = 2;
    game.Chronicle = "old";
    game.MesList.Add(1, 1, 0, "old");
    game.Year = 77;
    Make(20, 100);

    for (int p = 1; p <= 20; ++p) {
        const TGos& g = game.mGos[p];
        EXPECT_EQ(g.Grain, 455);
        EXPECT_EQ(g.Peasants, 455);
        EXPECT_EQ(g.Money, 0);
        EXPECT_EQ(g.Alive, 0);
        EXPECT_EQ(g.Human, 0);
        EXPECT_EQ(g.Name.utf8(), BuiltInText(MsgAt(Msg::StateName1, p - 1)));
        for (int s = 1; s <= 6; ++s) EXPECT_EQ(g.Science[s].Cost, 100);
        EXPECT_EQ(g.Attitude(20), 100);
        EXPECT_EQ(g.Grudge(20), 0);
        if (p > 1) {
            EXPECT_EQ(g.Character, game.mGos[p - 1].Character % 3 + 1);
        }
    }
    EXPECT_GE(game.mGos[1].Character, 1);
    EXPECT_LE(game.mGos[1].Character, 3);
    EXPECT_FLOAT_EQ(game.CostGrowth, 20);
    EXPECT_FLOAT_EQ(game.mGos[7].Science[5].Effect, 100);
    EXPECT_FLOAT_EQ(game.mGos[7].Science[5].Step, 10);
    EXPECT_FLOAT_EQ(game.mGos[7].Science[1].Step, 0.07f);
    EXPECT_EQ(game.Year, 1);
    EXPECT_TRUE(game.Chronicle.empty());
    EXPECT_EQ(game.MesList.Count(), 0);
    for (int g = 1; g <= GeneralSlots; ++g) {
        EXPECT_EQ(game.mGeneral[g].Number, g);
        EXPECT_EQ(game.mGeneral[g].Owner, 0);
        EXPECT_EQ(game.mGeneral[g].Front, 0);
    }
}

TEST_F(NewMapTest, FewStatesOnALargeFieldResearchOnlyAThirdDearer) {
    Make(2, 100);
    // 10000 / 2 / 5 = 1000 is over 100: 1000 / 3 + 100 = 433.
    EXPECT_EQ(game.mGos[2].Science[3].Cost, 433);
    EXPECT_FLOAT_EQ(game.CostGrowth, 86.6f);
    EXPECT_EQ(game.mGos[1].Peasants, 4545);  // 5000 / 1.1 = 4545.45
}

TEST_F(NewMapTest, StateNamesComeFromTheTexts) {
    struct Names : TextSource {
        std::string Lookup(Msg id) const override {
            return id == Msg::StateName3 ? "Очень-очень длинное имя" : std::string(BuiltInText(id));
        }
    } names;
    game.Texts = &names;
    Make(3, 50);
    EXPECT_EQ(game.mGos[2].Name.utf8(), "Ардения");
    EXPECT_EQ(game.mGos[3].Name.utf8(), "Очень-очень д");
}

// Persons choose through a scripted territory window.
class ScriptedChoice : public HeadlessUi {
public:
    ModalResult ChooseTerritory(Game& game, int person) override {
        windows.emplace_back("territory " + std::to_string(person));
        int taken = 0;
        for (int s = 1; s <= game.GosCount; ++s) taken += game.mGos[s].Alive;
        takenBefore.push_back(taken);
        if (giveUpAt == int(takenBefore.size())) return ModalResult::Quit;
        // A refused state first, then the first free one.
        for (int s = 1; s <= game.GosCount; ++s) {
            if (game.mGos[s].Alive != 0) {
                EXPECT_FALSE(TakeTerritory(game, s, person, "Никто"));
                break;
            }
        }
        for (int s = 1; s <= game.GosCount; ++s) {
            if (TakeTerritory(game, s, person, "Игрок номер " + std::to_string(person) + " из многих"))
                return ModalResult::EndTurn;
        }
        return ModalResult::Quit;
    }
    std::vector<int> takenBefore;
    int giveUpAt = 0;
};

class ChooseTest : public NewMapTest {
protected:
    void SetUp() override { game.Ui = &ui; }
    ScriptedChoice ui;
};

TEST_F(ChooseTest, ALonePersonChoosesBeforeAnyComputer) {
    Make(6, 50);
    game.SaveCount = 4;
    game.ResumePlayer = 3;
    ASSERT_TRUE(ChooseTerritories(game, 1));
    EXPECT_EQ(ui.takenBefore, std::vector<int>{0});
    EXPECT_EQ(ui.windows, std::vector<std::string>{"territory 1"});
    EXPECT_EQ(game.SaveCount, 0);
    EXPECT_EQ(game.PeopleCount, 1);
    EXPECT_EQ(game.ResumePlayer, 1);
    int persons = 0, territory = 0;
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(game.mGos[s].Alive, 1);
        persons += game.mGos[s].Human != 0;
        territory += game.mGos[s].Territory;
    }
    EXPECT_EQ(persons, 1);
    EXPECT_EQ(territory, 2500);  // the borders were rebuilt from the map
    EXPECT_EQ(game.mGos[1].Human, 1);
    EXPECT_EQ(game.mGos[1].PlayerName.utf8(), "Игрок номер 1");
}

TEST_F(ChooseTest, SeveralPersonsGetReadyInTurnAndTakeTheirNumbers) {
    Make(8, 50);
    ASSERT_TRUE(ChooseTerritories(game, 3));
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"get ready", "territory 1", "get ready", "territory 2", "get ready",
                                                    "territory 3"}));
    std::vector<int> humans(4, 0);
    for (int s = 1; s <= 8; ++s) {
        EXPECT_EQ(game.mGos[s].Alive, 1);
        ++humans[game.mGos[s].Human];
    }
    EXPECT_EQ(humans, (std::vector<int>{5, 1, 1, 1}));
    EXPECT_EQ(game.PeopleCount, 3);
}

TEST_F(ChooseTest, GivingUpStopsTheChoosing) {
    Make(8, 50);
    ui.giveUpAt = 2;
    EXPECT_FALSE(ChooseTerritories(game, 2));
    int alive = 0;
    for (int s = 1; s <= 8; ++s) alive += game.mGos[s].Alive;
    EXPECT_LT(alive, 8);
    EXPECT_EQ(game.mGos[1].Territory, 0);  // no border rebuild
}

TEST_F(ChooseTest, WithoutPersonsEveryStateIsTheComputersAndTooManyPersonsAreRefused) {
    Make(4, 50);
    ASSERT_TRUE(ChooseTerritories(game, 0));
    EXPECT_TRUE(ui.windows.empty());
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(game.mGos[s].Alive, 1);
        EXPECT_EQ(game.mGos[s].Human, 0);
    }
    Make(4, 50);
    EXPECT_THROW(ChooseTerritories(game, 5), std::invalid_argument);
    EXPECT_THROW(ChooseTerritories(game, -1), std::invalid_argument);
    // As many persons as states: every state is a person's.
    Make(4, 50);
    ASSERT_TRUE(ChooseTerritories(game, 4));
    for (int s = 1; s <= 4; ++s) EXPECT_NE(game.mGos[s].Human, 0);
}

TEST(HeadlessTerritory, TakesAFreeStateForTheNumberedPerson) {
    Game game;
    game.GosCount = 3;
    game.mGos[1].Alive = game.mGos[2].Alive = 1;
    HeadlessUi ui;
    EXPECT_EQ(ui.ChooseTerritory(game, 2), ModalResult::EndTurn);
    EXPECT_EQ(game.mGos[3].Human, 2);
    EXPECT_EQ(game.mGos[3].PlayerName.utf8(), "Игрок 2");
    EXPECT_EQ(ui.ChooseTerritory(game, 2), ModalResult::Quit);  // nothing left
}

}  // namespace
}  // namespace korvant
