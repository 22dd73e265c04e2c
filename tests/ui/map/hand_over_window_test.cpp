#include <gtest/gtest.h>

#include <QLabel>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>

#include "sim/messages.h"
#include "support/ui/gui_app.h"
#include "ui/game/proc_window.h"
#include "ui/map/select_man_window.h"

namespace korvant {
namespace {

class HandOverWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    void SetUp() override {
        Game& g = app->TheGame();
        g.GosCount = 3;
        g.Year = 12;
        g.mGos[1].Name.set("Ардения");
        g.mGos[2].Name.set("Борея");
        g.mGos[2].PlayerName.set("Ольга");
        g.mGos[3].PlayerName.set("Игорь");
    }
};

TEST_F(HandOverWindowTest, LastBattleShowsOnlyTheDefendersBattleReports) {
    Game& g = app->TheGame();
    g.mGos[1].Human = 1;
    g.mGos[2].Human = 2;
    g.BattleAttacker = 1;
    g.BattleDefender = 2;
    AddBattleMessage(g, 255, "Борея пала");                // both parties
    AddMessage(g, MesForState, 2, 0, "Урожай собран");     // not a battle report
    AddMessage(g, MesBattle, 1, 0, "Только для Ардении");  // the other party's
    TProc& proc = app->Proc();
    proc.Fill(false);
    EXPECT_EQ(proc.Notebook()->currentIndex(), 0);
    EXPECT_EQ(proc.LoserName()->text(), QString::fromUtf8("Ольга"));
    EXPECT_EQ(proc.StateName()->text(), QString::fromUtf8("Борея"));
    EXPECT_EQ(proc.LastBattle()->toPlainText(), QString::fromUtf8("Борея пала"));
    proc.Fill(true);
    EXPECT_EQ(proc.Notebook()->currentIndex(), 1);
    EXPECT_EQ(proc.WinnerName()->text(), QString::fromUtf8("Ольга"));
}

TEST_F(HandOverWindowTest, YourTurnShowsTheTimeGridOnlyToSeveralPersons) {
    Game& g = app->TheGame();
    g.CurPlayerName = "Игорь";
    g.mGos[2].Human = 1;
    g.mGos[3].Human = 2;
    g.mGos[2].TimeSpent = 1.5;  // a day and a half: the grid shows the time of day, 12:00:00
    TSelectMan& w = app->SelectMan();

    g.PeopleCount = 1;
    w.Fill();
    EXPECT_TRUE(w.TimeGrid()->isHidden());
    EXPECT_EQ(w.YearValue()->text(), "12");

    g.PeopleCount = 2;
    w.Fill();
    EXPECT_FALSE(w.TimeGrid()->isHidden());
    ASSERT_EQ(w.TimeGrid()->rowCount(), 2);
    EXPECT_EQ(w.TimeGrid()->item(0, 1)->text(), QString::fromUtf8("Ольга"));
    EXPECT_EQ(w.TimeGrid()->item(1, 1)->text(), QString::fromUtf8("Игорь"));
    EXPECT_TRUE(w.TimeGrid()->item(0, 2)->text().startsWith("12:00:00"));
    EXPECT_EQ(w.Player()->text(), QString::fromUtf8("Игорь"));
}

}  // namespace
}  // namespace korvant
