#pragma once
// Who takes the game's server role over should the server vanish: the first player after it in
// session order (from the first again after the last) who plays a living state. Every computer
// of the session finds the same one, since all list the players in one order.
#include "core/game.h"
#include "net/net_model.h"

namespace korvant {

// 0 when nobody but the server plays a living state.
PlayerId HeirOf(const NetModel& model, const Game& game, PlayerId server);

}  // namespace korvant
