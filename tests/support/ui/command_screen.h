#pragma once
// The command screen of a local game for the window tests: four states on a 50 x 50 map, Olga
// playing state 1 in the first year; the game writes its files into the program folder.
#include <gtest/gtest.h>

#include "core/take_territory.h"
#include "sim/borders.h"
#include "support/local_game.h"
#include "support/ui/gui_app.h"
#include "ui/screen/main_window.h"

namespace korvant::gui_test {

class CommandScreenFixture : public ::testing::Test, public WindowsFixture {
protected:
    CommandScreenFixture() {
        PlayInProgramFolder();
        Game& g = app->TheGame();
        test::NewLocalMap(g, {.states = 4, .size = 50});
        g.PeopleCount = 1;
        g.DiffLevel = DiffNormal;
        TakeTerritory(g, 1, 1, "Ольга");
        CheckFronts(g);
        g.CurGos = 1;
        g.CurPlayer = 1;
    }
    ~CommandScreenFixture() override { main().hide(); }
    TMain& main() { return app->Main(); }
};

}  // namespace korvant::gui_test
