// A new player's first game from the launcher, answered window by window: he
// gives up his first territory, generates another map, plays a turn with the
// help open, leaves, and finds the launcher answering his clicks again.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QWindow>

#include <functional>

#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/app/help_window.h"
#include "ui/app/launcher_window.h"
#include "ui/app/window_ui_qt.h"
#include "ui/game/start_window.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_man_window.h"
#include "ui/screen/main_window.h"

namespace korvant {
namespace {

// A click that goes through the window system, so a window blocked by a modal one ignores it.
void SystemClick(QWidget* w) {
    QWidget* window = w->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, w->mapTo(window, w->rect().center()));
}

class FirstGameTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    FirstGameTest() {
        PlayInProgramFolder();
        app->MusicPlayer().SetEnabled(false);
        app->TheGame().Rng.setSeed(11);
    }
};

TEST_F(FirstGameTest, GivingUpKeepsTheStartWindowAndTheLauncherAnswersAfterTheGame) {
    TKorvant& launcher = app->Launcher();
    TStart& start = app->Start();
    THelp& help = app->Help();
    start.StatesSlider()->setValue(4);
    start.SizeSlider()->setValue(50);
    launcher.show();

    int territories = 0, yourTurns = 0, screens = 0;
    bool startInFrontAfterGivingUp = false;
    bool helpUsable = false, helpOwnedByScreen = false, helpClosedWithScreen = false;
    test::ModalAnswerer answerer;
    answerer.Every<QWidget>([&](QWidget& window) {
        QWidget* modal = &window;
        if (modal == &start) {
            if (!start.NewMapButton()->isVisible()) return;  // the waiting panel, while the year runs
            if (territories == 1) startInFrontAfterGivingUp = start.isVisible() && !launcher.isVisible();
            start.NewMapClicked();
            start.TerritoryClicked();
        } else if (auto* gos = qobject_cast<TSelectGos*>(modal)) {
            if (territories++ == 0) {
                gos->GiveUpButton()->click();
                return;
            }
            for (int y = 10; y < 500 && gos->isVisible(); y += 40)
                for (int x = 10; x < 500 && gos->isVisible(); x += 40) {
                    gos->MapClicked(x, y);
                    if (gos->ConfirmButton()->isVisible()) gos->ConfirmClicked();
                }
        } else if (auto* man = qobject_cast<TSelectMan*>(modal)) {
            ++yourTurns;
            // The waiting panel with last year's numbers is not left behind the your-turn window.
            EXPECT_FALSE(start.isVisible());
            if (yourTurns == 2) helpClosedWithScreen = !help.isVisible();
            man->accept();
        } else if (auto* main = qobject_cast<TMain*>(modal)) {
            if (screens++ == 0) {
                main->HelpButton()->click();
                helpOwnedByScreen = help.isVisible() && help.parentWidget() == main;
                // The help answers the person while the command screen waits: its close button works.
                QPushButton* close = help.findChild<QPushButton*>();
                SystemClick(close);
                helpUsable = !help.isVisible();
                main->HelpButton()->click();
                main->PassClicked();
            } else {
                main->ExitClicked();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            // Leave the game, without saving it.
            const bool saveOffer = box->text() == ShownText(app->TheGame().Msg(Msg::AskSaveGame));
            QAbstractButton* b = box->button(saveOffer ? QMessageBox::No : QMessageBox::Yes);
            (b ? b : box->buttons().front())->click();
        } else if (auto* d = qobject_cast<QDialog*>(modal)) {
            d->accept();
        }
    });
    launcher.Button(Msg::LauncherNewGame)->click();  // returns when the start window has closed

    EXPECT_EQ(territories, 2);
    EXPECT_TRUE(startInFrontAfterGivingUp);
    EXPECT_EQ(yourTurns, 2);
    EXPECT_EQ(screens, 2);
    EXPECT_TRUE(helpOwnedByScreen);
    EXPECT_TRUE(helpUsable);
    EXPECT_TRUE(helpClosedWithScreen);
    EXPECT_EQ(app->TheGame().Year, 2);

    // Back at a launcher that nothing blocks: its exit button, clicked as a person would, closes it.
    EXPECT_FALSE(start.isVisible());
    EXPECT_TRUE(launcher.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    SystemClick(launcher.Button(Msg::LauncherExit));
    EXPECT_FALSE(launcher.isVisible());
}

}  // namespace
}  // namespace korvant
