// What the receive handler does with each kind, and how it refuses what it must not take.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/check_state.h"
#include "core/colors.h"
#include "core/state_fields.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/rejoin.h"
#include "net/rejoined_block.h"
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
class ReceiveBlockTest : public ::testing::Test, protected test::ThreePlayerNetwork {
protected:
    test::FakeSession& s4 = network.Join("Guest");
    NetPeer server{s1, test::MakeNetGame(1)};
    NetPeer client{s2, test::MakeNetGame(2)};

    // The client is in the lobby, whose server is player 1.
    void InLobby() {
        client.model.phase = NetPhase::Lobby;
        client.model.serverId = 0;
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
    // The sender sees his own lines at once, the empty one was never sent.
    EXPECT_EQ(server.controls.chat.Lines(ChatPane::Command).size(), 29u);
    EXPECT_EQ(s1.sent.size(), 60u);
}

TEST_F(ReceiveBlockTest, ReadyTicksThePlayerWhoSentIt) {
    InLobby();
    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::Ready, 1)), BlockOutcome::Applied);
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::Ready, 1)), BlockOutcome::Applied);
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::Ready, 0)), BlockOutcome::Applied);
    EXPECT_EQ(client.Receive(77, EncodeSmall(BlockKind::Ready, 1)), BlockOutcome::Refused);  // not in the session
    const std::vector<NetMember>& roster = client.model.roster;
    EXPECT_TRUE(roster[3].ready);
    EXPECT_FALSE(roster[0].ready || roster[1].ready || roster[2].ready);
    EXPECT_FALSE(client.model.EveryoneReady());
    // Late ticks after the start change nothing and say nothing.
    client.model.phase = NetPhase::Playing;
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::Ready, 1)), BlockOutcome::Ignored);
    EXPECT_FALSE(roster[2].ready);
}

TEST_F(ReceiveBlockTest, TheLobbysBlocksComeOnlyFromItsServer) {
    InLobby();
    auto fresh = test::MakeNetGame();
    fresh->Map[10][10] = 3;
    const Bytes map = PackEnvelope(EncodeMap(*fresh, BlockKind::Map));
    // Another player may not set the turn length, send a map, start or take the server's role.
    for (const Bytes& b : {EncodeSmall(BlockKind::TurnTime, 4), map, EncodeSmall(BlockKind::Start),
                           EncodeSmall(BlockKind::BecomeServer)})
        EXPECT_EQ(client.Receive(3, b), BlockOutcome::Refused) << KindOf(b);
    EXPECT_EQ(client.model.phase, NetPhase::Lobby);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_NE(client.game->Map[10][10], 3);

    EXPECT_EQ(client.Receive(1, EncodeSmall(BlockKind::TurnTime, MaxTurnMinutes + 1)), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, EncodeSmall(BlockKind::TurnTime, MaxTurnMinutes)), BlockOutcome::Applied);
    client.Receive(1, EncodeSmall(BlockKind::TurnTime, 4));
    EXPECT_EQ(client.game->TurnMinutes, 4);
    EXPECT_EQ(client.controls.turnMinutesShown, 4);
    client.game->MapSize = 40;  // the map of the game before
    EXPECT_EQ(client.Receive(1, map), BlockOutcome::Applied);
    EXPECT_EQ(client.game->Map[10][10], 3);
    EXPECT_EQ(client.game->MapSize, 50);
    EXPECT_EQ(client.controls.mapsShown, 1);
    EXPECT_EQ(client.model.ready, (ReadySwitch{true, ReadyMapKnown, false}));

    client.Receive(1, EncodeSmall(BlockKind::BecomeServer));
    EXPECT_EQ(client.game->GameMode, ModeNetServer);
    EXPECT_EQ(client.model.lobbyServerId, 2u);
    EXPECT_EQ(client.model.ready, (ReadySwitch{false, ReadyGrey, false}));
    EXPECT_TRUE(client.controls.serverPage);
    client.model.lobbyServerId = 1;
    client.Receive(1, EncodeSmall(BlockKind::Start));
    EXPECT_TRUE(client.model.EveryoneReady());
    EXPECT_EQ(client.model.phase, NetPhase::Starting);
}

