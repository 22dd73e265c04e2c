#pragma once
// A player has left the session: the others are told in their chat panes, and the computer
// plays his states from now on.
#include "net/net_context.h"

namespace korvant {

void PlayerLeftSession(NetContext& net, const SessionPlayer& player);

}  // namespace korvant
