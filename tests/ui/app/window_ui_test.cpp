// The rules' window interface on the real windows: the person's number reaches the get-ready
// and territory windows as an argument, and the clock of the turns is steady.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "support/local_game.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_player_window.h"

namespace korvant {
namespace {

class WindowUiTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    Game& game() { return app->TheGame(); }
};

TEST_F(WindowUiTest, TheGetReadyAndTerritoryWindowsServeTheNumberedPerson) {
    test::NewLocalMap(game(), {.states = 4, .size = 50, .seed = 5});
    app->SelectGos().Reset();
    test::ModalAnswerer answers;
    answers.Expect<TSelectPlayer>([](TSelectPlayer& w) {
        EXPECT_EQ(w.Player()->text(), "2");
        w.accept();
    });
    answers.Expect<TSelectGos>([](TSelectGos& w) {
        w.MapClicked(250, 250);
        ASSERT_TRUE(w.ConfirmButton()->isVisible());
        w.ConfirmClicked();
    });
    game().Ui->ShowGetReady(2);
    EXPECT_EQ(game().Ui->ChooseTerritory(game(), 2), ModalResult::EndTurn);
    EXPECT_EQ(test::StateOfPerson(game(), 2), app->SelectGos().Choice().Selected());
}

TEST_F(WindowUiTest, TheTurnClockCountsFromTheStartNotTheCalendar) {
    const double first = game().Ui->ClockDays();
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 1.0);  // a calendar clock would give some twenty thousand days
    EXPECT_GE(game().Ui->ClockDays(), first);
}

}  // namespace
}  // namespace korvant
