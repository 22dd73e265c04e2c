#include "save/autosave_name.h"

#include <gtest/gtest.h>

namespace korvant {
namespace {

Game& networkGame(Game& game, std::initializer_list<const char*> names) {
    game.GameMode = ModeNetServer;
    game.GosCount = 6;
    int s = 1;
    for (const char* name : names) {
        game.mGos[s].Alive = 1;
        game.mGos[s].Human = 1000 + s;
        game.mGos[s].PlayerName.set(name);
        ++s;
    }
    return game;
}

TEST(AutosaveName, LocalGame) {
    Game game;
    game.GameMode = ModeLocal;
    EXPECT_EQ(AutosaveFileName(game), "autosave.gen");
}

TEST(AutosaveName, NetworkGameListsLivingPersonsIgnoringCase) {
    Game game;
    networkGame(game, {"Xb", "xa", "Борис", "анна", "Dead"});
    game.mGos[5].Alive = 0;
    game.mGos[6].Alive = 1;  // a computer state
    EXPECT_EQ(AutosaveFileName(game), "autosave_xa_Xb_анна_Борис.gen");
}

TEST(AutosaveName, PersonsNamesCannotLeaveTheFolder) {
    Game game;
    networkGame(game, {"../../etc", "a\\b:c*?", "<\"|>\x01"});
    const std::string name = AutosaveFileName(game);
    EXPECT_EQ(name, "autosave_.._.._etc_______a_b_c__.gen");
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(game.mGos[1].PlayerName.utf8(), "../../etc");
}

TEST(AutosaveName, NotAtExpertNorOnAJoinedComputer) {
    Game game;
    game.DiffLevel = DiffNormal;
    EXPECT_TRUE(AutosaveWanted(game));
    game.GameMode = ModeNetClient;
    EXPECT_FALSE(AutosaveWanted(game));
    game.GameMode = ModeNetServer;
    game.DiffLevel = DiffExpert;
    EXPECT_FALSE(AutosaveWanted(game));
}

}  // namespace
}  // namespace korvant
