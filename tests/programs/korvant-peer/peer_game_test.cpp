// Whole network games of korvant-peer processes on loopback.
#include <gtest/gtest.h>
#include <QDir>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

#include "support/process/peer_game.h"
#include "support/process/year_dump.h"

namespace korvant::test {
namespace {

// Joiners that turn ready as soon as two players are present, joining all at once: whatever ticks
// a client missed, the server's start and first full state carry the game to every one of them.
TEST_F(PeerGame, ClientsReadyEarlyAllStartAndPlay) {
    peers.push_back(
        std::make_unique<PeerProcess>(QStringList{"--create", "--port", "0", "--states", "6", "--name", "host",
                                                  "--players", "5", "--pause-ms", "0", "--stop-at-year", "3"},
                                      dir.path()));
    const QString address = QString::fromStdString(JoinAddress(*peers[0]));
    for (const char* name : {"p1", "p2", "p3", "p4"})
        peers.push_back(std::make_unique<PeerProcess>(
            QStringList{"--join", address, "--name", name, "--players", "2", "--pause-ms", "0", "--stop-at-year", "3"},
            dir.path()));
    for (std::size_t i = 0; i < peers.size(); ++i) EXPECT_EQ(ResultOf(i), "result: stopped after year 3") << i;
    ExpectClientsMatchTheServer();
}

// With this seed the creator's state falls in year 76 while both others live: its full state
// goes to the next living person, who computes the years from then on, to the end of the game.
TEST_F(PeerGame, ThreePeersPlayAWholeGameAndTheServerRoleOutlivesTheServersState) {
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol", "--play", "end"}}, {"--pause-ms", "0"});
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
    ExpectClientsMatchTheServer();
    EXPECT_TRUE(peers[0]->Has("result: defeated in year 76"));
    EXPECT_TRUE(peers[1]->Has("role: server"));
    EXPECT_TRUE(peers[1]->HasPrefix("year 77: "));
    for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(peers[i]->HasPrefix("result: ")) << peers[i]->Output();
}

TEST_F(PeerGame, AKilledClientsStateIsPlayedByTheComputerAndTheOthersGoOn) {
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol", "--die-at-year", "3"}}, {"--stop-at-year", "6"});
    EXPECT_EQ(ExitOf(2), 9);
    EXPECT_EQ(ExitOf(0), 0);
    EXPECT_EQ(ExitOf(1), 0);
    EXPECT_EQ(ResultOf(0), "result: stopped after year 6");
    EXPECT_EQ(ResultOf(1), "result: stopped after year 6");
    EXPECT_TRUE(peers[0]->HasPrefix("year 4: living 6 persons 2"));
    ExpectClientsMatchTheServer();
}

// The server is killed in year 3: its heir, next in session order, takes over from the backup,
// the year is played again, and every later year equals, field by field, the same year of the
// same game played without the crash.
TEST_F(PeerGame, TheHeirTakesOverAKilledServerAndTheYearsComeOutAsWithoutTheCrash) {
    const QString whole = dir.path() + "/whole", crashed = dir.path() + "/crashed";
    ASSERT_TRUE(QDir().mkpath(whole) && QDir().mkpath(crashed));
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol"}},
          {"--stop-at-year", "7", "--dump-years", whole});
    for (std::size_t i = 0; i < 3; ++i) ASSERT_EQ(ExitOf(i), 0) << peers[i]->Output();
    peers.clear();

