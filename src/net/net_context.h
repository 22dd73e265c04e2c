#pragma once
// What the senders and the receive handler work on: the game, the session, the network flags
// and the controls of the lobby and windows.
#include "core/game.h"
#include "net/net_controls.h"
#include "net/net_flags.h"
#include "net/session.h"

namespace korvant {

struct NetContext {
    Game& game;
    Session& session;
    NetFlags& flags;
    NetControls& controls;
};

}  // namespace korvant
