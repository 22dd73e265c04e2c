// What the receive handler does with each kind, and how it refuses what it must not take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_left.h"
#include "net/player_turn_block.h"
#include "net/senders.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;
using test::NetPeer;

// Players 1..3 play states 1..3; player 4 ("Guest") only watches.
class ReceiveBlockTest : public ::testing::Test {
protected:
    test::FakeNetwork network;
    test::FakeSession& s1 = network.Join("Player1");
    test::FakeSession& s2 = network.Join("Player2");
    test::FakeSession& s3 = network.Join("Player3");
    test::FakeSession& s4 = network.Join("Guest");
    NetPeer server{s1, test::MakeNetGame(1)};
    NetPeer client{s2, test::MakeNetGame(2)};

    void SetUp() override {
        server.flags.InNetGame = client.flags.InNetGame = true;
        client.flags.ServerId = 1;
    }
    // Every saved field of the client's game, to see that a refused block left it alone.
    std::vector<uint8_t> ClientState() const {
        std::vector<uint8_t> out;
        ForEachField(std::tuple{state::History, state::Generals, state::States, state::Map, state::Year,
                                state::GosCount, state::MapSize},
                     [&](const auto& f) { PutRaw(out, f.of(*client.game)); });
        out.insert(out.end(), client.game->Chronicle.begin(), client.game->Chronicle.end());
        return out;
    }
};

TEST_F(ReceiveBlockTest, ChatGoesToTheThreePanesUnderTheSendersName) {
    for (int i = 0; i < 30; ++i) SendChat(server.net, "  line " + std::to_string(i) + " ", 0x123);
    EXPECT_FALSE(SendChat(server.net, "   ", 0));
    network.Deliver();
    const ChatPanes& panes = client.controls.chat;
    ASSERT_EQ(panes.Lines(ChatPane::Lobby).size(), 22u);
    EXPECT_EQ(panes.Lines(ChatPane::Wait).size(), 22u);
    EXPECT_EQ(panes.Lines(ChatPane::Command).size(), 29u);
    EXPECT_EQ(panes.Lines(ChatPane::Lobby).back(), (ChatPaneLine{"Player1> line 29", 0x123}));
    EXPECT_EQ(panes.Lines(ChatPane::Command).front().text, "Player1> line 1");
    EXPECT_TRUE(panes.LampLit());
    // The sender sees his own lines at once, the empty one was never sent.
    EXPECT_EQ(server.controls.chat.Lines(ChatPane::Command).size(), 29u);
    EXPECT_EQ(s1.sent.size(), 60u);
}

TEST_F(ReceiveBlockTest, ReadyTicksByNameAndTheServerStartsWhenAllAre) {
    server.game->GameMode = ModeNetServer;
    server.flags.InNetGame = false;
    server.controls.players = {{"PLAYER1"}, {"player2"}};
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Ready, 1)), BlockOutcome::Applied);  // "Guest" is not listed
    EXPECT_FALSE(server.controls.players[0].ticked || server.controls.players[1].ticked);
    server.Receive(2, EncodeSmall(BlockKind::Ready, 1));
    EXPECT_TRUE(server.controls.players[1].ticked);
    EXPECT_TRUE(s1.sent.empty());
    SendReady(server.net, true);  // reaches this computer too, and every entry is ticked now
    EXPECT_TRUE(server.controls.players[0].ticked);
    int starts = 0;
    for (const auto& sent : s1.sent) starts += KindOf(sent.block) == int32_t(BlockKind::Start);
    EXPECT_EQ(starts, 2);  // to players 2 and 3
}

TEST_F(ReceiveBlockTest, LobbyBlocks) {
    client.flags.InNetGame = false;
    client.Receive(1, EncodeSmall(BlockKind::TurnTime, 4));
    EXPECT_EQ(client.game->TurnMinutes, 4);
    EXPECT_EQ(client.controls.turnMinutesShown, 4);

    auto fresh = test::MakeNetGame();
    fresh->Map[10][10] = 3;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeMap(*fresh, BlockKind::Map))), BlockOutcome::Applied);
    EXPECT_EQ(client.game->Map[10][10], 3);
    EXPECT_EQ(client.controls.mapsShown, 1);
    EXPECT_EQ(client.controls.ready, (ReadySwitch{true, ReadyMapKnown, false}));

    client.controls.players = {{"Player1"}, {"Player2"}};
    client.Receive(1, EncodeSmall(BlockKind::Start));
    EXPECT_TRUE(client.controls.AllPlayersTicked());

    client.Receive(1, EncodeSmall(BlockKind::BecomeServer));
    EXPECT_EQ(client.game->GameMode, ModeNetServer);
    EXPECT_EQ(client.controls.ready, (ReadySwitch{false, ReadyGrey, false}));
    EXPECT_EQ(client.controls.lobbyRebuilds, 1);
}

