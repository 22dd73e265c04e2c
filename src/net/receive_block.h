#pragma once
// The one receive handler of a network game: every block another computer (or this one) sends
// arrives here, is checked whole, and only then changes the game, the flags and the controls.
// A block that fails a check is ignored whole and logged to standard error with its sender and
// kind; nothing of it is applied.
#include <cstdint>
#include <span>

#include "net/net_context.h"

namespace korvant {

enum class BlockOutcome {
    Applied,  // the block had its effect
    Ignored,  // a block the game passes over: too short to carry a kind, an unknown kind, a map update during the game
    Refused,  // damaged, hostile or from a player who may not send it; logged
};

BlockOutcome ReceiveBlock(NetContext& net, PlayerId from, std::span<const uint8_t> block);

// A session listener whose OnMessage is the receive handler.
class BlockListener : public SessionListener {
public:
    explicit BlockListener(NetContext net) : net_(net) {}
    void OnMessage(PlayerId from, std::span<const uint8_t> block) override { ReceiveBlock(net_, from, block); }

private:
    NetContext net_;
};

}  // namespace korvant
