#pragma once
// The few controls of the lobby and the game's windows that network blocks reach. The lobby's
// windows implement this; HeadlessNetControls stands in for tests and peers without windows.
#include <cstdint>
#include <string_view>

namespace korvant {

inline constexpr int32_t ReadyGrey = 0xC0C0C0;     // no map known yet
inline constexpr int32_t ReadyMapKnown = 0xFF8080;

// The lobby's "ready" switch and the circle behind it.
struct ReadySwitch {
    bool enabled = false;
    int32_t colour = ReadyGrey;
    bool on = false;
    bool operator==(const ReadySwitch&) const = default;
};

class NetControls {
public:
    virtual ~NetControls() = default;

    // The lobby's player list, one entry per session player, in session order.
    virtual void AddPlayer(std::string_view name) = 0;
    // Removes the first entry whose name equals `name` but for letter case; none: nothing changes.
    virtual void RemovePlayer(std::string_view name) = 0;
    virtual void ClearPlayers() = 0;
    virtual int PlayerCount() const = 0;
    virtual void UntickAllPlayers() = 0;

    // Ticks or unticks the lobby's player entry whose name equals `name` but for letter case;
    // false when there is none.
    virtual bool TickPlayer(std::string_view name, bool ticked) = 0;
    virtual void TickAllPlayers() = 0;
    virtual bool AllPlayersTicked() const = 0;

    virtual void SetReadySwitch(const ReadySwitch& look) = 0;
    virtual ReadySwitch ReadyLook() const = 0;
    // Hides and shows the lobby, which rebuilds itself for the current game mode.
    virtual void RebuildLobby() = 0;
    // Redraws the lobby's map picture from the game's map.
    virtual void ShowLobbyMap() = 0;
    // The turn length the server chose, on the lobby's client page.
    virtual void ShowTurnMinutes(int minutes) = 0;

    // A line (UTF-8) in the lobby's, the wait window's and the command screen's chat panes, whose
    // chat lamp lights up.
    virtual void AppendChatLine(std::string_view line, int32_t colour) = 0;
    virtual void ClearChat() = 0;

    // The small "sending data to the other players" notice, around building and sending large blocks.
    virtual void ShowSendingNotice(bool shown) = 0;
    // Closes the wait window (this person's turn found no server).
    virtual void CloseWaitWindow() = 0;
};

}  // namespace korvant