TEST_F(ReceiveBlockTest, TheGamesSmallBlocks) {
    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Ignored);  // plays no state
    EXPECT_EQ(client.Receive(0, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Refused);  // nobody's id
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(client.game->mGos[s].Captured, 0);
    client.Receive(3, EncodeSmall(BlockKind::TurnDone));
    EXPECT_EQ(client.game->mGos[3].Captured, 39);
    EXPECT_TRUE(client.model.Find(3)->turnFinished);
    // A turn's end that crossed its state's fall on another link is passed over without a word.
    client.game->mGos[3].Alive = 0;
    client.model.Find(3)->turnFinished = false;
    const auto chatLines = client.controls.chat.Lines(ChatPane::Wait).size();
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Ignored);
    EXPECT_FALSE(client.model.Find(3)->turnFinished);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Wait).size(), chatLines);
    client.game->mGos[3].Alive = 1;
    // A small block with bytes after it is refused, whatever it says.
    for (BlockKind kind : {BlockKind::Leave, BlockKind::TurnDone}) {
        Bytes longer = EncodeSmall(kind);
        longer.push_back(0);
        EXPECT_EQ(client.Receive(3, longer), BlockOutcome::Refused);
    }
    EXPECT_EQ(client.game->mGos[3].Human, 3);
    EXPECT_FALSE(client.model.Find(3)->turnFinished);

    client.Receive(3, EncodeSmall(BlockKind::Leave));
    EXPECT_EQ(client.game->mGos[3].Human, 0);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Wait).back(),
              (ChatPaneLine{"Player3> вышел из игры, его государством теперь управляет компьютер", 0x0000FF}));

    // What a heir sends while his takeover waits for the server's leave is kept, but only so much.
    client.model.earlyTakeover = 3;
    for (std::size_t i = 0; i < NetModel::MaxEarlyBlocks + 5; ++i) client.Receive(3, EncodeChat("early", 0));
    EXPECT_EQ(client.model.earlyBlocks.size(), NetModel::MaxEarlyBlocks);
    client.model.earlyTakeover = 0;
    client.model.earlyBlocks.clear();
    // With the server gone, only the heir every computer expects takes over.
    client.model.serverId = 0;
    client.model.heir = 3;
    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::TookOver, 7)), BlockOutcome::Refused);
    EXPECT_EQ(client.model.serverId, 0u);
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TookOver, 7)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.serverId, 3u);
    // The turn kept for him goes to an heir who serves its year, not to one who serves the next.
    SendPlayerTurn(client.net);
    for (int year : {8, 7}) {
        client.model.serverId = 0;
        client.model.heir = 3;
        s2.sent.clear();
        EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TookOver, year)), BlockOutcome::Applied);
        EXPECT_EQ(test::CountKind(s2.sent, BlockKind::PlayerTurn), year == 7 ? 1 : 0) << year;
    }
    client.model.serverId = 1;
    // Only the game's server ends the game for everybody.
    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::GameOver)), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(2, EncodeSmall(BlockKind::GameOver)),
              BlockOutcome::Applied);  // its own, as the others hear it
    client.model.end = NetEnd::None;
    EXPECT_EQ(server.Receive(3, EncodeSmall(BlockKind::GameOver)), BlockOutcome::Refused);
    EXPECT_EQ(server.model.end, NetEnd::None);
    client.Receive(1, EncodeSmall(BlockKind::GameOver));
    EXPECT_EQ(client.model.end, NetEnd::EndedByServer);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Lobby).back().text, "Player1> закончил игру для всех");
}

TEST_F(ReceiveBlockTest, ARefusalIsShownOnceForEachSenderAndKind) {
    const auto refusals = [&] {
        int n = 0;
        for (const ChatPaneLine& l : client.controls.chat.Lines(ChatPane::Wait))
            n += l.text.starts_with(FormatText(client.game->Msg(Msg::BlockRefused), {"15", "Guest"}));
        return n;
    };
    for (int i = 0; i < 3; ++i) client.Receive(4, EncodeSmall(BlockKind::GameOver));
    EXPECT_EQ(refusals(), 1);
}

TEST_F(ReceiveBlockTest, MapUpdatesOnlyForAPersonWatchingTheLobby) {
    auto other = test::MakeNetGame();
    other->Map[5][5] = 2;
    const Bytes update = PackEnvelope(EncodeMap(*other, BlockKind::MapUpdate));
    const Bytes before = ClientState();
    EXPECT_EQ(client.Receive(1, update), BlockOutcome::Ignored);
    EXPECT_EQ(ClientState(), before);

    InLobby();
    EXPECT_EQ(client.Receive(1, update), BlockOutcome::Applied);
    EXPECT_EQ(client.game->Map[5][5], 2);
    EXPECT_EQ(client.controls.mapsShown, 1);
    // The lobby's server keeps the map it made.
    server.model.phase = NetPhase::Lobby;
    EXPECT_EQ(server.Receive(2, update), BlockOutcome::Ignored);
    EXPECT_NE(server.game->Map[5][5], 2);
}

