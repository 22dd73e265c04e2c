// The command screen driven through its real widgets: the economy orders with
// their questions, the battle reports, and the ways a turn ends.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

#include "app/settings.h"
#include "save/autosave_name.h"
#include "screen/economy_orders.h"
#include "sim/borders.h"
#include "sim/economy.h"
#include "sim/messages.h"
#include "support/local_game.h"
#include "support/ui/command_screen.h"
#include "support/ui/modal_answerer.h"
#include "support/ui/mouse.h"
#include "ui/net/network_game.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/information_tab_widget.h"
#include "ui/screen/main_window.h"
#include "ui/screen/order_panel_widget.h"

namespace korvant {
namespace {

using test::PressAndRelease;

class CommandScreenTest : public gui_test::CommandScreenFixture {
protected:
    Game& game() { return app->TheGame(); }
    TGos& S() { return game().mGos[1]; }
    TEconomyTab& economy() { return *main().Economy(); }
    TOrderPanel& panel(TEconomyTab::Order o) { return *economy().Panel(o); }
    void Open(int tab = TMain::InformationTab) {
        main().Activate();
        main().show();
        main().Pages()->setCurrentIndex(tab);
    }
    bool Autosaved() { return std::filesystem::exists(dir / AutosaveFileName(game())); }
};

TEST_F(CommandScreenTest, OpensOnTheInformationTabWithNextDisabled) {
    Open();
    EXPECT_EQ(main().Pages()->currentIndex(), TMain::InformationTab);
    EXPECT_FALSE(main().NextButton()->isEnabled());
    EXPECT_TRUE(main().PassButton()->isEnabled());
    EXPECT_FALSE(main().Pages()->isTabVisible(TMain::ChatTab));
    EXPECT_EQ(main().TurnResult(), std::nullopt);
    EXPECT_EQ(main().Information()->PersonName()->text(), "Ольга");
    EXPECT_EQ(main().Information()->YearValue()->text(), "1");
}

TEST_F(CommandScreenTest, SowingNothingStillEnablesNext) {
    Open(TMain::EconomyTab);
    ASSERT_GT(SowableCells(game(), 1), 0);
    EXPECT_FALSE(main().NextButton()->isEnabled());
    const TGos before = S();
    PressAndRelease(panel(TEconomyTab::SowOrder).OkKey());
    EXPECT_TRUE(main().NextButton()->isEnabled());
    EXPECT_EQ(S().Grain, before.Grain);
    EXPECT_EQ(S().Sown, before.Sown);
}

TEST_F(CommandScreenTest, NothingToSowEnablesNextWhenTheTabOpens) {
    S().Grain = 0;
    Open();
    EXPECT_FALSE(main().NextButton()->isEnabled());
    main().Pages()->setCurrentIndex(TMain::EconomyTab);
    EXPECT_TRUE(main().NextButton()->isEnabled());
}

TEST_F(CommandScreenTest, SellingBeforeSowingAsksFirstAndNoChangesNothing) {
    Open(TMain::EconomyTab);
    EXPECT_EQ(panel(TEconomyTab::SellOrder).Heading()->styleSheet(), "color: #FF0000;");
    const TGos before = S();
    test::ModalAnswerer no;
    no.Boxes({QMessageBox::No, QMessageBox::Yes});
    PressAndRelease(panel(TEconomyTab::SellOrder).OkKey());
    ASSERT_EQ(no.boxTexts.size(), 1);
    EXPECT_EQ(no.boxTexts[0].toStdString(), game().Msg(Msg::AskSkipSowing));
    EXPECT_EQ(S().Money, before.Money);
    EXPECT_EQ(S().Grain, before.Grain);

    // Yes sells what the bar says.
    panel(TEconomyTab::SellOrder).SetAmount(10);
    PressAndRelease(panel(TEconomyTab::SellOrder).OkKey());
    EXPECT_EQ(S().Grain, before.Grain - 10);
    EXPECT_EQ(S().Money, before.Money + SaleValue(game(), 1, 10));
}

TEST_F(CommandScreenTest, DismissingNobodyAsksNothing) {
    S().FreeScientists = S().Scientists = 5;
    S().Peasants -= 5;
    Open(TMain::EconomyTab);
    test::ModalAnswerer yes;
    yes.Boxes({QMessageBox::Yes});
    PressAndRelease(panel(TEconomyTab::DismissScientists).OkKey());
    EXPECT_TRUE(yes.boxTexts.isEmpty());
    EXPECT_EQ(S().Scientists, 5);

    // Two of them go, after the question with their number.
    panel(TEconomyTab::DismissScientists).SetAmount(2);
    PressAndRelease(panel(TEconomyTab::DismissScientists).OkKey());
    ASSERT_EQ(yes.boxTexts.size(), 1);
    EXPECT_TRUE(yes.boxTexts[0].contains("2"));
    EXPECT_EQ(S().Scientists, 3);
    EXPECT_EQ(S().FreeScientists, 3);
}

TEST_F(CommandScreenTest, TrainingTheMoneyNoLongerPaysIsRefused) {
    S().Money = 10000;
    Open(TMain::EconomyTab);
    TOrderPanel& train = panel(TEconomyTab::TrainSoldiers);
    ASSERT_GT(train.Maximum(), 2);
    train.SetAmount(3);
    S().Money = 299;  // spent elsewhere since the bar was set
    const TGos before = S();
    test::ModalAnswerer ok;
    ok.Boxes({QMessageBox::Ok});
    PressAndRelease(train.OkKey());
    ASSERT_EQ(ok.boxTexts.size(), 1);
    EXPECT_EQ(ok.boxTexts[0].toStdString(), game().Msg(Msg::NotEnoughMoney));
    EXPECT_EQ(S().Soldiers, before.Soldiers);
    EXPECT_EQ(S().Money, 299);
}

TEST_F(CommandScreenTest, EveryOrderLeavesTheBarsAtZeroWithTheNewLimits) {
    Open(TMain::EconomyTab);
    auto expectLimits = [&](const char* after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(panel(TEconomyTab::SowOrder).Maximum(), SowableCells(game(), 1));
        EXPECT_EQ(panel(TEconomyTab::SellOrder).Maximum(), S().Grain);
        EXPECT_EQ(panel(TEconomyTab::BuyOrder).Maximum(), PurchaseLimit(game(), 1));
        EXPECT_EQ(panel(TEconomyTab::TrainScientists).Maximum(), TrainingLimit(game(), 1, Staff::Scientists));
        EXPECT_EQ(panel(TEconomyTab::TrainSoldiers).Maximum(), TrainingLimit(game(), 1, Staff::Soldiers));
        EXPECT_EQ(panel(TEconomyTab::DismissScientists).Maximum(), S().FreeScientists);
        EXPECT_EQ(panel(TEconomyTab::DismissSoldiers).Maximum(), S().FreeSoldiers);
        for (int o = 0; o < TEconomyTab::OrderCount; ++o)
            EXPECT_EQ(economy().Panel(TEconomyTab::Order(o))->Amount(), 0);
    };
    expectLimits("opening");

    // "MAX" sows all that can be sown.
    const int sowable = SowableCells(game(), 1);
    PressAndRelease(panel(TEconomyTab::SowOrder).MaxKey());
    EXPECT_EQ(S().Sown, sowable);
    EXPECT_EQ(SowableCells(game(), 1), 0);
    EXPECT_EQ(panel(TEconomyTab::SellOrder).Heading()->styleSheet(), "color: black;");
    expectLimits("sowing");

    panel(TEconomyTab::TrainScientists).AffordableButton()->click();
    const int scientists = panel(TEconomyTab::TrainScientists).Amount();
    EXPECT_EQ(scientists,
              AffordableTraining(game(), 1, Staff::Scientists, 0, panel(TEconomyTab::TrainScientists).Maximum()));
    PressAndRelease(panel(TEconomyTab::TrainScientists).OkKey());
    EXPECT_EQ(S().Scientists, scientists);
    expectLimits("training");

    panel(TEconomyTab::SellOrder).SetAmount(5);
    PressAndRelease(panel(TEconomyTab::SellOrder).OkKey());  // nothing left to sow: no question
    expectLimits("selling");

    // The buying panel's "MAX" only moves the bar.
    const int32_t money = S().Money;
    QTest::mousePress(panel(TEconomyTab::BuyOrder).MaxKey(), Qt::LeftButton);
    EXPECT_TRUE(panel(TEconomyTab::BuyOrder).MaxKey()->Pressed());
    QTest::mouseRelease(panel(TEconomyTab::BuyOrder).MaxKey(), Qt::LeftButton);
    EXPECT_EQ(panel(TEconomyTab::BuyOrder).Amount(), panel(TEconomyTab::BuyOrder).Maximum());
    EXPECT_EQ(S().Money, money);
    PressAndRelease(panel(TEconomyTab::BuyOrder).OkKey());
    EXPECT_GE(S().Money, 0);
    expectLimits("buying");
}

TEST_F(CommandScreenTest, TheOkKeyIsGreenOnlyWhilePressed) {
    Open(TMain::EconomyTab);
    TOrderKey* ok = panel(TEconomyTab::DismissSoldiers).OkKey();
    QTest::mousePress(ok, Qt::LeftButton);
    EXPECT_TRUE(ok->Pressed());
    EXPECT_TRUE(ok->styleSheet().contains("#008000"));
    QTest::mouseRelease(ok, Qt::LeftButton);
    EXPECT_FALSE(ok->Pressed());
    EXPECT_TRUE(ok->styleSheet().contains("#F7E3BB"));
}

TEST_F(CommandScreenTest, ResourcePanelShowsTheBalanceInItsColour) {
    S().Soldiers = S().FreeSoldiers = 500;  // wages far above the sown grain's value
    Open(TMain::EconomyTab);
    const EconomyOutlook o = OutlookOf(game(), 1);
    ASSERT_LT(o.profit, 0);
    EXPECT_EQ(economy().Value(Msg::BalanceHeading)->text().toStdString(), MoneyText(o.profit));
    EXPECT_EQ(economy().Value(Msg::BalanceHeading)->styleSheet(), "color: #ff0000;");
    EXPECT_EQ(economy().Value(Msg::MoneyLabel)->text().toStdString(), MoneyText(S().Money));
}

TEST_F(CommandScreenTest, SettingsHideThePicturesAndShowTheOrderHints) {
    Settings s = app->CurrentSettings();
    s.HideGraphics = true;
    s.ShowHint = true;
    app->ApplySettings(s, false);
    EXPECT_FALSE(main().Information()->PictureShown());
    EXPECT_FALSE(economy().PictureShown());
    EXPECT_EQ(panel(TEconomyTab::BuyOrder).toolTip().toStdString(), game().Msg(Msg::BuyOrderHint));
    s.HideGraphics = false;
    s.ShowHint = false;
    app->ApplySettings(s, false);
    EXPECT_TRUE(economy().PictureShown());
    EXPECT_TRUE(panel(TEconomyTab::BuyOrder).toolTip().isEmpty());
}

class BattleReportsTest : public CommandScreenTest {
protected:
    void Reports(int n) {
        game().BattleAttacker = 2;
        game().BattleDefender = 1;
        for (int i = 1; i <= n; ++i)
            AddBattleMessage(game(), 0, game().Msg(Msg::BattleReportMarker) + " " + std::to_string(i));
    }
    QString Selected() { return main().Information()->Battles()->textCursor().selectedText(); }
};

TEST_F(BattleReportsTest, NoReportLeavesNothingSelected) {
    AddMessage(game(), MesForState, 1, 0, "Урожай");
    AddMessage(game(), MesForState, 2, 0, "Чужой урожай");
    Open();
    EXPECT_EQ(main().Information()->Achievements()->toPlainText(), "Урожай");
    EXPECT_TRUE(main().Information()->Battles()->toPlainText().isEmpty());
    main().Information()->ReportButton()->click();
    EXPECT_TRUE(Selected().isEmpty());
}

TEST_F(BattleReportsTest, OneReportIsSelectedAndStaysSo) {
    Reports(1);
    Open();
    EXPECT_TRUE(Selected().endsWith(" 1"));
    main().Information()->ReportButton()->click();
    EXPECT_TRUE(Selected().endsWith(" 1"));
}

TEST_F(BattleReportsTest, TwoReportsAreSteppedThroughAndWrapRound) {
    Reports(2);
    Open();
    QTextEdit* box = main().Information()->Battles();
    const int second = box->toPlainText().indexOf(QString::fromStdString(game().Msg(Msg::BattleReportMarker)), 1);
    ASSERT_GT(second, 0);
    auto selectedAt = [&] { return box->textCursor().selectionStart(); };
    EXPECT_EQ(selectedAt(), 0);
    EXPECT_TRUE(Selected().startsWith(QString::fromStdString(game().Msg(Msg::BattleReportMarker)) + " 1"));
    main().Information()->ReportButton()->click();
    EXPECT_EQ(selectedAt(), second);
    EXPECT_TRUE(Selected().endsWith(" 2"));
    main().Information()->ReportButton()->click();
    EXPECT_EQ(selectedAt(), 0);
}

TEST_F(BattleReportsTest, EachReportIsShownFromItsFirstLine) {
    game().BattleAttacker = 2;
    game().BattleDefender = 1;
    for (int i = 1; i <= 3; ++i) {
        AddBattleMessage(game(), 0, game().Msg(Msg::BattleReportMarker) + " " + std::to_string(i));
        for (int line = 0; line < 30; ++line) AddBattleMessage(game(), 0, "Трубы зовут к бою! " + std::to_string(line));
    }
    Open();
    QTextEdit* box = main().Information()->Battles();
    // Through every report and round to the first again, which needs scrolling up.
    for (int press = 0; press < 4; ++press) {
        QTextCursor start(box->document());
        start.setPosition(box->textCursor().selectionStart());
        const QRect line = box->cursorRect(start);
        EXPECT_GE(line.top(), 0) << press;
        EXPECT_LE(line.bottom(), box->viewport()->height()) << press;
        // At the top, unless the text ends before the box would be full.
        const QScrollBar* bar = box->verticalScrollBar();
        if (bar->value() < bar->maximum()) {
            EXPECT_LT(line.top(), line.height()) << press;
        }
        main().Information()->ReportButton()->click();
    }
}

TEST_F(CommandScreenTest, EscapeHandsTheTurnToTheComputerWithAnAutosave) {
    Open();
    QTest::keyClick(&main(), Qt::Key_Escape);
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(main().result(), int(ModalResult::ToComputer));
    EXPECT_EQ(main().TurnResult(), ModalResult::ToComputer);
    EXPECT_TRUE(Autosaved());
}

TEST_F(CommandScreenTest, TheKeysAAndPOnPassHandTheTurnOver) {
    Open();
    main().PassButton()->setFocus();
    QTest::keyClick(main().PassButton(), Qt::Key_P);
    EXPECT_EQ(main().result(), int(ModalResult::ToComputer));
}

TEST_F(CommandScreenTest, TheClockEndsTheTurnAtTheLimitWithAnAutosave) {
    game().TurnMinutes = 2;
    Open();
    for (int i = 0; i < 119; ++i) main().TickClock();
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(main().ClockPanel()->text(), "1:59");
    EXPECT_FALSE(Autosaved());
    main().TickClock();
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(main().result(), int(ModalResult::EndTurn));
    EXPECT_TRUE(Autosaved());
}

TEST_F(CommandScreenTest, NoAutosaveAtExpertLevel) {
    game().DiffLevel = DiffExpert;
    Open(TMain::EconomyTab);
    PressAndRelease(panel(TEconomyTab::SowOrder).OkKey());
    main().NextButton()->click();
    EXPECT_EQ(main().result(), int(ModalResult::EndTurn));
    EXPECT_EQ(main().TurnResult(), ModalResult::EndTurn);
    EXPECT_FALSE(Autosaved());
}

TEST_F(CommandScreenTest, ExitAsksAndThenOffersToSave) {
    Open();
    test::ModalAnswerer answers;
    answers.Boxes({QMessageBox::No, QMessageBox::Yes, QMessageBox::No});
    main().ExitButton()->click();
    ASSERT_EQ(answers.boxTexts.size(), 1);
    EXPECT_TRUE(main().isVisible());

    main().ExitButton()->click();
    ASSERT_EQ(answers.boxTexts.size(), 3);
    EXPECT_EQ(answers.boxTexts[2].toStdString(), game().Msg(Msg::AskSaveGame));
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(main().result(), int(ModalResult::Quit));
    EXPECT_EQ(main().TurnResult(), ModalResult::Quit);
    EXPECT_FALSE(Autosaved());
}

TEST_F(CommandScreenTest, TheCloseBoxAsksBeforeLeaving) {
    Open();
    test::ModalAnswerer answers;
    answers.Boxes({QMessageBox::No, QMessageBox::Yes, QMessageBox::No});
    main().close();
    ASSERT_EQ(answers.boxTexts.size(), 1);
    EXPECT_TRUE(main().isVisible());
    main().close();
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(main().result(), int(ModalResult::Quit));
}

TEST_F(CommandScreenTest, AJoinedNetworkGameCanNeitherSaveNorBeOfferedASave) {
    game().GameMode = ModeNetClient;
    Open();
    EXPECT_FALSE(main().Information()->SaveButton()->isEnabled());
    EXPECT_TRUE(main().Pages()->isTabVisible(TMain::ChatTab));
    test::ModalAnswerer yes;
    yes.Boxes({QMessageBox::Yes});
    main().ExitButton()->click();
    EXPECT_EQ(yes.boxTexts.size(), 1);  // only whether to leave
    main().PassButton()->click();
    EXPECT_FALSE(Autosaved());
}

// In a network game the command screen shows the network game's own chat and players, ticked as
// their turns end, and closes by itself once the game's server ended the game.
TEST_F(CommandScreenTest, ANetworkGameShowsItsChatAndPlayersAndEndsWhenTheServerEndsIt) {
    game().GameMode = ModeNetClient;
    NetworkGame& net = app->NetworkWindows();
    NetModel& model = net.TheLobby().Net().model;
    const PlayerId olga = game().mGos[1].Human;
    model.Add({olga, "Ольга", false});
    model.Add({olga + 1, "Борис", true});
    model.Find(olga)->turnFinished = true;
    Open(TMain::ChatTab);
    const QListWidget& players = *main().ChatPlayers();
    ASSERT_EQ(players.count(), 2);
    EXPECT_EQ(players.item(0)->text(), "Ольга");
    EXPECT_EQ(players.item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(players.item(1)->text(), QString::fromStdString(lang->Lookup(Msg::OutOfGame)) + " Борис");

    net.Connect().AppendChatLine("Борис> привет", 0);
    EXPECT_TRUE(main().ChatPane()->toPlainText().contains("Борис> привет"));

    main().TickClock();
    EXPECT_EQ(main().TurnResult(), std::nullopt);
    model.End(NetEnd::EndedByServer);
    main().TickClock();
    EXPECT_EQ(main().TurnResult(), ModalResult::EndTurn);
    EXPECT_FALSE(main().isVisible());
}

}  // namespace
}  // namespace korvant
