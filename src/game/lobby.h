#pragma once
// The network lobby without its window: who becomes the server when the session opens, the map
// and turn length the server chooses, the ready switches, the players coming and going, the
// start with the persons placed on states, a saved game resumed for the session, and leaving.
// The lobby window and the headless peer are thin views over this; it is the session's listener.
#include <cstdint>
#include <span>
#include <string>

#include "game/net_game_loop.h"
#include "net/net_context.h"

namespace korvant {

// What the lobby shows beyond the network controls; the headless peer shows none of it.
class LobbyView {
public:
    virtual ~LobbyView() = default;
    // The caption "a new map is being made" instead of the picture, painted at once.
    virtual void MakingMap() {}
    virtual void HideMap() {}
    // The server's or the client's page, after the game mode changed.
    virtual void ShowPage(bool server) { (void)server; }
    // The game runs: the lobby hides while it does.
    virtual void GameRunning(bool running) { (void)running; }
    // The lobby is to close (a taken name, a failed open, or the server lost after a game).
    virtual void CloseLobby() {}
};

class Lobby final : public SessionListener {
public:
    static constexpr int MinStates = 2, MaxStates = 20;
    static constexpr int MaxTurnMinutes = 10;
    static constexpr int MapSize = 100;

    Lobby(Game& game, Session& session, NetControls& controls, NetGameWindows& windows, LobbyView& view);

    NetContext& Net() { return net_; }
    const NetFlags& Flags() const { return flags_; }
    // This computer was alone in the session when it opened it.
    bool SessionHost() const { return sessionHost_; }
    bool IsServer() const { return game_.GameMode != ModeNetClient; }

    // Before the session opens: a network game is played at normal difficulty.
    void BeginOpening();

    void OnOpen() override;
    void OnOpenFailed(OpenError) override;
    void OnAddPlayer(const SessionPlayer& player) override;
    void OnDeletePlayer(const SessionPlayer& player) override;
    void OnMessage(PlayerId from, std::span<const std::uint8_t> block) override;
    void OnSessionLost() override;

    // The lobby becomes visible, also after a game or a hand-over.
    void Show();

    // The server's choices.
    int StateCount() const { return stateCount_; }
    void SetStateCount(int n);
    int TurnMinutes() const { return turnMinutes_; }
    void SetTurnMinutes(int minutes);
    // A new map for StateCount() states, sent to everybody.
    void NewMap();

    // The ready switch, switched by this person.
    void SetReady(bool on);

    enum class StartCheck { Waiting, Alone, TooManyPlayers, Start };
    // The start timer: when every entry is ticked, refuses a lone player or more players than
    // states, else places the persons (on the server) and says Start.
    StartCheck StartTick();

    // A saved game has just been read into the game for this session: matches its persons to
    // the session's players, reports who belongs to it when they differ, and asks a person of the
    // game whether to start anyway. True when the game is to start (PlayGame with loaded).
    bool AcceptLoadedGame();

    // Runs the network game to its end for this computer and brings the lobby back.
    NetGameEnd PlayGame(const NetGameOptions& options, bool loaded = false);

    // "Выход": the server hands the lobby to the last remote player, then the session is closed.
    void Close();

private:
    void PlacePersons();
    int FreeStates() const;
    // The server left the session while this client plays and did not hand its role on.
    void ServerVanished(const SessionPlayer& server);
    void RequestClose();

    Game& game_;
    NetControls& controls_;
    NetGameWindows& windows_;
    LobbyView& view_;
    NetFlags flags_;
    NetContext net_;
    bool sessionHost_ = false;
    bool freshMap_ = false;       // the map made when the session opened, not yet shown
    bool serverLeftGame_ = false;  // the server sent its leave: the role moves on, it did not vanish
    bool readySaid_ = false;       // the last ready block this computer sent said "ready"
    PlayerId lobbyServer_ = 0;     // who sent the lobby's turn length or start
    int stateCount_ = MaxStates;
    int turnMinutes_ = 2;
};

}  // namespace korvant
