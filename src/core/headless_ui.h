#pragma once
// The windows' interface for tests and the headless simulator: message boxes are logged and
// every person hands his turn to the computer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_ui.h"

namespace korvant {

// Logs message boxes and answers every question with a fixed answer.
class HeadlessUi : public GameUi {
public:
    void MessageBox(std::string_view text) override { log.emplace_back(text); }
    bool AskYesNo(std::string_view text) override {
        log.emplace_back(text);
        return answerYes;
    }
    void Progress(int, int) override {}
    void ShowYourTurn() override { windows.emplace_back("your turn"); }
    void ShowLastBattle(bool victory) override { windows.emplace_back(victory ? "victory" : "defeat"); }
    void SendChatLine(std::string_view text, int32_t) override { chat.emplace_back(text); }
    void ShowWaitingPanel() override {}
    void SetYearLabel(std::string_view) override {}
    // Every person hands his turn to the computer.
    ModalResult CommandScreen() override {
        windows.emplace_back("command screen");
        return ModalResult::ToComputer;
    }
    void ShowCharts() override { windows.emplace_back("charts"); }
    void ShowGetReady(int) override { windows.emplace_back("get ready"); }
    // Takes a free state for the person, searching upward from a random one.
    ModalResult ChooseTerritory(Game& game, int person) override;
    bool SkipYourTurnForOnePerson() const override { return skipYourTurn; }
    // Time stands still: a headless game's persons spend none.
    double ClockDays() override { return 0; }

    std::vector<std::string> log;
    std::vector<std::string> windows;  // the modal windows shown, in order
    std::vector<std::string> chat;
    bool answerYes = true;
    bool skipYourTurn = false;
};

}  // namespace korvant
