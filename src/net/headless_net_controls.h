#pragma once
// The lobby's and windows' controls without windows: the chat panes and counters of what was
// shown, for tests and for peers that run headless.
#include "net/chat_panes.h"
#include "net/net_controls.h"

namespace korvant {

class HeadlessNetControls : public NetControls {
public:
    void ShowRoster() override { ++rosterShown; }
    void ShowReadySwitch() override { ++readySwitchShown; }
    void ShowPage(bool server) override { serverPage = server; }
    void ShowLobbyMap() override { ++mapsShown; }
    void ShowTurnMinutes(int minutes) override { turnMinutesShown = minutes; }
    void AppendChatLine(std::string_view line, int32_t colour) override { chat.Append(line, colour); }
    void ClearChat() override { chat.Clear(); }
    void ShowSendingNotice(bool shown) override;
    void ShowRejoinOffer() override { ++rejoinOffersShown; }

    ChatPanes chat;
    int rosterShown = 0;
    int readySwitchShown = 0;
    bool serverPage = false;
    int mapsShown = 0;
    int turnMinutesShown = -1;
    bool sendingNoticeShown = false;
    int sendingNotices = 0;  // times the notice was shown
    int rejoinOffersShown = 0;
};

}  // namespace korvant
