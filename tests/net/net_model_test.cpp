// The network model between games and as the session's roster changes.
#include <gtest/gtest.h>

#include "net/net_model.h"
#include "net/open_error_message.h"

namespace korvant {
namespace {

TEST(NetModel, TheRosterIsTheSessionsPlayersEachOnce) {
    NetModel m;
    EXPECT_FALSE(m.EveryoneReady());  // nobody listed is nobody ready
    m.SetRoster({{1, "Anna", false}, {2, "Boris", true}});
    m.Add({2, "Boris", true});  // reported twice
    EXPECT_EQ(m.roster.size(), 2u);
    m.SetRoster({{4, "Gleb", false}, {1, "Anna", true}});  // a session opened anew
    ASSERT_EQ(m.roster.size(), 2u);
    EXPECT_FALSE(m.Listed(2));
}

// A game ended in the lobby leaves nothing behind that would end, hold or steer the next one.
TEST(NetModel, TheNextGameStartsWithNothingOfTheLast) {
    NetModel m;
    m.SetRoster({{1, "Anna", false}, {2, "Boris", true}});
    m.phase = NetPhase::Lobby;
    m.serverId = 2;
    m.lobbyServerId = 2;
    m.ready = {true, ReadyMapKnown, true};
    m.roster[1].ready = m.roster[1].turnFinished = m.roster[1].turnReceived = true;
    m.End(NetEnd::ServerLost);
    m.fullStateReceived = m.turnResultReceived = true;
    m.netTurns = 12;
    m.heldFrom = 2;
    m.heldYear = {1};
    m.heir = m.earlyTakeover = 2;
    m.earlyTakeoverYear = 5;
    m.earlyBlocks = {{1}};
    m.backup = {1};
    m.keptTurn = {1};
    m.keptTurnYear = 5;
    m.dropped[3] = "Vera";
    m.rejoining[2] = 3;
    m.rejoin = RejoinOffer::Asked;
    EXPECT_TRUE(m.FirstRefusal(2, 7));

    m.ResetGame();
    EXPECT_FALSE(m.Ended());
    EXPECT_FALSE(m.fullStateReceived || m.turnResultReceived);
    EXPECT_EQ(m.netTurns, 0);
    EXPECT_EQ(m.heldFrom, 0u);
    EXPECT_TRUE(m.heldYear.empty() && m.earlyBlocks.empty() && m.backup.empty() && m.keptTurn.empty());
    EXPECT_EQ(m.heir, 0u);
    EXPECT_EQ(m.earlyTakeover, 0u);
    EXPECT_EQ(m.earlyTakeoverYear, 0);
    EXPECT_EQ(m.keptTurnYear, 0);
    EXPECT_TRUE(m.dropped.empty() && m.rejoining.empty());
    EXPECT_EQ(m.rejoin, RejoinOffer::None);
    EXPECT_FALSE(m.roster[1].turnFinished || m.roster[1].turnReceived);
    // The session, its lobby and what was shown of it stay.
    EXPECT_EQ(m.phase, NetPhase::Lobby);
    EXPECT_EQ(m.serverId, 2u);
    EXPECT_EQ(m.lobbyServerId, 2u);
    EXPECT_EQ(m.ready, (ReadySwitch{true, ReadyMapKnown, true}));
    ASSERT_EQ(m.roster.size(), 2u);
    EXPECT_TRUE(m.roster[1].ready);
    EXPECT_FALSE(m.FirstRefusal(2, 7));
}

// A join refused for his name or his password tells the person so; a malformed answer is a broken
// connection to him.
TEST(NetModel, AJoinRefusedForNameOrPasswordSaysSo) {
    EXPECT_EQ(OpenFailureMessage(OpenError::NameTaken), Msg::NameInSession);
    EXPECT_EQ(OpenFailureMessage(OpenError::WrongPassword), Msg::WrongSessionPassword);
    EXPECT_EQ(OpenFailureMessage(OpenError::ProtocolError), Msg::ConnectionBroken);
}

}  // namespace
}  // namespace korvant
