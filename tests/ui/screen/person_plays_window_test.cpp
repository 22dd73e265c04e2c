// A person plays a year through the real widgets of every command tab: he hires a general,
// places him on a neighbour's border, moves soldiers there, staffs a science for one year and
// ends the turn; the next year tells him of the battle and of the science's new level.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include "core/check_state.h"
#include "core/take_territory.h"
#include "save/autosave_name.h"
#include "save/saved_game.h"
#include "screen/generals_grid.h"
#include "screen/science_orders.h"
#include "sim/borders.h"
#include "support/local_game.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "support/ui/mouse.h"
#include "ui/app/window_ui_qt.h"
#include "ui/screen/border_tab_widget.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/generals_tab_widget.h"
#include "ui/screen/information_tab_widget.h"
#include "ui/screen/main_window.h"
#include "ui/screen/order_panel_widget.h"
#include "ui/screen/science_tab_widget.h"

namespace korvant {
namespace {

// A person's double-click: the click that selects the cell, then the second one.
void DoubleClick(QTableWidget* t, int row, int column) {
    // The page was just switched to: lay it out before finding the cell.
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QPoint at = t->visualRect(t->model()->index(row, column)).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at);
}

// Answers the windows of the game: the person's two turns on the command screen, Yes to every
// question but the offer to save when leaving, OK to every notice.
class Person {
public:
    explicit Person(GameWindows& app) : app_(app) {
        answers_.Every<QMessageBox>([this](QMessageBox& box) {
            boxes << box.text();
            const bool saveOffer = box.text() == ShownText(app_.TheGame().Msg(Msg::AskSaveGame));
            QAbstractButton* b = box.button(saveOffer ? QMessageBox::No : QMessageBox::Yes);
            (b ? b : box.buttons().front())->click();
        });
        answers_.Every<TMain>([this](TMain& main) {
            ++turns == 1 ? firstYear(main) : nextYear(main);
            // A failed expectation must not leave the screen waiting for a person.
            if (main.isVisible() && !main.TurnResult()) main.ExitClicked();
        });
        answers_.Every<QDialog>([](QDialog& d) { d.accept(); });
    }

    int turns = 0;
    int enemy = 0;
    int science = SciAgrarian;
    int levelBefore = 0;
    int soldiersSent = 0;
    int autosavesChecked = 0;
    QString battles;
    QStringList boxes;  // what the message boxes said

private:
    void firstYear(TMain& w) {
        Game& g = app_.TheGame();
        const int s = g.CurGos;
        // Hiring sends him to the border tab, where the new general heads the grid.
        w.Pages()->setCurrentIndex(TMain::GeneralsTab);
        TGeneralsTab& hiring = *w.Generals();
        hiring.Bar(TGeneralsTab::SpeedControl)->setValue(60);
        hiring.Bar(TGeneralsTab::KnowledgeControl)->setValue(30);
        hiring.NameField()->setText("Бравый");
        hiring.BuyButton()->click();
        ASSERT_EQ(w.Pages()->currentIndex(), TMain::BorderTab);
        TBorderTab& border = *w.Border();
        ASSERT_EQ(border.Grid()->rowCount(), 1);
        EXPECT_EQ(border.Grid()->item(0, ColName)->text(), "Бравый");

        // The first neighbour is selected; the double-click on "На границе" places him there.
        ASSERT_GT(border.Neighbours()->count(), 0);
        enemy = border.SelNeighbour();
        ASSERT_NE(enemy, 0);
        DoubleClick(border.Grid(), 0, ColFront);
        const int general = border.SelectedGeneral();
        ASSERT_EQ(g.mGeneral[general].Front, enemy);
        ASSERT_EQ(g.mGeneral[general].Order, OrderAttack);
        ASSERT_TRUE(border.SoldiersBar()->isVisible());
        soldiersSent = border.SoldiersBar()->maximum();
        ASSERT_GT(soldiersSent, 0);
        border.SoldiersBar()->setValue(soldiersSent);
        EXPECT_EQ(TroopsOnBorder(g, s, enemy), soldiersSent);
        EXPECT_EQ(border.FreeSoldiersValue()->text(), "0");
        EXPECT_EQ(border.BarValue()->text(), QString::number(soldiersSent));

        // "За 1 год" on the agrarian level.
        w.Pages()->setCurrentIndex(TMain::ScienceTab);
        levelBefore = g.mGos[s].Science[science].Level;
        const int needed = StaffForOneYear(g, s, science);
        w.Science()->OneYearButton(science)->click();
        EXPECT_EQ(g.mGos[s].Science[science].Staff, needed);
        EXPECT_EQ(w.Science()->Spin(science)->value(), needed);

        w.Pages()->setCurrentIndex(TMain::EconomyTab);
        TOrderPanel* sow = w.Economy()->Panel(TEconomyTab::SowOrder);
        test::PressAndRelease(sow->MaxKey());
        ASSERT_TRUE(w.NextButton()->isEnabled());
        w.NextButton()->click();
    }

    void nextYear(TMain& w) {
        Game& g = app_.TheGame();
        checkAutosave(g);
        battles = w.Information()->Battles()->toPlainText();
        EXPECT_GT(g.mGos[g.CurGos].Science[science].Level, levelBefore);
        w.ExitClicked();
    }

    void checkAutosave(const Game& g) {
        const std::filesystem::path file = AutosaveFileName(g);
        ASSERT_TRUE(std::filesystem::exists(file));
        Game saved;
        ReadSavedGame(file, saved);
        saved.Rules = g.Rules;  // the rule data is the program's, not the saved game's
        EXPECT_EQ(saved.Year, g.Year - 1);
        EXPECT_NO_THROW(CheckState(saved, "autosave"));
        ++autosavesChecked;
    }

    GameWindows& app_;
    test::ModalAnswerer answers_;
};

class PersonPlaysTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    PersonPlaysTest() { PlayInProgramFolder(); }
};

TEST_F(PersonPlaysTest, AGeneralSentWithSoldiersFightsAndAStaffedScienceRises) {
    app->MusicPlayer().SetEnabled(false);
    Game& g = app->TheGame();
    test::NewLocalMap(g, {.states = 4, .size = 30, .seed = 11});
    g.PeopleCount = 1;
    g.DiffLevel = DiffNormal;
    ASSERT_GT(g.KindCount(), 0);
    TakeTerritory(g, 1, 1, "Ольга");
    CheckFronts(g);
    TGos& S = g.mGos[1];
    S.Money = 1'000'000;
    S.Soldiers += 400;
    S.FreeSoldiers += 400;
    const int scientists = StaffForOneYear(g, 1, SciAgrarian) + 10;
    S.Scientists += scientists;
    S.FreeScientists += scientists;

    Person person(*app);
    app->PlayGame();

    EXPECT_EQ(person.turns, 2) << person.boxes.join("\n").toStdString();
    EXPECT_EQ(person.autosavesChecked, 1);
    ASSERT_NE(person.enemy, 0);
    // The year's battle against that neighbour is among the person's battle reports.
    EXPECT_TRUE(person.battles.contains(ShownText(g.Msg(Msg::BattleReportMarker)))) << person.battles.toStdString();
    EXPECT_TRUE(person.battles.contains(QString::fromStdString(g.mGos[person.enemy].Name.utf8())));
}

}  // namespace
}  // namespace korvant
