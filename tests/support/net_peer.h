#pragma once
// One computer of a network game in a test: its game, network model, headless controls and a
// fake session whose blocks go to the receive handler. The model knows the session's players and
// plays a game whose server is player 1, unless the test sets another phase.
#include <memory>

#include "net/headless_net_controls.h"
#include "net/receive_block.h"
#include "support/fake_session.h"

namespace korvant::test {

struct NetPeer : SessionListener {
    NetPeer(FakeSession& s, std::unique_ptr<Game> g) : game(std::move(g)), session(s) {
        session.SetListener(this);
        model.phase = NetPhase::Playing;
        model.serverId = model.lobbyServerId = 1;
        Meet();
    }
    // The model lists every player the session has now, as the session's events would tell it.
    void Meet() {
        for (const SessionPlayer& p : session.Players()) model.Add(p);
    }
    void OnMessage(PlayerId from, std::span<const uint8_t> block) override { Receive(from, block); }

    std::unique_ptr<Game> game;
    FakeSession& session;
    NetModel model;
    HeadlessNetControls controls;
    NetContext net{*game, session, model, controls};

    BlockOutcome Receive(PlayerId from, std::span<const uint8_t> block) {
        Meet();
        return ReceiveBlock(net, from, block);
    }
};

}  // namespace korvant::test
