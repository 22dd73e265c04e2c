// The generals, border and science tabs on their own: refusals, hidden panels, "Отдыхать",
// dismissal and the science tab's rebuild after training.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "core/take_territory.h"
#include "screen/generals_grid.h"
#include "sim/borders.h"
#include "support/local_game.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/app/window_ui_qt.h"
#include "ui/screen/border_tab_widget.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/generals_tab_widget.h"
#include "ui/screen/main_window.h"
#include "ui/screen/order_panel_widget.h"
#include "ui/screen/science_tab_widget.h"

namespace korvant {
namespace {

class CommandTabsTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    CommandTabsTest() {
        Game& g = game();
        test::NewLocalMap(g, {.states = 4, .size = 30});
        g.PeopleCount = 1;
        TakeTerritory(g, 1, 1, "Ольга");
        CheckFronts(g);
        g.CurGos = 1;
        S().Money = 1'000'000;
        S().Soldiers += 50;
        S().FreeSoldiers += 50;
        main().Activate();
        main().show();
    }
    ~CommandTabsTest() override { main().hide(); }
    Game& game() { return app->TheGame(); }
    TGos& S() { return game().mGos[1]; }
    TMain& main() { return app->Main(); }
    TBorderTab& border() { return *main().Border(); }
    void Hire() {
        main().Pages()->setCurrentIndex(TMain::GeneralsTab);
        main().Generals()->BuyButton()->click();
    }
};

TEST_F(CommandTabsTest, APriceBeyondTheMoneyIsRedAndRefused) {
    S().Money = 10;
    main().Pages()->setCurrentIndex(TMain::GeneralsTab);
    TGeneralsTab& tab = *main().Generals();
    EXPECT_EQ(tab.NameField()->text(), ShownText(game().Msg(Msg::DefaultOrder)));
    EXPECT_TRUE(tab.PriceValue()->styleSheet().contains("#ff0000"));
    test::ModalAnswerer ok;
    ok.Boxes({QMessageBox::Ok});
    tab.BuyButton()->click();
    ASSERT_EQ(ok.boxTexts.size(), 1);
    EXPECT_EQ(ok.boxTexts[0], ShownText(game().Msg(Msg::NotEnoughMoneyForGeneral)));
    EXPECT_EQ(S().GeneralCount, 0);
    EXPECT_EQ(main().Pages()->currentIndex(), TMain::GeneralsTab);
}

TEST_F(CommandTabsTest, RestingGeneralsHideTheBarAndSendTheirSoldiersHome) {
    Hire();
    ASSERT_EQ(main().Pages()->currentIndex(), TMain::BorderTab);
    EXPECT_FALSE(border().SoldiersBar()->isVisible());  // he rests
    border().GridDoubleClicked(0, ColFront);
    ASSERT_TRUE(border().SoldiersBar()->isVisible());
    border().SoldiersBar()->setValue(30);
    const int front = game().mGeneral[border().SelectedGeneral()].Front;
    EXPECT_EQ(TroopsOnBorder(game(), 1, front), 30);
    EXPECT_EQ(border().Grid()->item(0, ColSoldiers)->text(), "   30");

    border().RestButton()->click();
    EXPECT_FALSE(border().SoldiersBar()->isVisible());
    EXPECT_EQ(TroopsOnBorder(game(), 1, front), 0);
    EXPECT_EQ(border().FreeSoldiersValue()->text(), QString::number(S().Soldiers));
    EXPECT_EQ(border().Grid()->item(0, ColOrder)->text(), ShownText(game().Msg(Msg::OrderRest)));
}

TEST_F(CommandTabsTest, OnlyAGeneralWithoutAPostIsDismissedAfterTheQuestion) {
    Hire();
    border().GridDoubleClicked(0, ColFront);
    test::ModalAnswerer yes;
    yes.Boxes({QMessageBox::Yes});
    border().GridDoubleClicked(0, ColName);  // on a border: not offered
    EXPECT_TRUE(yes.boxTexts.isEmpty());
    border().GridDoubleClicked(0, ColFront);  // withdrawn
    border().GridDoubleClicked(0, ColName);
    ASSERT_EQ(yes.boxTexts.size(), 1);
    EXPECT_EQ(yes.boxTexts[0], ShownText(game().Msg(Msg::AskDismissGeneral)));
    EXPECT_EQ(S().GeneralCount, 0);
    EXPECT_EQ(border().Grid()->rowCount(), 1);  // the one empty row
    EXPECT_EQ(border().SelectedGeneral(), 0);
}

TEST_F(CommandTabsTest, EveryColumnOfTheGeneralsGridShowsWithoutScrolling) {
    main().resize(980, 660);
    main().Pages()->setCurrentIndex(TMain::GeneralsTab);
    main().Generals()->NameField()->setText(QString::fromUtf8("Оченьдлинноеимя"));  // 15 letters
    main().Generals()->BuyButton()->click();
    ASSERT_EQ(main().Pages()->currentIndex(), TMain::BorderTab);
    QApplication::processEvents();
    QTableWidget* grid = border().Grid();
    const QAbstractItemView* view = grid;
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    for (int c = ColFront; c < GridColumns; ++c) {
        EXPECT_GE(grid->columnWidth(c), view->sizeHintForColumn(c)) << c;
        EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c)) << c;
        const int right = grid->columnViewportPosition(c) + grid->columnWidth(c);
        EXPECT_LE(right, grid->viewport()->width()) << c;
    }
}

TEST_F(CommandTabsTest, TrainedScientistsReachTheScienceTabWhenItOpensAgain) {
    main().Pages()->setCurrentIndex(TMain::ScienceTab);
    TScienceTab& science = *main().Science();
    EXPECT_FALSE(science.Stale());
    const int free = S().FreeScientists;
    main().Pages()->setCurrentIndex(TMain::EconomyTab);
    TOrderPanel& train = *main().Economy()->Panel(TEconomyTab::TrainScientists);
    train.SetAmount(std::min(20, train.Maximum()));
    const int trained = train.Amount();
    ASSERT_GT(trained, 0);
    emit train.Ordered();
    EXPECT_TRUE(science.Stale());
    main().Pages()->setCurrentIndex(TMain::ScienceTab);
    EXPECT_EQ(science.FreeValue()->text(), QString::number(free + trained));
    EXPECT_EQ(science.Spin(SciDensity)->maximum(), S().Science[SciDensity].Staff + free + trained);
    QApplication::processEvents();
    const QPoint freeAll = science.FreeAllButton()->pos();
    science.MaxButton(SciDensity)->click();
    EXPECT_EQ(science.FreeValue()->text(), "0");
    // A shorter count moves neither "Снять всех" nor the help beside it.
    QApplication::processEvents();
    EXPECT_EQ(science.FreeAllButton()->pos(), freeAll);
    EXPECT_EQ(science.Spin(SciDensity)->value(), S().Science[SciDensity].Staff);
}

}  // namespace
}  // namespace korvant