TEST_F(ReceiveBlockTest, FullStatesAndTurnResultsOnlyFromTheGamesServer) {
    const Bytes before = ClientState();
    server.game->Year = 8;
    // A player naming himself the server, or the server naming a third player.
    auto forged = test::MakeNetGame(3);
    forged->Year = 8;
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeFullState(*forged, 3))), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 3))), BlockOutcome::Refused);
    // A person's year is held back for a leave of the server's that never comes.
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeTurnResult(*forged, 2))), BlockOutcome::Ignored);
    EXPECT_EQ(client.Receive(4, PackEnvelope(EncodeFullState(*server.game, 4))), BlockOutcome::Refused);
    // A full state in which this computer's person has fallen gives him nothing to play.
    server.game->mGos[2].Alive = 0;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Refused);
    server.game->mGos[2].Alive = 1;
    // The server's turn result of a year not next to this one.
    server.game->Year = 9;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Refused);
    server.game->Year = 6;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Refused);  // past
    EXPECT_EQ(ClientState(), before);
    EXPECT_FALSE(client.model.fullStateReceived || client.model.turnResultReceived);
    EXPECT_EQ(client.model.serverId, 1u);

    // A player sends the server a game's first full state again: it is refused, and the server
    // still sends its year's results.
    auto first = test::MakeNetGame(2);
    first->Year = 1;
    EXPECT_EQ(server.Receive(2, PackEnvelope(EncodeFullState(*first, 2))), BlockOutcome::Refused);
    EXPECT_EQ(server.game->GameMode, ModeNetServer);
    server.game->Year = 8;
    // A person the results cannot reach keeps them from nobody after him.
    server.game->mGos[2].Human = 77;
    s1.sent.clear();
    EXPECT_FALSE(SendTurnResults(server.net));
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::TurnResult), 1);
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::MapUpdate), 1);  // nor the year's map from anybody
    // Nor the game's start and first full state.
    SendStart(server.net);
    SendFullState(server.net);
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Start), 1);
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::FullState), 1);
    // Each block that did not go out is shown, under the number of a player nobody knows.
    const auto notSent = [&](BlockKind kind, const std::string& to) {
        return ChatPaneLine{FormatText(server.game->Msg(Msg::BlockNotSent), {std::to_string(int(kind)), to}),
                            color::Red};
    };
    EXPECT_EQ(server.controls.chat.Lines(ChatPane::Command).back(), notSent(BlockKind::FullState, "77"));
    server.game->mGos[2].Human = 2;
    EXPECT_TRUE(SendTurnResults(server.net));

    client.model.Find(3)->turnFinished = true;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Applied);
    EXPECT_EQ(client.game->Year, 8);
    EXPECT_TRUE(client.model.turnResultReceived);
    EXPECT_FALSE(client.model.Find(3)->turnFinished);  // a new year's turns
    // The server hands its role to this client.
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 2))), BlockOutcome::Applied);
    EXPECT_EQ(client.game->GameMode, ModeNetServer);
    EXPECT_EQ(client.model.serverId, 2u);
    // One to everybody, from a closed session, under everybody's mark.
    s1.Close();
    EXPECT_FALSE(SendLeave(server.net));
    EXPECT_EQ(server.controls.chat.Lines(ChatPane::Command).back(), notSent(BlockKind::Leave, "*"));
}

TEST_F(ReceiveBlockTest, AfterTheServerLeftTheGameItsHeirsResultsAreTaken) {
    client.Receive(1, EncodeSmall(BlockKind::Leave));
    EXPECT_EQ(client.model.serverId, 0u);
    EXPECT_EQ(client.Receive(4, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Refused);  // no state
    auto heir = test::MakeNetGame(3);
    heir->Year = 8;
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeTurnResult(*heir, 2))), BlockOutcome::Applied);
    EXPECT_EQ(client.model.serverId, 3u);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*heir, 2))), BlockOutcome::Refused);
}

// A server that falls hands its role on and leaves the game; its heir's first year travels on
// another connection than that leave and may come first. It is kept until the leave, and taken then.
TEST_F(ReceiveBlockTest, AnHeirsYearThatOvertakesTheServersLeaveIsTakenWhenTheLeaveComes) {
    auto heir = test::MakeNetGame(3);
    heir->Year = 8;
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeTurnResult(*heir, 2))), BlockOutcome::Ignored);
    EXPECT_FALSE(client.model.turnResultReceived);
    client.Receive(4, EncodeSmall(BlockKind::Leave));  // somebody else's leave
    EXPECT_FALSE(client.model.turnResultReceived);
    EXPECT_EQ(client.model.serverId, 1u);

    client.Receive(1, EncodeSmall(BlockKind::Leave));
    EXPECT_TRUE(client.model.turnResultReceived);
    EXPECT_EQ(client.model.serverId, 3u);
    EXPECT_EQ(client.game->Year, 8);
    EXPECT_TRUE(client.model.heldYear.empty());
}

