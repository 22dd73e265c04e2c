#include "ui/app/window_ui_qt.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/app/game_windows_qt.h"
#include "ui/app/window_place.h"
#include "ui/game/proc_window.h"
#include "ui/game/start_window.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_man_window.h"
#include "ui/map/select_player_window.h"
#include "ui/net/network_game.h"

namespace korvant {

QString ShownText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size())).replace("\r\n", "\n").replace('\r', '\n');
}

namespace {
QWidget* Parent() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}
}  // namespace

void WindowUi::MessageBox(std::string_view text) {
    QMessageBox::information(Parent(), QApplication::applicationDisplayName(), ShownText(text));
}

bool WindowUi::AskYesNo(std::string_view text) {
    return QMessageBox::question(Parent(), QApplication::applicationDisplayName(), ShownText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void WindowUi::SendChatLine(std::string_view text, int32_t colour) {
    if (app_.Network()) app_.Network()->SendChat(std::string(text), colour);
}

void WindowUi::Progress(int bar, int percent) {
    // The bar repaints itself at once. No pending event runs while the year is computed: a network
    // block or a player leaving must not change the game under the simulation.
    app_.Start().SetProgress(bar, percent);
}

void WindowUi::ShowYourTurn() {
    // The waiting panel with last year's bars goes; the window opens where the start window was.
    TStart& start = app_.Start();
    const QRect area = start.frameGeometry();
    start.hide();
    // Filled first: the window's size depends on what it shows this year.
    app_.SelectMan().Fill();
    CentreOn(app_.SelectMan(), area);
    app_.SelectMan().exec();
}

void WindowUi::ShowLastBattle(bool victory) { app_.Proc().Show(victory); }

void WindowUi::ShowWaitingPanel() {
    app_.Start().ShowWaiting(true);
    app_.Start().show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowUi::SetYearLabel(std::string_view text) { app_.Start().SetYearLabel(ShownText(text)); }

ModalResult WindowUi::CommandScreen() { return app_.CommandScreen(); }

void WindowUi::ShowCharts() { app_.ShowCharts(); }

void WindowUi::ShowGetReady(int person) {
    TStart& start = app_.Start();
    const QRect area = start.frameGeometry();
    start.hide();
    CentreOn(app_.SelectPlayer(), area);
    app_.SelectPlayer().Show(person);
}

ModalResult WindowUi::ChooseTerritory(Game&, int person) {
    TStart& start = app_.Start();
    const QRect area = start.frameGeometry();
    start.hide();
    CentreOn(app_.SelectGos(), area);
    return app_.SelectGos().Choose(person);
}

bool WindowUi::SkipYourTurnForOnePerson() const { return app_.CurrentSettings().SinglePlayer; }

double WindowUi::ClockDays() { return double(clock_.elapsed()) / 86400000.0; }

}  // namespace korvant
