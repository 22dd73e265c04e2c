#pragma once
// What the rules ask of windows. The game's Qt windows implement this; tests
// and the headless simulator use HeadlessUi (core/headless_ui.h). The rules never
// call a window directly, so every rule runs without a display.
#include <cstdint>
#include <string_view>

namespace korvant {

struct Game;

// How a modal window of the game was left.
enum class ModalResult : int {
    EndTurn = 1,     // end of turn, OK
    ToComputer = 2,  // the turn handed to the computer, or a plain close
    Quit = 3,        // the person leaves the game (or gives up the territory choice)
};

class GameUi {
public:
    virtual ~GameUi() = default;

    // A message box with an OK button.
    virtual void MessageBox(std::string_view text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // Progress of a long phase of the year, 1..100, on the waiting panel's bar `bar` (1 or 2).
    virtual void Progress(int bar, int percent) = 0;
    // The your-turn window for the player named CurPlayerName, shown modally (also to hand the
    // screen to a person).
    virtual void ShowYourTurn() = 0;
    // The last-battle window for BattleDefender, on its victory or defeat page.
    virtual void ShowLastBattle(bool victory) = 0;
    // A chat line to every player of a network game, this one included.
    virtual void SendChatLine(std::string_view text, int32_t colour) = 0;

    // The start window's waiting panel in front while the computers move and battles are fought.
    virtual void ShowWaitingPanel() = 0;
    // The waiting panel's year label.
    virtual void SetYearLabel(std::string_view text) = 0;
    // The command screen for CurGos, modal: EndTurn, ToComputer or Quit.
    virtual ModalResult CommandScreen() = 0;
    // The statistics charts, modal.
    virtual void ShowCharts() = 0;
    // The get-ready window for person number `person` (1..PeopleCount), modal.
    virtual void ShowGetReady(int person) = 0;
    // The territory window for person number `person`, modal: he takes a free state
    // (TakeTerritory) and the result is EndTurn, or he gives up with Quit.
    virtual ModalResult ChooseTerritory(Game& game, int person) = 0;
    // The settings' switch that spares a lone person the your-turn window.
    virtual bool SkipYourTurnForOnePerson() const = 0;
    // A steady clock in days (never set back with the wall clock), for the time persons
    // spend in the command screen.
    virtual double ClockDays() = 0;
};

}  // namespace korvant