TEST_F(ReceiveBlockTest, AGamesFirstFullStateStartsAClientInTheLobby) {
    InLobby();
    server.game->Year = 1;
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeFullState(*server.game, 3))), BlockOutcome::Refused);
    EXPECT_EQ(client.model.phase, NetPhase::Lobby);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Applied);
    EXPECT_EQ(client.model.phase, NetPhase::Starting);
    EXPECT_TRUE(client.model.fullStateReceived);
    EXPECT_EQ(client.model.serverId, 1u);
}

// The year's many small blocks check and seal only the fields they change: a played game's guard
// finds no fault in them, and none of them seals over a change made behind the rules' back.
TEST_F(ReceiveBlockTest, TheYearsBlocksUnderTheGuard) {
    const GuardedGame guardedServer(*server.game), guardedClient(*client.game);
    EXPECT_EQ(server.Receive(2, EncodeChat("hello", 0)), BlockOutcome::Applied);
    EXPECT_EQ(server.Receive(2, EncodePlayerTurn(*client.game)), BlockOutcome::Applied);
    EXPECT_EQ(server.Receive(2, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Applied);
    EXPECT_EQ(server.Receive(3, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    EXPECT_NO_THROW(server.game->Guard.Verify(*server.game));

    server.game->Map[1][1] ^= 1;  // behind the rules' back
    EXPECT_EQ(server.Receive(2, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Applied);
    EXPECT_THROW(server.game->Guard.Verify(*server.game), StateError);

    client.game->mGos[1].Money ^= 1;  // behind the rules' back, in what a turn's end changes
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Refused);
    EXPECT_EQ(client.game->mGos[3].Captured, 0);
}

TEST_F(ReceiveBlockTest, PlayerTurnOnlyByTheServerFromThePlayerOfThatLivingState) {
    client.game->mGos[2].Money = 9999;
    const Bytes turn = EncodePlayerTurn(*client.game);
    EXPECT_EQ(client.Receive(3, turn), BlockOutcome::Refused);  // a client is not the server
    client.game->mGos[2].Human = 3;                             // not even for the turn of a state its sender plays
    EXPECT_EQ(client.Receive(3, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
    client.game->mGos[2].Human = 2;
    EXPECT_EQ(server.Receive(3, turn), BlockOutcome::Refused);  // player 3 does not play state 2
    client.game->mGos[2].Human = 3;                             // even with a record that names him
    EXPECT_EQ(server.Receive(3, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
    client.game->mGos[2].Human = 2;
    EXPECT_EQ(server.game->mGos[2].Money, 502);

    // A turn that breaks the books of soldiers is refused whole, generals included.
    client.game->mGos[2].FreeSoldiers += 5;
    client.game->mGeneral[2].Knowledge = 77;
    EXPECT_EQ(server.Receive(2, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
    EXPECT_EQ(server.game->mGos[2].Money, 502);
    EXPECT_NE(server.game->mGeneral[2].Knowledge, 77);

    client.game->mGos[2].FreeSoldiers -= 5;
    // Nobody gives his state away, to another person or to the computer, by his turn's record.
    for (int32_t heir : {3, 0}) {
        client.game->mGos[2].Human = heir;
        EXPECT_EQ(server.Receive(2, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
        EXPECT_EQ(server.game->mGos[2].Human, 2);
    }
    client.game->mGos[2].Human = 2;
    server.game->mGos[2].Alive = 0;
    EXPECT_EQ(server.Receive(2, turn), BlockOutcome::Refused);  // a fallen state gives no orders
    server.game->mGos[2].Alive = 1;
    EXPECT_EQ(server.Receive(2, turn), BlockOutcome::Applied);
    EXPECT_EQ(server.game->mGos[2].Money, 9999);
}

// A small block carries one value: one with bytes after it is refused whatever it says, and
// changes nothing. So is a block of a kind alone, without its value.
TEST_F(ReceiveBlockTest, ASmallBlockWithBytesAfterItIsRefused) {
    const auto longer = [](BlockKind kind, uint8_t value) {
        Bytes b = EncodeSmall(kind, value);
        b.push_back(0);
        return b;
    };
    EXPECT_EQ(client.Receive(1, longer(BlockKind::GameOver, 0)), BlockOutcome::Refused);
    EXPECT_FALSE(client.model.Ended());
    server.model.dropped[4] = "Guest";  // the computer plays the state a "Guest" left
    EXPECT_EQ(server.Receive(4, longer(BlockKind::Rejoin, 0)), BlockOutcome::Refused);
    EXPECT_TRUE(server.model.rejoining.empty());
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Applied);

    InLobby();
    for (BlockKind kind : {BlockKind::Start, BlockKind::BecomeServer, BlockKind::Ready, BlockKind::GameRuns})
        EXPECT_EQ(client.Receive(1, longer(kind, 1)), BlockOutcome::Refused) << int(kind);
    EXPECT_EQ(client.Receive(1, Bytes{uint8_t(BlockKind::Start), 0, 0, 0}), BlockOutcome::Refused);
    EXPECT_EQ(client.model.phase, NetPhase::Lobby);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_FALSE(client.model.Find(1)->ready);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::None);
}

// The start goes to every living person of the game, not to one who only watches; a state the
// first person left, and the last state, are given back as any other.
TEST_F(ReceiveBlockTest, TheStartReachesThePersonsAndTheFirstAndLastStatesCanBeGivenBack) {
    EXPECT_TRUE(SendStart(server.net));
    network.Deliver();
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Start), 2);
    EXPECT_EQ(client.model.phase, NetPhase::Playing);  // a start in the game is passed over
    for (const test::FakeSession::Sent& sent : s1.sent) EXPECT_NE(sent.to, 4u);

    client.game->mGos[1].Human = 0;
    client.model.dropped[1] = "Player1";
    EXPECT_EQ(client.Receive(1, EncodeRejoined(1, 1)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[1].Human, 1);
    const int last = client.game->GosCount;
    client.model.dropped[last] = client.model.NameOf(4);
    EXPECT_EQ(client.Receive(3, EncodeRejoined(last, 4)), BlockOutcome::Refused);  // only the server gives it
    EXPECT_EQ(client.game->mGos[last].Human, 0);
    EXPECT_EQ(client.Receive(1, EncodeRejoined(last, 4)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[last].Human, 4);
    EXPECT_EQ(client.Receive(1, EncodeRejoined(0, 3)), BlockOutcome::Refused);  // no state, nobody waiting
    // The state keeps the first 13 characters of a longer name.
    const PlayerId longName = network.Join("Player with a long name").LocalId();
    client.Meet();
    client.game->mGos[3].Human = 0;
    client.model.dropped[3] = "Player with a long name";
    EXPECT_EQ(client.Receive(1, EncodeRejoined(3, longName)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[3].PlayerName.utf8(), "Player with a");
}

// A block changes the model; the controls show what it changed, once, and nothing else.
TEST_F(ReceiveBlockTest, TheControlsShowWhatABlockChanged) {
    InLobby();
    const HeadlessNetControls& shown = client.controls;
    client.Receive(1, EncodeChat("hello", 0));
    EXPECT_EQ(shown.rosterShown + shown.readySwitchShown + shown.rejoinOffersShown, 0);
    client.Receive(3, EncodeSmall(BlockKind::Ready, 1));
    client.Receive(3, EncodeSmall(BlockKind::Ready, 1));  // said again: nothing new to show
    EXPECT_EQ(shown.rosterShown, 1);
    client.Receive(1, PackEnvelope(EncodeMap(*server.game, BlockKind::Map)));
    EXPECT_EQ(shown.readySwitchShown, 1);
    EXPECT_FALSE(shown.serverPage);

    // A newcomer hears that a game runs with a state waiting for him; its sender serves it.
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::GameRuns, 1)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::Offered);
    EXPECT_EQ(client.model.serverId, 3u);
    EXPECT_EQ(shown.rejoinOffersShown, 1);
    EXPECT_EQ(shown.chat.Lines(ChatPane::Lobby).back().text, client.game->Msg(Msg::RejoinOffered));

    client.Receive(1, EncodeSmall(BlockKind::BecomeServer));
    EXPECT_TRUE(shown.serverPage);
    EXPECT_EQ(shown.readySwitchShown, 2);
    EXPECT_EQ(shown.rosterShown, 1);
}

// A new year's data ends last year's turns: the ticks, the turn kept for a lost server and a
// year held back for the server's leave.
TEST_F(ReceiveBlockTest, ANewYearsDataEndsLastYearsTurns) {
    const auto lastYear = [&] {
        client.model.Find(3)->turnFinished = client.model.Find(3)->turnReceived = true;
        client.model.keptTurn = {1, 2, 3};
    };
    lastYear();
    auto heirsYear = test::MakeNetGame(3);
    heirsYear->Year = 8;
    EXPECT_EQ(client.Receive(3, PackEnvelope(EncodeTurnResult(*heirsYear, 2))), BlockOutcome::Ignored);  // held
    server.game->Year = 8;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Applied);
    EXPECT_FALSE(client.model.Find(3)->turnFinished || client.model.Find(3)->turnReceived);
    EXPECT_TRUE(client.model.keptTurn.empty());
    EXPECT_TRUE(client.model.heldYear.empty());
    // A year gone by does not take the game back.
    server.game->Year = 7;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Refused);
    EXPECT_EQ(client.game->Year, 8);
    server.game->Year = 8;

    // The same year's full state (a hand-over) keeps the turns ended and counts those its states'
    // marks carry; the next year's ends them all.
    lastYear();
    server.game->mGos[1].Captured = TurnFinishedMark;  // the quitting server's person had ended his
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Applied);
    EXPECT_TRUE(client.model.Find(3)->turnFinished);
    EXPECT_TRUE(client.model.Find(1)->turnFinished);
    EXPECT_TRUE(client.model.Find(1)->turnReceived);  // the heir waits for no turn of his
    EXPECT_FALSE(client.model.keptTurn.empty());
    server.game->Year = 9;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Applied);
    EXPECT_FALSE(client.model.Find(3)->turnFinished || client.model.Find(3)->turnReceived);
    EXPECT_FALSE(client.model.Find(1)->turnFinished);
    EXPECT_TRUE(client.model.keptTurn.empty());
}

TEST_F(ReceiveBlockTest, TheServersRoleIsNotTakenWithBooksThatDoNotBalance) {
    server.game->mGos[2].FreeSoldiers += 5;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 2))), BlockOutcome::Refused);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_EQ(client.model.serverId, 1u);
    server.game->mGos[2].FreeSoldiers -= 5;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 2))), BlockOutcome::Applied);
    EXPECT_EQ(client.game->GameMode, ModeNetServer);
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
    EXPECT_FALSE(client.model.fullStateReceived);
}

