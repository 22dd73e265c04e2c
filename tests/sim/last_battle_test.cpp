#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/headless_ui.h"
#include "sim/last_battle.h"

namespace korvant {
namespace {

TEST(LastBattle, TheHandOverComesUnlessOnePersonTurnedItOff) {
    auto game = std::make_unique<Game>();
    HeadlessUi ui;
    game->Ui = &ui;
    game->GosCount = 3;
    game->mGos[2].PlayerName.set("Вера");
    game->PeopleCount = 1;
    ui.skipYourTurn = true;
    ShowDefeat(*game, 2);
    ShowVictory(*game, 2);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"defeat", "victory"}));
    EXPECT_EQ(game->BattleDefender, 2);
    EXPECT_EQ(game->CurPlayerName, "Вера");

    // Persons sharing the computer are each called to the screen first.
    ui.windows.clear();
    game->PeopleCount = 2;
    ShowDefeat(*game, 2);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"your turn", "defeat"}));
}

}  // namespace
}  // namespace korvant
