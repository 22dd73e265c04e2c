#pragma once
// What the rules ask of windows. The game's Qt windows implement this; tests
// and the headless simulator use HeadlessUi. The rules never call a window
// directly, so every rule runs without a display.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

class GameUi {
public:
    virtual ~GameUi() = default;

    // A message box with an OK button.
    virtual void MessageBox(std::string_view text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // Progress of a long phase of the year, 1..100, on the waiting panel's bar `bar` (1 or 2).
    virtual void Progress(int bar, int percent) = 0;
    // The your-turn window for CurPlayerName, shown modally (also to hand the screen to a person).
    virtual void ShowYourTurn() = 0;
    // The last-battle window for the defender of the battle parties, on its victory or defeat page.
    virtual void ShowLastBattle(bool victory) = 0;
    // A chat line to every player of a network game, this one included.
    virtual void SendChatLine(std::string_view text, int32_t colour) = 0;
};

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

    std::vector<std::string> log;
    std::vector<std::string> windows;  // the modal windows shown, in order
    std::vector<std::string> chat;
    bool answerYes = true;
};

}  // namespace korvant
