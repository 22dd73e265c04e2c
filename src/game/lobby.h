#pragma once
// The network lobby without its window: who serves when the session opens, the map and turn
// length the server chooses, the ready switches, the players coming and going, the start with
// the persons placed on states, a saved game resumed for the session, and leaving. It is the
// session's listener and drives the network model's transitions; the lobby window and the
// headless peer only show the model and hand the person's actions here.
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
    // The game runs: the lobby hides while it does.
    virtual void GameRunning(bool running) { (void)running; }
    // The lobby is to close (a taken name, a failed open, or the server lost after a game).
    virtual void CloseLobby() {}
};

class Lobby final : public SessionListener {
public:
    static constexpr int MinStates = 2, MaxStates = 20;
    static constexpr int MapSize = 100;

    Lobby(Game& game, Session& session, NetControls& controls, NetGameWindows& windows, LobbyView& view);

    NetContext& Net() { return net_; }
    const NetModel& Model() const { return model_; }
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

    // The lobby is shown, also after a game or a hand-over: the switch, the page and the choices.
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
    // The start timer: Start when a start block or the game's first full state has started the
    // game here; else, when every player is ready, refuses a lone player or more players than
    // states, or places the persons (on the server) and says Start.
    StartCheck StartTick();

    // A saved game has just been read into the game for this session: matches its persons to
    // the session's players, reports who belongs to it when they differ, and asks a person of the
    // game whether to start anyway. True when the game is to start (PlayGame).
    bool AcceptLoadedGame();

    // Runs the network game to its end for this computer and brings the lobby back. The server
    // first tells every person of the game that it starts.
    NetGameEnd PlayGame(const NetGameOptions& options);

    // "Вернуться в игру": a newcomer asks the running game's server for the state he dropped out of.
    void Rejoin();

    // "Выход": the server hands the lobby to the last remote player, then the session is closed.
    void Close();

private:
    void PlacePersons();
    int FreeStates() const;
    // The server (or the heir awaited in its place) left the session while this client plays and
    // did not hand its role on: `heir` takes it over, or nobody can.
    void ServerVanished(const SessionPlayer& server, PlayerId heir);
    // The lobby's server left: the last player in session order serves it now, as the server's
    // hand-over would have chosen.
    void LobbyServerLeft();

    Game& game_;
    LobbyView& view_;
    NetGameWindows& windows_;
    NetModel model_;
    NetContext net_;
    bool sessionHost_ = false;
    bool freshMap_ = false;   // the map made when the session opened, not yet shown
    bool readySaid_ = false;  // the last ready block this computer sent said "ready"
    int stateCount_ = MaxStates;
    int turnMinutes_ = 2;
};

}  // namespace korvant
