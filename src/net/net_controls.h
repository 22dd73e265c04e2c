#pragma once
// What the network blocks show beyond the game's state: the lobby's and windows' controls,
// which read the network model anew when told that it changed. The lobby window implements
// this; HeadlessNetControls stands in for tests and peers without windows.
#include <cstdint>
#include <string_view>

namespace korvant {

class NetControls {
public:
    virtual ~NetControls() = default;

    // The model's roster changed: names, ready ticks or finished turns.
    virtual void ShowRoster() = 0;
    // The model's ready switch changed.
    virtual void ShowReadySwitch() = 0;
    // The game mode changed: the lobby shows the server's or the client's page.
    virtual void ShowPage(bool server) = 0;
    // Redraws the lobby's map picture from the game's map.
    virtual void ShowLobbyMap() = 0;
    // The turn length the server chose, on the lobby's client page.
    virtual void ShowTurnMinutes(int minutes) = 0;

    // A line (UTF-8) in the lobby's, the wait window's and the command screen's chat panes.
    virtual void AppendChatLine(std::string_view line, int32_t colour) = 0;
    virtual void ClearChat() = 0;

    // The small "sending data to the other players" notice, around building and sending large blocks.
    virtual void ShowSendingNotice(bool shown) = 0;

    // The model's rejoin offer changed: a newcomer's lobby offers "Вернуться в игру" or says why not.
    virtual void ShowRejoinOffer() {}
};

}  // namespace korvant
