#pragma once
// What the rules ask of windows. The game's Qt windows implement this; tests
// and the headless simulator use HeadlessUi. The rules never call a window
// directly, so every rule runs without a display.
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

    std::vector<std::string> log;
    bool answerYes = true;
};

}  // namespace korvant