// The server gives a state back only to a newcomer who plays none, never to itself, and only a
// state the computer plays; the asker is told so. Each year's requests are seated in turn, one
// whose state fell meanwhile passed over, and none is kept for the next year.
TEST_F(ReceiveBlockTest, OnlyAStatelessNewcomerGetsAStateTheComputerPlaysBack) {
    const PlayerId vera = network.Join("Vera").LocalId();
    server.Meet();
    server.model.dropped[4] = "Player2";  // he plays state 2 as well
    EXPECT_EQ(server.Receive(2, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Refused);
    ASSERT_FALSE(s1.sent.empty());
    ASSERT_EQ(s1.sent.back().to, 2u);
    EXPECT_EQ(s1.sent.back().block, EncodeSmall(BlockKind::GameRuns, 0));
    server.game->mGos[1].Human = 0;
    server.model.dropped[4] = "Player1";  // the server's own name
    EXPECT_EQ(server.Receive(1, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Refused);
    server.game->mGos[1].Human = 1;
    server.model.dropped[4] = "Guest";
    server.game->mGos[4].Human = 3;  // somebody plays it
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Refused);
    EXPECT_TRUE(server.model.rejoining.empty());
    server.game->mGos[4].Human = 0;

    server.game->mGos[3].Human = 0;
    server.model.dropped[3] = "Guest";
    server.model.dropped[4] = "Vera";
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Applied);
    EXPECT_EQ(server.Receive(vera, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Applied);
    server.game->mGos[3].Alive = 0;
    EXPECT_EQ(SeatRejoiners(server.net), std::vector<PlayerId>{vera});
    EXPECT_TRUE(server.model.rejoining.empty());
    EXPECT_EQ(server.game->mGos[4].Human, int32_t(vera));
    EXPECT_EQ(server.model.dropped, (std::map<int, std::string>{{3, "Guest"}}));
    // A state given back in a block of the wrong size is refused.
    client.game->mGos[4].Human = 0;
    client.model.dropped[4] = "Vera";
    client.Meet();
    Bytes longer = EncodeRejoined(4, vera);
    longer.push_back(0);
    EXPECT_EQ(client.Receive(1, longer), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(1, Bytes(longer.begin(), longer.end() - 2)), BlockOutcome::Refused);
    // Nor is any state but the one that waits for him given back.
    client.game->mGos[3].Human = 0;
    EXPECT_EQ(client.Receive(1, EncodeRejoined(3, vera)), BlockOutcome::Refused);
    EXPECT_EQ(client.game->mGos[3].Human, 0);
    EXPECT_EQ(client.game->mGos[4].Human, 0);
}

// The person of the game's last state sends his turns and leaves it as any other: a turn out of the
// rules (a border under no general, another state's general) is refused whole.
TEST_F(ReceiveBlockTest, ThePersonOfTheLastStatePlaysAndLeavesAsAnyOther) {
    const int last = server.game->GosCount;
    server.game->mGos[last].Human = client.game->mGos[last].Human = 4;
    auto guest = test::MakeNetGame(last);
    guest->mGos[last].Human = 4;
    guest->mGos[last].Money = 1234;
    guest->mGos[last].Border[1].Commander = GeneralSlots + 1;
    EXPECT_EQ(server.Receive(4, EncodePlayerTurn(*guest)), BlockOutcome::Refused);
    guest->mGos[last].Border[1].Commander = 0;
    guest->mGeneral[last].Owner = 3;
    EXPECT_EQ(server.Receive(4, EncodePlayerTurn(*guest)), BlockOutcome::Refused);
    EXPECT_EQ(server.game->mGos[last].Money, 504);
    guest->mGeneral[last].Owner = uint8_t(last);
    EXPECT_EQ(server.Receive(4, EncodePlayerTurn(*guest)), BlockOutcome::Applied);
    EXPECT_EQ(server.game->mGos[last].Money, 1234);

    EXPECT_EQ(client.Receive(4, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[last].Human, 0);
}

// A lobby's server who plays no state of the game cannot start it on the others' computers.
TEST_F(ReceiveBlockTest, AFullStateFromAPlayerOutsideTheGameIsRefused) {
    InLobby();
    client.model.lobbyServerId = 4;
    EXPECT_EQ(client.Receive(4, PackEnvelope(EncodeFullState(*server.game, 4))), BlockOutcome::Refused);
    EXPECT_EQ(client.model.phase, NetPhase::Lobby);
    EXPECT_FALSE(client.model.fullStateReceived);
}

// Once the game starts, the lobby's late blocks are passed over without a word; its server's role
// is no longer handed on.
TEST_F(ReceiveBlockTest, TheLobbysBlocksArePassedOverOnceTheGameStarts) {
    auto other = test::MakeNetGame();
    other->Map[10][10] = 3;
    const Bytes before = ClientState();
    for (NetPhase phase : {NetPhase::Starting, NetPhase::Playing}) {
        client.model.phase = phase;
        for (const Bytes& b : {EncodeSmall(BlockKind::Ready, 1), EncodeSmall(BlockKind::TurnTime, 9),
                               PackEnvelope(EncodeMap(*other, BlockKind::Map)), EncodeSmall(BlockKind::Start),
                               EncodeSmall(BlockKind::GameRuns, 1)})
            EXPECT_EQ(client.Receive(1, b), BlockOutcome::Ignored) << KindOf(b) << " " << int(phase);
        EXPECT_EQ(client.Receive(1, EncodeSmall(BlockKind::BecomeServer)), BlockOutcome::Refused) << int(phase);
        EXPECT_EQ(client.model.phase, phase);
    }
    EXPECT_EQ(ClientState(), before);
    EXPECT_NE(client.game->TurnMinutes, 9);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_FALSE(client.model.Find(1)->ready);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::None);
    EXPECT_EQ(client.model.serverId, 1u);
}

// A computer whose state fell marks no state, nor anything beside the states, with its own turn's end.
TEST_F(ReceiveBlockTest, OwnTurnsEndWithoutAStateMarksNothing) {
    client.game->mGos[2].Human = 0;
    const Bytes before = ClientState();
    client.Receive(2, EncodeSmall(BlockKind::TurnDone));
    EXPECT_EQ(ClientState(), before);
}

// While the game starts, nobody's year runs yet: turns and results are refused, a turn's end and
// a state's return are passed over, but a person's leave and the server's end of the game are heard.
TEST_F(ReceiveBlockTest, WhileTheGameStartsOnlyLeavesAndTheEndAreHeard) {
    server.model.phase = client.model.phase = NetPhase::Starting;
    const Bytes before = ClientState();
    EXPECT_EQ(server.Receive(2, EncodePlayerTurn(*client.game)), BlockOutcome::Refused);
    server.game->Year = 8;
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Refused);
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TurnDone)), BlockOutcome::Ignored);
    EXPECT_EQ(ClientState(), before);
    EXPECT_FALSE(client.model.Find(3)->turnFinished);
    // Nor is a state asked for or given back before the game runs.
    server.model.dropped[4] = client.model.dropped[4] = "Guest";
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Ignored);
    EXPECT_TRUE(server.model.rejoining.empty());
    EXPECT_EQ(client.Receive(1, EncodeRejoined(4, 4)), BlockOutcome::Ignored);
    EXPECT_EQ(client.game->mGos[4].Human, 0);

    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[3].Human, 0);
    EXPECT_EQ(client.Receive(1, EncodeSmall(BlockKind::GameOver)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.end, NetEnd::EndedByServer);
}

