#include "core/check_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_log.h"
#include "support/small_game.h"

namespace korvant {
namespace {

using test::AddTroops;
using test::MakeGame;
using test::PostGeneral;
using ::testing::ElementsAre;

const std::string Closing =
    "Блок предупреждения ошибок закрывает программу. Просьба при повторении ошибки связаться с разработчиком";

std::vector<std::string> FailureOf(Game& g, std::string_view label) {
    try {
        CheckState(g, label);
    } catch (const StateError& e) {
        return e.messages();
    }
    ADD_FAILURE() << "the check passed";
    return {};
}

TEST(CheckState, BalancedStatePassesSilently) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    AddTroops(*game, 1, 2, {1, 2, 3});
    AddTroops(*game, 1, 1, {4});
    game->mGos[1].FreeSoldiers = 5;
    game->mGos[1].Soldiers += 5;
    PostGeneral(*game, 1, 2, OrderDefend);
    PostGeneral(*game, 1, 1, OrderDefend);
    EXPECT_NO_THROW(CheckState(*game, "x"));
    EXPECT_TRUE(test::Headless(*game).log.empty());
}

TEST(CheckState, UnbalancedSoldiersFailWithTheLabelAndTheClosingMessage) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    Game& g = *game;
    AddTroops(g, 2, 1, {2, 3});
    g.mGos[2].FreeSoldiers = 1;
    g.mGos[2].Soldiers = 10;
    g.mGos[3].Soldiers = 1;  // skipped: the first pass stops at the first state that fails

    EXPECT_THAT(FailureOf(g, "Проверка после хода людей:"),
                ElementsAre("Проверка после хода людей: Gos2 количество солдат не сходится10 6 5", Closing));
    EXPECT_TRUE(test::Headless(g).log.empty());
}

TEST(CheckState, GeneralWhoDoesNotKnowHisBorderFails) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    Game& g = *game;
    int general = PostGeneral(g, 1, 2, OrderDefend);
    g.mGeneral[general].Front = 3;
    int home = PostGeneral(g, 3, 3, OrderDefend);
    g.mGeneral[home].Front = 0;  // home defence is checked though a state never touches itself

    EXPECT_THAT(FailureOf(g, "L:"),
                ElementsAre("L: У гос-ва Gos1 на границе сGos2 генерал стоит, а у генерала инф. о границе не "
                            "хватает ! фронт номер 3",
                            "L: У гос-ва Gos3 на границе сGos3 генерал стоит, а у генерала инф. о границе не "
                            "хватает ! фронт номер 0",
                            Closing));
}

TEST(CheckState, CommanderOfABorderThatNoLongerTouchesIsNotChecked) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    int general = PostGeneral(*game, 2, 1, OrderDefend);
    game->mGeneral[general].Front = 0;
    game->mGos[2].Border[1].Touches = 0;
    EXPECT_NO_THROW(CheckState(*game, "x"));
}

TEST(CheckState, CommanderBeyondTheGeneralsTableFailsCleanly) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    game->mGos[1].Border[2].Commander = 250;
    auto messages = FailureOf(*game, "L:");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_THAT(messages[0], ::testing::EndsWith("фронт номер 0"));
}

TEST(CheckState, NegativeCountsAreShownButNotFatal) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    Game& g = *game;
    g.mGos[1].Border[3].Troops[2] = -2;
    g.mGos[1].FreeSoldiers = 2;
    g.mGos[2].Peasants = -1;
    g.mGos[3].FreeScientists = -4;
    EXPECT_NO_THROW(CheckState(g, "x"));
    EXPECT_THAT(test::Headless(g).log, ElementsAre("У гос-ва Gos1 количество солдат на границе с Gos3отрицательное",
                                                   "У гос-ва Gos2 количество крестьян отрицательное",
                                                   "У гос-ва Gos3 количество свободных ученых отрицательное"));
}

TEST(CheckState, FailingCheckCarriesTheNonFatalMessagesToo) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    Game& g = *game;
    g.mGos[1].Peasants = -1;
    g.mGos[1].Soldiers = 1;
    EXPECT_THAT(FailureOf(g, "L:"), ElementsAre("L: Gos1 количество солдат не сходится1 0 0",
                                                "У гос-ва Gos1 количество крестьян отрицательное", Closing));
    EXPECT_TRUE(test::Headless(g).log.empty());
}

TEST(CheckState, JoinedNetworkGameChecksNothing) {
    auto game = MakeGame({"1122", "1122", "1133", "1133"});
    game->mGos[1].Soldiers = 99;
    game->GameMode = ModeNetClient;
    EXPECT_NO_THROW(CheckState(*game, "x"));
}

}  // namespace
}  // namespace korvant