    Start({"--name", "alice", "--die-at-year", "3"}, {{"--name", "bob"}, {"--name", "carol"}},
          {"--stop-at-year", "7", "--dump-years", crashed});
    EXPECT_EQ(ExitOf(0), 9);
    for (std::size_t i : {1, 2}) {
        EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        EXPECT_EQ(ResultOf(i), "result: stopped after year 7");
        EXPECT_FALSE(peers[i]->Has("message: Error. Server not found."));
    }
    EXPECT_TRUE(peers[1]->Has("role: server"));
    // Alice's state goes on, played by the computer.
    EXPECT_TRUE(peers[1]->HasPrefix("year 4: living 6 persons 2"));
    ExpectClientsMatchTheServer();
    for (int y = 3; y <= 7; ++y) {
        const QString year = "/year-" + QString::number(y);
        EXPECT_EQ(DifferenceOfYears((whole + year).toStdString(), (crashed + year).toStdString()), "") << "year " << y;
    }
}

// The heir, serving since the server was killed, is killed too: the next person in session order
// takes over from the backup the heir sent him, and the last person plays on with him.
TEST_F(PeerGame, WhenTheHeirIsKilledTooTheNextInOrderTakesOver) {
    Start({"--name", "alice", "--die-at-year", "3"},
          {{"--name", "bob", "--die-at-year", "5"}, {"--name", "carol"}, {"--name", "dave"}}, {"--stop-at-year", "7"});
    EXPECT_EQ(ExitOf(0), 9);
    EXPECT_EQ(ExitOf(1), 9);
    for (std::size_t i : {2, 3}) {
        EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        EXPECT_EQ(ResultOf(i), "result: stopped after year 7");
    }
    EXPECT_TRUE(peers[1]->Has("role: server"));
    EXPECT_TRUE(peers[2]->Has("role: server"));
    EXPECT_FALSE(peers[3]->Has("role: server"));
    EXPECT_TRUE(peers[2]->HasPrefix("year 6: living 6 persons 2"));
    ExpectClientsMatchTheServer();
}

// A client killed in year 3 and started again under his name in year 5 is seated on his state
// when year 6 begins, and from then on every computer agrees on it.
TEST_F(PeerGame, AKilledClientStartedAgainPlaysHisStateFromTheNextYear) {
    const QStringList slow{"--pause-ms", "500", "--stop-at-year", "8"};
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol", "--die-at-year", "3"}}, slow);
    EXPECT_EQ(ExitOf(2), 9);
    ASSERT_TRUE(peers[0]->WaitForLine("year 5: ", GameTime)) << peers[0]->Output();
    const QString address = QString::fromStdString(JoinAddress(*peers[0]));
    peers.push_back(
        std::make_unique<PeerProcess>(QStringList{"--join", address, "--name", "carol"} + slow, dir.path()));
    for (std::size_t i : {0, 1, 3}) {
        EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        EXPECT_EQ(ResultOf(i), "result: stopped after year 8");
    }
    const std::optional<std::string> first = peers[3]->WaitForLine("year ", 1s);
    EXPECT_EQ(first.value_or(""), "year 6: living 6 persons 3") << peers[3]->Output();
    EXPECT_TRUE(peers[0]->HasPrefix("year 6: living 6 persons 3"));
    EXPECT_TRUE(ClientMatchesTheServer(peers, 3)) << peers[3]->Output();
}

TEST_F(PeerGame, TheServerQuitsAndTheFirstPersonToEndHisTurnTakesOver) {
    Start({"--name", "alice", "--quit-at-year", "5"}, {{"--name", "bob"}, {"--name", "carol"}},
          {"--stop-at-year", "8"});
    EXPECT_EQ(ResultOf(0), "result: quit in year 5");
    EXPECT_EQ(ExitOf(1), 0);
    EXPECT_EQ(ExitOf(2), 0);
    EXPECT_EQ(ResultOf(1), "result: stopped after year 8");
    EXPECT_EQ(ResultOf(2), "result: stopped after year 8");
    EXPECT_NE(peers[1]->Has("role: server"), peers[2]->Has("role: server"));
    // The old server's state lives on, played by the computer.
    EXPECT_TRUE(peers[1]->HasPrefix("year 6: living 6 persons 2"));
    ExpectClientsMatchTheServer();
}

TEST_F(PeerGame, AbortingInTheWaitWindowEndsTheGameForEverybody) {
    Start({"--name", "alice", "--abort-at-year", "2"}, {{"--name", "bob"}});
    EXPECT_EQ(ResultOf(0), "result: aborted in year 2");
    EXPECT_EQ(ResultOf(1), "result: ended by the server in year 2");
    EXPECT_EQ(ExitOf(1), 0);
}

// The creator listens on the port he was given; a second creator asking for it fails and says so.
TEST_F(PeerGame, TheCreatorListensOnThePortItIsGiven) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(probe.serverPort());
    probe.close();
    Start({"--name", "alice", "--port", port}, {{"--name", "bob"}, {"--name", "carol"}}, {"--stop-at-year", "2"});
    EXPECT_TRUE(peers[0]->Has("port " + port.toStdString())) << peers[0]->Output();

    PeerProcess second(QStringList{"--create", "--port", port, "--name", "eve", "--states", "6"}, dir.path());
    EXPECT_EQ(second.WaitForExit(10s), 3);
    EXPECT_TRUE(second.HasPrefix("error: cannot accept players on port " + port.toStdString())) << second.Output();
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
    EXPECT_EQ(ResultOf(2), "result: stopped after year 2");
    ExpectClientsMatchTheServer();
}

// A saved network game resumes for exactly its persons at once; a stranger in the session gets
// the report of who belongs to it, and the person of the game is asked.
TEST_F(PeerGame, ASavedGameResumesForItsPersons) {
    Start({"--name", "alice", "--save", "net.gen"}, {{"--name", "bob"}, {"--name", "carol"}}, {"--stop-at-year", "2"});
    for (std::size_t i = 0; i < 3; ++i) ASSERT_EQ(ExitOf(i), 0) << peers[i]->Output();
    peers.clear();

    Start({"--name", "Alice", "--load", "net.gen"}, {{"--name", "carol"}, {"--name", "bob"}}, {"--stop-at-year", "4"});
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
    EXPECT_TRUE(peers[0]->Has("loaded game starts"));
    EXPECT_FALSE(peers[0]->HasPrefix("question: "));
    EXPECT_TRUE(peers[1]->HasPrefix("year 3: "));
    EXPECT_EQ(ResultOf(2), "result: stopped after year 4");
    peers.clear();

    Start({"--name", "alice", "--load", "net.gen"}, {{"--name", "bob"}, {"--name", "carol"}, {"--name", "dave"}});
    EXPECT_EQ(ResultOf(0), "result: the loaded game did not start");
    const std::string report = peers[0]->WaitForLine("message: ", 1s).value_or("");
    EXPECT_NE(report.find("1. "), std::string::npos) << report;
    EXPECT_NE(report.find("alice"), std::string::npos) << report;
    EXPECT_TRUE(peers[0]->HasPrefix("question: ")) << peers[0]->Output();
}

}  // namespace
}  // namespace korvant::test