// A game's first full state starts its first year: no turn is ended, whatever the marks or a game
// played before say.
TEST_F(ReceiveBlockTest, AGamesFirstFullStateEndsNobodysTurn) {
    InLobby();
    client.model.Find(3)->turnFinished = client.model.Find(3)->turnReceived = true;
    client.model.keptTurn = {1, 2, 3};
    server.game->mGos[1].Captured = TurnFinishedMark;
    EXPECT_EQ(client.game->Year, server.game->Year);
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server.game, 1))), BlockOutcome::Applied);
    for (PlayerId id : {1u, 3u})
        EXPECT_FALSE(client.model.Find(id)->turnFinished || client.model.Find(id)->turnReceived) << id;
    EXPECT_TRUE(client.model.keptTurn.empty());
}

// An heir that took over sends again the results its vanished server had sent some: the year this
// computer already has is passed over, not taken twice nor refused.
TEST_F(ReceiveBlockTest, ResultsOfTheYearAlreadyHereArePassedOver) {
    client.model.Find(3)->turnFinished = true;
    server.game->mGos[2].Money = 4242;
    const Bytes before = ClientState();
    EXPECT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server.game, 2))), BlockOutcome::Ignored);
    EXPECT_EQ(ClientState(), before);
    EXPECT_FALSE(client.model.turnResultReceived);
    EXPECT_TRUE(client.model.Find(3)->turnFinished);
}

