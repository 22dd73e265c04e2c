#pragma once
// A network game in progress for the blocks' tests: a 50 x 50 map in four quarters, states 1..3
// played by session players 1..3, state 4 by the computer, armies and generals on the borders
// with their books balanced, and a few of the year's messages.
#include <memory>
#include <string>
#include <vector>

#include "support/small_game.h"

namespace korvant::test {

inline std::unique_ptr<Game> MakeNetGame(int curGos = 1) {
    std::vector<std::string> rows(50, std::string(50, '1'));
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 50; ++j) rows[i][j] = char('1' + (i >= 25 ? 2 : 0) + (j >= 25 ? 1 : 0));
    auto game = MakeGame(rows);
    for (int s = 1; s <= 3; ++s) {
        game->mGos[s].Human = s;
        game->mGos[s].PlayerName.set("Player" + std::to_string(s));
    }
    for (int s = 1; s <= 4; ++s) {
        AddTroops(*game, s, s, {100 * s, 10, 1});
        game->mGos[s].Peasants = 1000 * s;
        game->mGos[s].Money = 500 + s;
        PostGeneral(*game, s, s, OrderDefend, "Gen" + std::to_string(s));
    }
    AddTroops(*game, 1, 2, {50});
    PostGeneral(*game, 1, 2, OrderAttack, "Front");
    game->Year = 7;
    game->LivingCount = 4;
    game->History[2][6].Peasants = 2006;
    game->Chronicle = "Хроника года";
    game->MesList.Add(MesForState, 1, 0x0000FF, "Первое для 1");
    game->MesList.Add(MesForState, 2, 0x008000, "Для 2");
    game->MesList.Add(MesBattle, 1, 0, "Битва для 1");
    game->GameMode = curGos == 1 ? ModeNetServer : ModeNetClient;
    game->CurGos = static_cast<uint8_t>(curGos);
    return game;
}

}  // namespace korvant::test
