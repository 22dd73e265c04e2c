// The wait window's poll on its three pages.
#include <gtest/gtest.h>

#include "game/wait_poll.h"
#include "net/block_bytes.h"
#include "net/full_state_block.h"
#include "net/packed_envelope.h"
#include "net/small_block.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace korvant {
namespace {

class WaitPollTest : public ::testing::Test, protected test::ThreePlayerNetwork {
protected:
    test::NetPeer server{s1, test::MakeNetGame(1)};
    Game& game = *server.game;

    void Finish(int s) { server.model.Find(PlayerId(s))->turnFinished = true; }
};

TEST_F(WaitPollTest, OthersMovingClosesWhenEveryPersonStillPlayingHasEndedHisTurn) {
    WaitPoll poll(server.net, WaitPage::ServerWait);
    ASSERT_EQ(poll.Entries().size(), 3u);
    Finish(1);
    Finish(3);
    EXPECT_FALSE(poll.Tick());
    EXPECT_TRUE(poll.Entries()[2].ticked);
    game.mGos[2].Human = 0;  // he left: the computer plays his state, nobody waits for him
    EXPECT_TRUE(poll.Tick());

    game.mGos[2].Human = 2;
    game.mGos[2].Captured = TurnFinishedMark;  // a state that captured 39 cells has not ended its turn
    WaitPoll results(server.net, WaitPage::ServerWait);
    EXPECT_FALSE(results.Tick());
    server.model.turnResultReceived = true;  // the year's data overtook the last turn's end
    EXPECT_TRUE(results.Tick());

    game.mGos[3].Alive = 0;  // a fallen state's person is not listed
    EXPECT_EQ(WaitPoll(server.net, WaitPage::ServerWait).Entries().size(), 2u);
}

// An ended turn, once seen, stays seen: the person's computer leaving the session before his state
// is the computer's does not hold up the others' wait.
TEST_F(WaitPollTest, AnEndedTurnStaysTickedWhenItsPlayerLeavesTheSession) {
    WaitPoll poll(server.net, WaitPage::ServerWait);
    Finish(3);
    EXPECT_FALSE(poll.Tick());
    server.model.Remove(3);
    Finish(1);
    Finish(2);
    EXPECT_TRUE(poll.Tick());
}

TEST_F(WaitPollTest, NobodyToWaitForEndsTheGameAndAClientWaitsForTheServersData) {
    for (int s = 1; s <= 4; ++s) game.mGos[s].Human = 0;
    WaitPoll empty(server.net, WaitPage::ServerWait);
    EXPECT_TRUE(empty.Tick());
    EXPECT_EQ(server.model.end, NetEnd::Aborted);

    server.model.end = NetEnd::None;
    game.GameMode = ModeNetClient;
    WaitPoll client(server.net, WaitPage::ClientWait);
    EXPECT_FALSE(client.Tick());
    server.model.fullStateReceived = true;
    EXPECT_TRUE(client.Tick());
    server.model.fullStateReceived = false;
    server.model.turnResultReceived = true;
    EXPECT_TRUE(client.Tick());
    server.model.turnResultReceived = false;
    server.model.End(NetEnd::ServerLost);
    EXPECT_TRUE(client.Tick());
    server.model.end = NetEnd::None;
    game.GameMode = ModeNetServer;  // it has taken the server role over: nobody's data to wait for
    EXPECT_TRUE(client.Tick());
}

// The quitting server hands its role to the first person who ended his turn, once every other
// person has ended his too, so that their turns travel in the full state.
TEST_F(WaitPollTest, TheQuittingServerHandsItsRoleToTheFirstWhoEndedOnceAllHave) {
    WaitPoll poll(server.net, WaitPage::ServerClose);
    EXPECT_FALSE(poll.Tick());
    Finish(3);
    for (int tick = 0; tick < 2; ++tick) EXPECT_FALSE(poll.Tick());  // the successor is known, 2 still plays
    Finish(2);
    ASSERT_TRUE(poll.Tick());
    ASSERT_FALSE(s1.sent.empty());
    EXPECT_EQ(s1.sent.back().to, 3u);
    const FullState state = DecodeFullState(UnpackEnvelope(s1.sent.back().block));
    EXPECT_EQ(state.serverId, 3u);
}

// The first who ended his turn left the game meanwhile: the role goes to one still playing.
TEST_F(WaitPollTest, TheRoleGoesToNobodyWhoLeftMeanwhile) {
    WaitPoll poll(server.net, WaitPage::ServerClose);
    Finish(3);
    EXPECT_FALSE(poll.Tick());
    ASSERT_EQ(server.Receive(3, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    Finish(2);
    ASSERT_TRUE(poll.Tick());
    EXPECT_EQ(s1.sent.back().to, 2u);

    // Everybody else left: nothing to hand over, and the wait ends.
    WaitPoll alone(server.net, WaitPage::ServerClose);
    ASSERT_EQ(server.Receive(2, EncodeSmall(BlockKind::Leave)), BlockOutcome::Applied);
    const std::size_t sent = s1.sent.size();
    EXPECT_TRUE(alone.Tick());
    EXPECT_EQ(s1.sent.size(), sent);
}

// The successor's computer is gone, its leave not yet here: the hand-over cannot go out, the role
// stays and the wait goes on.
TEST_F(WaitPollTest, AHandOverThatCannotGoOutKeepsTheWaitOpen) {
    WaitPoll poll(server.net, WaitPage::ServerClose);
    Finish(2);
    Finish(3);
    s2.Close();
    EXPECT_FALSE(poll.Tick());
    EXPECT_EQ(server.model.serverId, 1u);
}

TEST_F(WaitPollTest, AbortingEndsTheGameForAllFromTheServerAndLeavesItFromAClient) {
    WaitPoll poll(server.net, WaitPage::ServerWait);
    poll.Abort();
    EXPECT_EQ(KindOf(s1.sent.back().block), int32_t(BlockKind::GameOver));
    EXPECT_EQ(s1.sent.back().to, ToAllOthers);
    EXPECT_EQ(server.model.end, NetEnd::Aborted);
    EXPECT_TRUE(poll.Tick());

    game.GameMode = ModeNetClient;
    poll.Abort();
    EXPECT_EQ(KindOf(s1.sent.back().block), int32_t(BlockKind::Leave));
    EXPECT_EQ(s1.sent.back().to, ToAllOthers);
}

}  // namespace
}  // namespace korvant
