#pragma once
// What the senders and the receive handler work on: the game, the session, the network model
// and the controls that show it.
#include "core/game.h"
#include "net/net_controls.h"
#include "net/net_model.h"
#include "net/session.h"

namespace korvant {

struct NetContext {
    Game& game;
    Session& session;
    NetModel& model;
    NetControls& controls;
};

}  // namespace korvant
