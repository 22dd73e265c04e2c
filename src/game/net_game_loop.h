#pragma once
// The network game's year loop, run on every computer of the session once the lobby starts a
// game: each person plays his own state at the same time as the others, the server computes the
// year and sends its results, and the server role moves on when the server's person leaves.
#include <chrono>
#include <functional>

#include "game/wait_poll.h"
#include "net/net_context.h"

namespace korvant {

// The windows of the network loop beyond the game's own (command screen, messages, charts).
class NetGameWindows {
public:
    virtual ~NetGameWindows() = default;
    // The wait window on the poll's page, modal: ticks the poll until it says close, while the
    // session's blocks keep arriving. Aborted when the person chose "Прервать игру" (after
    // poll.Abort()).
    virtual WaitResult Wait(WaitPoll& poll) = 0;
    // Lets `length` pass without spending the processor; the session's events run meanwhile.
    virtual void Pause(std::chrono::milliseconds length) = 0;
};

struct NetGameOptions {
    // The server's pause before it sends a year's results, so that every client is already
    // waiting for them.
    std::chrono::milliseconds serverPause{2000};
    // Called once a pass has its year's data (sent by the server, received by a client), before
    // this computer's person moves; false ends the loop here (a short game).
    std::function<bool(NetContext&)> yearBegins{};
    // Called on the server around its computing of a year (a timing of the year can tell the
    // simulation from the rest).
    std::function<void()> simulationBegins{}, simulationEnds{};
};

enum class NetGameEnd {
    NotANetGame,    // the game mode was neither server nor client
    Over,           // victory, draw, or no person left
    Defeated,       // this computer's state was destroyed
    Quit,           // this person left the game
    Aborted,        // this person aborted in the wait window, or nobody was left to wait for
    EndedByServer,  // the server's person ended the game for everybody
    SessionLost,    // this computer was cut off from the session
    ServerLost,     // the server left without handing its role on
    Stopped,        // yearBegins asked to stop
};

NetGameEnd NetGameLoop(NetContext& net, NetGameWindows& windows, const NetGameOptions& options = {});

}  // namespace korvant