TEST_F(ReceiveBlockTest, GameBlocksOfSmallKinds) {
    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Applied);  // plays no state
    EXPECT_EQ(client.Receive(0, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Refused);  // nobody's id
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(client.game->mGos[s].Captured, 0);
    client.Receive(3, EncodeSmall(BlockKind::TurnDone));
    EXPECT_EQ(client.game->mGos[3].Captured, 39);

    client.Receive(3, EncodeSmall(BlockKind::Leave));
    EXPECT_EQ(client.game->mGos[3].Human, 0);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Wait).back(),
              (ChatPaneLine{"Player3> вышел из игры, его государством теперь управляет компьютер", 0x0000FF}));

    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::GameOver)), BlockOutcome::Refused);  // a watcher
    EXPECT_EQ(client.game->NetEndFlag, 0);
    client.Receive(1, EncodeSmall(BlockKind::GameOver));
    EXPECT_EQ(client.game->NetEndFlag, 1);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Lobby).back().text, "Player1> закончил игру для всех");

    PlayerLeftSession(client.net, {1, "Player1", true});
    EXPECT_EQ(client.game->mGos[1].Human, 0);
    EXPECT_TRUE(client.game->mGos[1].PlayerName.empty());
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Lobby).back(), (ChatPaneLine{"Player1> покинул сеанс", 0x800000}));
}

TEST_F(ReceiveBlockTest, MapUpdatesOnlyOutsideTheGame) {
    auto other = test::MakeNetGame();
    other->Map[5][5] = 2;
    const Bytes update = PackEnvelope(EncodeMap(*other, BlockKind::MapUpdate));
    const Bytes before = ClientState();
    EXPECT_EQ(client.Receive(1, update), BlockOutcome::Ignored);
    EXPECT_EQ(ClientState(), before);

    client.flags.InNetGame = false;
    EXPECT_EQ(client.Receive(4, update), BlockOutcome::Refused);  // not a player of this game
    EXPECT_EQ(client.Receive(1, update), BlockOutcome::Applied);
    EXPECT_EQ(client.game->Map[5][5], 2);
    // A person who knows no game, only watching the lobby, sees the running game's map.
    NetPeer watcher{s4, std::make_unique<Game>()};
    EXPECT_EQ(watcher.Receive(1, update), BlockOutcome::Applied);
    EXPECT_EQ(watcher.controls.mapsShown, 1);
}

TEST_F(ReceiveBlockTest, StateBlocksOnlyFromPlayersOfTheGame) {
    const Bytes before = ClientState();
    server.game->Year = 8;
    EXPECT_EQ(client.Receive(4, PackEnvelope(EncodeFullState(*server.game, 4))), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(4, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Refused);
    EXPECT_EQ(ClientState(), before);
    EXPECT_FALSE(client.flags.FullStateReceived || client.flags.TurnResultReceived);
    // The lobby's blocks do not reach a game in progress.
    EXPECT_EQ(client.Receive(1, EncodeSmall(BlockKind::BecomeServer)), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeMap(*server.game, BlockKind::Map))), BlockOutcome::Refused);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
}

TEST_F(ReceiveBlockTest, PlayerTurnOnlyByTheServerFromThePlayerOfThatState) {
    client.game->mGos[2].Money = 9999;
    const Bytes turn = EncodePlayerTurn(*client.game);
    EXPECT_EQ(client.Receive(3, turn), BlockOutcome::Refused);  // a client is not the server
    EXPECT_EQ(server.Receive(3, turn), BlockOutcome::Refused);  // player 3 does not play state 2
    EXPECT_EQ(server.game->mGos[2].Money, 502);

    // A turn that breaks the books of soldiers is refused whole, generals included.
    client.game->mGos[2].FreeSoldiers += 5;
    client.game->mGeneral[2].Knowledge = 77;
    EXPECT_EQ(server.Receive(2, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
    EXPECT_EQ(server.game->mGos[2].Money, 502);
    EXPECT_NE(server.game->mGeneral[2].Knowledge, 77);

    client.game->mGos[2].FreeSoldiers -= 5;
    EXPECT_EQ(server.Receive(2, turn), BlockOutcome::Applied);
    EXPECT_EQ(server.game->mGos[2].Money, 9999);
}

TEST_F(ReceiveBlockTest, DamagedBlocksChangeNothing) {
    server.game->Year = 8;
    const Bytes before = ClientState();
    Bytes full = EncodeFullState(*server.game, 1);
    full[90528 + 2 * 264 + 1] = 9;  // the last message is for a state the game does not have
    EXPECT_EQ(client.Receive(1, PackEnvelope(full)), BlockOutcome::Refused);

    Bytes envelope = PackEnvelope(EncodeFullState(*server.game, 1));
    PutAt(envelope, 4, int32_t(envelope.size() + 1));
    EXPECT_EQ(client.Receive(1, envelope), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeChat("packed", 0))), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, Bytes{10, 0, 0}), BlockOutcome::Ignored);
    EXPECT_EQ(client.Receive(1, Bytes{99, 0, 0, 0, 1, 0, 0, 0}), BlockOutcome::Ignored);
    EXPECT_EQ(ClientState(), before);
    EXPECT_FALSE(client.flags.FullStateReceived);
}

}  // namespace
}  // namespace korvant
