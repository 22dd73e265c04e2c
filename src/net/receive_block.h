#pragma once
// The one receive handler of a network game: every block another computer (or this one) sends
// arrives here, is judged by the table of who may send what and when, is checked whole, and only
// then changes the game, the network model and the controls. A refused block changes nothing; it
// is logged to standard error and shown once in the chat panes. No block, however made, throws
// out of here.
#include <cstdint>
#include <span>

#include "net/net_context.h"

namespace korvant {

enum class BlockOutcome {
    Applied,  // the block had its effect
    Ignored,  // a block the game passes over: too short to carry a kind, an unknown kind, one not wanted now
    Refused,  // damaged, hostile, out of its phase or from a player who may not send it
};

BlockOutcome ReceiveBlock(NetContext& net, PlayerId from, std::span<const uint8_t> block);

}  // namespace korvant
