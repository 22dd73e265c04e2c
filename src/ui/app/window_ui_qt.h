#pragma once
// The game's windows behind the narrow interface the rules call.
#include <QElapsedTimer>
#include <QString>

#include "core/game_ui.h"

namespace korvant {

class GameWindows;

class WindowUi : public GameUi {
public:
    explicit WindowUi(GameWindows& app) : app_(app) { clock_.start(); }

    void MessageBox(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    void Progress(int bar, int percent) override;
    void ShowYourTurn() override;
    void ShowLastBattle(bool victory) override;
    // Only network games have a chat; a local game has no one to send it to.
    void SendChatLine(std::string_view text, int32_t colour) override;
    void ShowWaitingPanel() override;
    void SetYearLabel(std::string_view text) override;
    ModalResult CommandScreen() override;
    void ShowCharts() override;
    void ShowGetReady(int person) override;
    ModalResult ChooseTerritory(Game& game, int person) override;
    bool SkipYourTurnForOnePerson() const override;
    // Days since the program started, on a monotonic clock.
    double ClockDays() override;

private:
    GameWindows& app_;
    QElapsedTimer clock_;
};

// A message text as a window shows it: the language file's CR, LF and CR LF all break lines.
QString ShownText(std::string_view text);

}  // namespace korvant
