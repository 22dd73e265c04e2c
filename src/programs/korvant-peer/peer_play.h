#pragma once
// One headless player of a network game: its windows stand-ins (messages on standard output, the
// turn ended or handed to the computer, the waits as event loops) and the lobby driven to a game.
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>

#include "core/headless_ui.h"
#include "game/lobby.h"
#include "net/headless_net_controls.h"
#include "peer_options.h"
#include "session/broker_session.h"
#include "session/tcp_session.h"
#include "year_timing.h"

namespace korvant::peer {

// Message boxes and questions as lines on standard output; the person's turns as the options say.
class PeerUi final : public HeadlessUi {
public:
    PeerUi(const Game& game, const Options& options) : game_(game), options_(options) {}
    void MessageBox(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    ModalResult CommandScreen() override;
    void ShowCharts() override {}
    void ShowLastBattle(bool) override {}

private:
    const Game& game_;
    const Options& options_;
};

// Chat lines and changed ready ticks go to standard output too.
class PeerControls final : public HeadlessNetControls {
public:
    void Watch(const NetModel& model) { model_ = &model; }
    void AppendChatLine(std::string_view line, int32_t colour) override;
    void ShowRoster() override;

private:
    const NetModel* model_ = nullptr;
    std::map<PlayerId, bool> ready_;
};

// The waits run the event loop, ticking the poll after every event of the session and on a slow
// beat besides; the pause is a timer.
class PeerWindows final : public NetGameWindows {
public:
    PeerWindows(const Game& game, const Options& options) : game_(game), options_(options) {}
    WaitResult Wait(WaitPoll& poll) override;
    void Pause(std::chrono::milliseconds length) override;
    // A session event may have brought what the wait waits for: the poll is ticked as soon as the
    // event loop is back, not at the next beat.
    void Nudge();

private:
    const Game& game_;
    const Options& options_;
    QEventLoop* waiting_ = nullptr;
    WaitPage page_ = WaitPage::ClientWait;
    std::function<void()> tick_;
    bool nudged_ = false;
};

// The lobby closing by itself (a failed open, a taken name, the server lost) ends the peer.
class PeerView final : public LobbyView {
public:
    explicit PeerView(std::function<void()> closed) : closed_(std::move(closed)) {}
    void CloseLobby() override { closed_(); }

private:
    std::function<void()> closed_;
};

// The lobby hears the session's events; comings and goings are printed first. Each event nudges
// a wait that is running.
class PeerListener final : public SessionListener {
public:
    PeerListener(Lobby& lobby, PeerWindows& windows) : lobby_(lobby), windows_(windows) {}
    void OnOpen() override { lobby_.OnOpen(); }
    void OnOpenFailed(OpenError e) override { lobby_.OnOpenFailed(e); }
    void OnAddPlayer(const SessionPlayer& p) override;
    void OnDeletePlayer(const SessionPlayer& p) override;
    void OnMessage(PlayerId from, std::span<const std::uint8_t> block) override;
    void OnSessionLost() override;

private:
    Lobby& lobby_;
    PeerWindows& windows_;
};

// Opens the session, gets ready, starts, plays and ends the process with the result.
class Peer final : public QObject {
public:
    Peer(Game& game, const Options& options);
    // Creates or joins; the rest follows from the event loop.
    void Start();

private:
    void LobbyTick();
    void Play();
    bool YearBegins(NetContext& net);
    void Finish(NetGameEnd end);
    static void Digests(const Game& game, int s);
    void DumpYear(const Game& game) const;

    Game& game_;
    const Options& options_;
    // The LAN mesh, or the session through a broker with --broker.
    std::unique_ptr<TcpSession> tcp_;
    std::unique_ptr<BrokerSession> broker_;
    Session& session_;
    PeerControls controls_;
    PeerWindows windows_;
    PeerView view_;
    Lobby lobby_;
    PeerListener listener_{lobby_, windows_};
    QTimer lobbyTimer_;
    YearTiming timing_;
    bool wasServer_ = false;
};

}  // namespace korvant::peer
