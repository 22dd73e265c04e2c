// A whole local game through the program's windows: a map from the start
// window, two persons choosing their states, three years of orders on the real
// command screen, and the autosave checked at every turn.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include <map>

#include "save/saved_game.h"
#include "sim/economy.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "support/ui/mouse.h"
#include "ui/app/window_ui_qt.h"
#include "ui/game/start_window.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_man_window.h"
#include "ui/map/select_player_window.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/main_window.h"
#include "ui/screen/order_panel_widget.h"

namespace korvant {
namespace {

constexpr int YearsPlayed = 3;

using test::PressAndRelease;

// Plays the persons' part: answers every modal window the game opens, as it opens.
class Player {
public:
    explicit Player(GameWindows& app, std::filesystem::path dir) : app_(app), dir_(std::move(dir)) {
        answers_.Every<QMessageBox>([this](QMessageBox& box) {
            // Leave the game when asked, without saving it.
            const bool saveOffer = box.text() == ShownText(app_.TheGame().Msg(Msg::AskSaveGame));
            QAbstractButton* b = box.button(saveOffer ? QMessageBox::No : QMessageBox::Yes);
            (b ? b : box.buttons().front())->click();
        });
        answers_.Every<TSelectGos>([this](TSelectGos& w) { choose(w); });
        answers_.Every<TMain>([this](TMain& w) { play(w); });
        answers_.Every<QDialog>([](QDialog& d) { d.accept(); });  // get-ready, your-turn and the other notices
    }

    int turns = 0;
    int quits = 0;
    int savesChecked = 0;
    std::map<int, int> sownBy;  // state -> Sown after its person's orders, this year

private:
    void choose(TSelectGos& w) {
        w.NameField()->setText(turns == 0 && w.Person() == 1 ? "Ольга" : "Игорь");
        for (int y = 10; y < 500 && w.isVisible(); y += 40)
            for (int x = 10; x < 500 && w.isVisible(); x += 40) {
                w.MapClicked(x, y);
                if (w.ConfirmButton()->isVisible()) w.ConfirmClicked();
            }
    }

    void play(TMain& w) {
        Game& g = app_.TheGame();
        const int s = g.CurGos;
        if (s == firstState()) checkYearBefore(g);
        if (g.Year > YearsPlayed) {
            ++quits;
            w.ExitClicked();
            return;
        }
        ++turns;
        w.Pages()->setCurrentIndex(TMain::EconomyTab);
        TEconomyTab& e = *w.Economy();
        PressAndRelease(e.Panel(TEconomyTab::SowOrder)->MaxKey());
        EXPECT_EQ(SowableCells(g, s), 0);
        e.Panel(TEconomyTab::TrainScientists)->SetAmount(std::min(1, e.Panel(TEconomyTab::TrainScientists)->Maximum()));
        PressAndRelease(e.Panel(TEconomyTab::TrainScientists)->OkKey());
        sownBy[s] = g.mGos[s].Sown;
        EXPECT_TRUE(w.NextButton()->isEnabled());
        w.NextButton()->click();
    }

    int firstState() const {
        const Game& g = app_.TheGame();
        for (int s = 1; s <= g.GosCount; ++s)
            if (g.mGos[s].Human == 1) return s;
        return 0;
    }

    // The last turn of the previous year was saved: the year and the orders of both persons.
    void checkYearBefore(Game& g) {
        const std::filesystem::path file = dir_ / "autosave.gen";
        if (g.Year == 1) {
            EXPECT_FALSE(std::filesystem::exists(file));
            return;
        }
        Game saved;
        ASSERT_TRUE(std::filesystem::exists(file));
        ReadSavedGame(file, saved);
        EXPECT_EQ(saved.Year, g.Year - 1);
        EXPECT_EQ(saved.PeopleCount, 2);
        EXPECT_EQ(sownBy.size(), 2u);
        for (const auto& [s, sown] : sownBy) {
            EXPECT_EQ(saved.mGos[s].Sown, sown) << "state " << s << " in year " << int(saved.Year);
            EXPECT_EQ(saved.mGos[s].Delegated, 0);
        }
        sownBy.clear();
        ++savesChecked;
    }

    GameWindows& app_;
    std::filesystem::path dir_;
    test::ModalAnswerer answers_;
};

class LocalGameTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    LocalGameTest() { PlayInProgramFolder(); }
};

TEST_F(LocalGameTest, TwoPersonsPlayThreeYearsOnTheCommandScreen) {
    app->MusicPlayer().SetEnabled(false);
    Game& g = app->TheGame();
    g.Rng.setSeed(7);
    TStart& start = app->Start();
    start.SelectDifficulty(1);
    start.StatesSlider()->setValue(4);
    start.SizeSlider()->setValue(50);
    start.Persons()->setValue(2);
    start.show();
    start.NewMapClicked();
    ASSERT_EQ(g.GosCount, 4);

    Player player(*app, dir);
    start.TerritoryClicked();  // the persons choose, then the game runs until they leave

    EXPECT_EQ(player.turns, 2 * YearsPlayed);
    EXPECT_EQ(player.quits, 1);
    EXPECT_EQ(player.savesChecked, YearsPlayed);
    EXPECT_EQ(g.Year, YearsPlayed + 1);
    int persons = 0;
    for (int s = 1; s <= g.GosCount; ++s) persons += g.mGos[s].Human != 0;
    EXPECT_EQ(persons, 2);
}

}  // namespace
}  // namespace korvant
