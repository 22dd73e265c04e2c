// The network game's receive handler and its model under sequences of arbitrary blocks from
// arbitrary senders, into a game in progress or a lobby. The first byte chooses whether this
// computer is the server and whether the game runs or the lobby shows; then each block of the
// sequence is a control byte (the sender and the block's form: the bytes as they are, the bytes in
// a packed envelope, or a sound block of the game with bytes patched at chosen places, so that the
// fuzzer reaches the checks deep inside the large blocks), a length byte and its bytes. After
// every block the game must be whole (its counts in range, its books clean, as the state check
// demands) and the model consistent: this computer is the server exactly when it says so.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "core/check_state.h"
#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace {

using namespace korvant;

std::vector<uint8_t> soundBlock(const Game& server, const Game& client, uint8_t choice) {
    switch (choice % 6) {
        case 0: return EncodeFullState(server, 1 + choice / 6 % 3);
        case 1: return EncodeTurnResult(server, client.CurGos);
        case 2: return EncodePlayerTurn(client);
        case 3: return EncodeMap(server, choice & 0x80 ? BlockKind::MapUpdate : BlockKind::Map);
        case 4: return EncodeChat("chat line", 0x123456);
        default: return EncodeSmall(BlockKind(1 + choice / 6 % 16), choice / 96);
    }
}

// Pairs of a 24-bit offset and a byte, applied where they fall inside the block.
void patch(std::vector<uint8_t>& block, const uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const std::size_t at = data[i] | data[i + 1] << 8 | std::size_t(data[i + 2]) << 16;
        if (at < block.size())
            block[at] = data[i + 3];
        else if (at == 0xFFFFFF)
            block.resize(block.size() - std::min<std::size_t>(block.size(), data[i + 3]));
    }
}

// The four players of a session, and the two computers this one can be: the server (player 1)
// or the client of player 2. Built once; every input starts from the same games.
struct Fixture {
    test::FakeNetwork network;
    test::FakeSession& s1 = network.Join("Player1");
    test::FakeSession& s2 = network.Join("Player2");
    test::FakeSession& s3 = network.Join("Player3");
    test::FakeSession& s4 = network.Join("Guest");
    test::NetPeer server{s1, test::MakeNetGame(1)};
    test::NetPeer client{s2, test::MakeNetGame(2)};
    std::unique_ptr<Game> startOf[2] = {test::MakeNetGame(2), test::MakeNetGame(1)};
    std::map<uint8_t, std::vector<uint8_t>> soundBlocks;

    Fixture() {
        for (auto& game : startOf) game->Year = 8;
    }

    test::NetPeer& Start(bool isServer, bool inGame) {
        test::NetPeer& peer = isServer ? server : client;
        const Game& start = *startOf[isServer];
        ForEachField(state::Saved, [&](const auto& field) { field.of(*peer.game) = field.of(start); });
        peer.game->GameMode = start.GameMode;
        peer.game->CurGos = start.CurGos;
        peer.game->TurnMinutes = 0;
        peer.model = NetModel{};
        peer.model.phase = inGame ? NetPhase::Playing : NetPhase::Lobby;
        peer.model.serverId = inGame ? 1 : 0;
        peer.model.lobbyServerId = 1;
        peer.Meet();
        peer.controls = HeadlessNetControls{};
        peer.session.sent.clear();
        network.Deliver();  // drops what the last input sent: no other computer listens
        return peer;
    }

    // Sound blocks depend only on the choice; they are built once.
    const std::vector<uint8_t>& SoundBlock(uint8_t choice) {
        auto [it, fresh] = soundBlocks.try_emplace(choice);
        if (fresh) it->second = soundBlock(*startOf[true], *startOf[false], choice);
        return it->second;
    }
};

}  // namespace

namespace {

void mustHold(bool condition) {
    if (!condition) std::abort();
}

// The game and the model after a block the handler took.
void checkWhole(test::NetPeer& peer) {
    const Game& g = *peer.game;
    mustHold(g.GosCount >= 2 && g.GosCount <= MaxStates && g.MapSize >= 50 && g.MapSize <= 100 && g.Year <= MaxYears);
    try {
        CheckState(*peer.game, "fuzz");
    } catch (const StateError&) {
        std::abort();
    }
    const NetModel& m = peer.model;
    const PlayerId self = peer.session.LocalId();
    mustHold(m.phase != NetPhase::Closed && m.phase != NetPhase::Opening);
    if (m.phase == NetPhase::Playing) mustHold((g.GameMode == ModeNetServer) == (m.serverId == self));
    mustHold(m.serverId == 0 || m.Listed(m.serverId) || m.serverId == self);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    static Fixture fixture;
    test::NetPeer& peer = fixture.Start(data[0] & 1, !(data[0] & 2));
    std::size_t at = 1;
    while (at + 2 <= size) {
        const uint8_t control = data[at];
        const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
        const uint8_t* bytes = data + at + 2;
        at += 2 + length;
        const PlayerId sender = control & 7;
        const int form = (control >> 4) & 3;
        std::vector<uint8_t> block;
        if (form >= 2 && length >= 1) {
            block = fixture.SoundBlock(bytes[0]);
            patch(block, bytes + 1, length - 1);
            if (form == 3 && block.size() >= 4) block = PackEnvelope(block);
        } else {
            block.assign(bytes, bytes + length);
            if (form == 1 && block.size() >= 4) block = PackEnvelope(block);
        }
        if (ReceiveBlock(peer.net, sender, block) == BlockOutcome::Applied) checkWhole(peer);
    }
    return 0;
}
