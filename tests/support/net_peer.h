#pragma once
// One computer of a network game in a test: its game, network model, headless controls and a
// fake session whose blocks go to the receive handler. The model knows the session's players and
// plays a game whose server is player 1, unless the test sets another phase.
#include <memory>

#include "net/block_bytes.h"
#include "net/headless_net_controls.h"
#include "net/packed_envelope.h"
#include "net/receive_block.h"
#include "support/fake_session.h"

namespace korvant::test {

// How many of the blocks sent are of `kind`, packed ones counted by what they carry.
inline int CountKind(const std::vector<FakeSession::Sent>& sent, BlockKind kind) {
    int n = 0;
    for (const FakeSession::Sent& s : sent) {
        const int32_t k = KindOf(s.block);
        n += (k == int32_t(BlockKind::Packed) ? KindOf(UnpackEnvelope(s.block)) : k) == int32_t(kind);
    }
    return n;
}

// Session players 1..3, "Player1".."Player3", on one fake network: the table most network tests
// seat their computers at (a test's further players join after them).
struct ThreePlayerNetwork {
    FakeNetwork network;
    FakeSession& s1 = network.Join("Player1");
    FakeSession& s2 = network.Join("Player2");
    FakeSession& s3 = network.Join("Player3");
};

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