// A newcomer told twice that a game runs: once he has asked for his state, only a "no state for
// you" changes his lobby; a sender with no state to give back does not become the game's server.
TEST_F(ReceiveBlockTest, ANewcomerHearsWhetherAStateWaitsForHim) {
    InLobby();
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::GameRuns, 0)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::NoState);
    EXPECT_EQ(client.model.serverId, 0u);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Lobby).back().text, client.game->Msg(Msg::RejoinNoState));
    client.model.rejoin = RejoinOffer::Asked;
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::GameRuns, 1)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::Asked);
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::GameRuns, 0)), BlockOutcome::Applied);
    EXPECT_EQ(client.model.rejoin, RejoinOffer::NoState);
    // The server refuses one whom no state waits for.
    EXPECT_EQ(server.Receive(4, EncodeSmall(BlockKind::Rejoin)), BlockOutcome::Refused);
}

// A person's leave ends his tick; the server hearing its own leave, and its lobby's own map, is
// still the server.
TEST_F(ReceiveBlockTest, ALeaveEndsTheTickAndTheServerStaysServer) {
    client.model.Find(3)->turnFinished = true;
    client.Receive(3, EncodeSmall(BlockKind::Leave));
    EXPECT_FALSE(client.model.Find(3)->turnFinished);
    EXPECT_EQ(server.Receive(1, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    EXPECT_EQ(server.model.serverId, 1u);
    server.model.phase = NetPhase::Lobby;
    EXPECT_EQ(server.Receive(1, PackEnvelope(EncodeMap(*client.game, BlockKind::Map))), BlockOutcome::Refused);
    EXPECT_EQ(server.controls.mapsShown, 0);
}

// A turn's generals and a state given back are legitimate changes of a guarded game.
TEST_F(ReceiveBlockTest, AGuardedGameTakesATurnsGeneralsAndAStateGivenBack) {
    client.game->mGeneral[2].Knowledge = 77;
    const Bytes turn = EncodePlayerTurn(*client.game);
    const GuardedGame guardedServer(*server.game), guardedClient(*client.game);
    EXPECT_EQ(server.Receive(2, turn), BlockOutcome::Applied);
    EXPECT_EQ(server.game->mGeneral[2].Knowledge, 77);
    EXPECT_NO_THROW(server.game->Guard.Verify(*server.game));
    client.model.dropped[4] = "Guest";
    EXPECT_EQ(client.Receive(1, EncodeRejoined(4, 4)), BlockOutcome::Applied);
    EXPECT_EQ(client.game->mGos[4].Human, 4);
    EXPECT_NO_THROW(client.game->Guard.Verify(*client.game));
}

// The heir's takeover that overtakes the server's leave is kept only in a running game, and while
// it waits only the heir's own blocks wait with it: the others' are heard at once.
TEST_F(ReceiveBlockTest, AnEarlyTakeoverHoldsBackOnlyTheHeirsBlocks) {
    client.game->mGos[2].Alive = 0;  // so that player 3 is the server's heir
    client.model.phase = NetPhase::Starting;
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TookOver, 7)), BlockOutcome::Refused);
    EXPECT_EQ(client.model.earlyTakeover, 0u);
    client.model.phase = NetPhase::Playing;
    EXPECT_EQ(client.Receive(3, EncodeSmall(BlockKind::TookOver, 7)), BlockOutcome::Ignored);
    EXPECT_EQ(client.model.earlyTakeover, 3u);
    EXPECT_EQ(int(client.model.earlyTakeoverYear), 7);
    EXPECT_EQ(client.Receive(1, EncodeChat("still here", 0)), BlockOutcome::Applied);
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Command).back().text, "Player1> still here");
    EXPECT_TRUE(client.model.earlyBlocks.empty());
    // Nor does one still waiting when the game is over hold back the heir's words in the lobby.
    client.model.phase = NetPhase::Lobby;
    EXPECT_EQ(client.Receive(3, EncodeChat("back in the lobby", 0)), BlockOutcome::Applied);
    EXPECT_TRUE(client.model.earlyBlocks.empty());
}

}  // namespace
}  // namespace korvant
