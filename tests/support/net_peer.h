#pragma once
// One computer of a network game in a test: its game, flags, headless controls and a fake
// session whose blocks go to the receive handler.
#include <memory>

#include "net/headless_net_controls.h"
#include "net/receive_block.h"
#include "support/fake_session.h"

namespace korvant::test {

struct NetPeer {
    NetPeer(FakeSession& s, std::unique_ptr<Game> g) : game(std::move(g)), session(s) { session.SetListener(&listener); }

    std::unique_ptr<Game> game;
    FakeSession& session;
    NetFlags flags;
    HeadlessNetControls controls;
    NetContext net{*game, session, flags, controls};
    BlockListener listener{net};

    BlockOutcome Receive(PlayerId from, std::span<const uint8_t> block) { return ReceiveBlock(net, from, block); }
};

}  // namespace korvant::test
