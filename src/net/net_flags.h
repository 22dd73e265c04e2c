#pragma once
// What the receive handler and the senders tell the lobby and the network turn cycle, which
// poll these. GameMode, NetEndFlag and TurnMinutes live in the Game with the rest of the state.
#include <cstdint>

#include "net/session.h"

namespace korvant {

// Captured's mark of a person who has ended his turn.
inline constexpr uint16_t TurnFinishedMark = 39;

struct NetFlags {
    PlayerId ServerId = 0;            // the current server's session id; 0 while none is known
    bool FullStateReceived = false;   // a full state arrived; the turn cycle clears it before each wait
    bool TurnResultReceived = false;  // a turn result arrived; cleared likewise
    bool InNetGame = false;           // the network game loop runs on this computer
    bool ServerLost = false;          // the turn ended with no server to send it to, or the server vanished
    int NetTurns = 0;                 // turns this computer's person played in the running game loop
};

}  // namespace korvant
