#pragma once
// The lobby's and windows' controls without windows: a player list, the ready switch, the chat
// panes and counters of what was shown, for tests and for peers that run headless.
#include <string>
#include <vector>

#include "net/chat_panes.h"
#include "net/net_controls.h"

namespace korvant {

class HeadlessNetControls : public NetControls {
public:
    struct Entry {
        std::string name;
        bool ticked = false;
    };

    void AddPlayer(std::string_view name) override { players.push_back({std::string(name), false}); }
    void RemovePlayer(std::string_view name) override;
    void ClearPlayers() override { players.clear(); }
    int PlayerCount() const override { return int(players.size()); }
    void UntickAllPlayers() override;
    bool TickPlayer(std::string_view name, bool ticked) override;
    void TickAllPlayers() override;
    bool AllPlayersTicked() const override;
    void SetReadySwitch(const ReadySwitch& look) override { ready = look; }
    ReadySwitch ReadyLook() const override { return ready; }
    void RebuildLobby() override { ++lobbyRebuilds; }
    void ShowLobbyMap() override { ++mapsShown; }
    void ShowTurnMinutes(int minutes) override { turnMinutesShown = minutes; }
    void AppendChatLine(std::string_view line, int32_t colour) override { chat.Append(line, colour); }
    void ClearChat() override { chat.Clear(); }
    void ShowSendingNotice(bool shown) override;
    void CloseWaitWindow() override { ++waitWindowsClosed; }

    std::vector<Entry> players;  // the lobby's list, in session order
    ReadySwitch ready;
    ChatPanes chat;
    int lobbyRebuilds = 0;
    int mapsShown = 0;
    int turnMinutesShown = -1;
    bool sendingNoticeShown = false;
    int sendingNotices = 0;  // times the notice was shown
    int waitWindowsClosed = 0;
};

}  // namespace korvant
