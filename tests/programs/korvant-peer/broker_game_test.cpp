// Whole games of three korvant-peer processes through a mosquitto of the test's own on loopback,
// and, where nats-server is installed, through two clustered brokers with the players on both.
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "support/process/peer_game.h"
#include "support/process/year_dump.h"

namespace korvant::test {
namespace {

class BrokerGame : public PeerGame {
protected:
    void SetUp() override {
        broker = std::make_unique<MosquittoProcess>();
        ASSERT_TRUE(broker->Running()) << broker->Error();
    }

    // The years the server played, up to the last one every peer played.
    std::vector<std::string> ServersYears(int last) const {
        std::vector<std::string> out;
        for (int y = 1; y <= last; ++y)
            for (const std::string& l : peers[0]->Lines())
                if (l.starts_with("year " + std::to_string(y) + ": ")) out.push_back(l);
        return out;
    }
};

// The same seed over the LAN mesh and through the broker: the same years, field by field (the
// session's random player ids aside), and every client agrees with the server. The broker's
// session also asks for the creator's password.
TEST_F(BrokerGame, AGameThroughTheBrokerComesOutAsOverTheLanMesh) {
    const QString lan = dir.path() + "/lan", mqtt = dir.path() + "/mqtt";
    ASSERT_TRUE(QDir().mkpath(lan) && QDir().mkpath(mqtt));
    const auto play = [&](const QString& dump, const QStringList& password) {
        peers.clear();
        Start(QStringList{"--name", "alice"} + password,
              {QStringList{"--name", "bob"} + password, QStringList{"--name", "carol", "--play", "end"} + password},
              {"--stop-at-year", "6", "--dump-years", dump});
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        ExpectClientsMatchTheServer();
        return ServersYears(6);
    };
    const auto throughBroker = play(mqtt, {"--session-password", "club"});
    std::unique_ptr<MosquittoProcess> kept = std::move(broker);
    const auto overLan = play(lan, {});
    EXPECT_EQ(throughBroker, overLan);
    EXPECT_EQ(throughBroker.size(), 6u);
    EXPECT_EQ(ResultOf(2), "result: stopped after year 6");
    for (int y = 1; y <= 6; ++y) {
        const QString year = "/year-" + QString::number(y);
        EXPECT_EQ(DifferenceOfYears((lan + year).toStdString(), (mqtt + year).toStdString()), "") << "year " << y;
    }
}

// The killed client's will tells the others; the computer plays his state.
TEST_F(BrokerGame, AKilledClientsStateIsPlayedByTheComputerAndTheOthersGoOn) {
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol", "--die-at-year", "3"}}, {"--stop-at-year", "6"});
    EXPECT_EQ(ExitOf(2), 9);
    for (std::size_t i : {0, 1}) EXPECT_EQ(ResultOf(i), "result: stopped after year 6");
    EXPECT_TRUE(peers[0]->HasPrefix("year 4: living 6 persons 2"));
    ExpectClientsMatchTheServer();
}

TEST_F(BrokerGame, TheServerQuitsAndAnotherPersonTakesOver) {
    Start({"--name", "alice", "--quit-at-year", "4"}, {{"--name", "bob"}, {"--name", "carol"}},
          {"--stop-at-year", "7"});
    EXPECT_EQ(ResultOf(0), "result: quit in year 4");
    for (std::size_t i : {1, 2}) {
        EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        EXPECT_EQ(ResultOf(i), "result: stopped after year 7");
    }
    EXPECT_NE(peers[1]->Has("role: server"), peers[2]->Has("role: server"));
    ExpectClientsMatchTheServer();
}

// Two nats-server nodes in one cluster, each with MQTT on: the creator on one, the joiners on the other.
TEST(BrokerCluster, PlayersOnTwoClusteredBrokersPlayOneGame) {
    const QString nats = QStandardPaths::findExecutable("nats-server");
    if (nats.isEmpty()) GTEST_SKIP() << "nats-server is not installed";
    QTemporaryDir dir;
    std::vector<std::uint16_t> ports;
    for (int i = 0; i < 6; ++i) ports.push_back(FreeLoopbackPort());
    std::vector<std::unique_ptr<PeerProcess>> nodes;
    for (int n = 0; n < 2; ++n) {
        const std::string route = std::to_string(ports[std::size_t(4 + 1 - n)]);
        const std::string config =
            "server_name: n" + std::to_string(n) + "\nlisten: 127.0.0.1:" + std::to_string(ports[std::size_t(n)]) +
            "\njetstream { store_dir: \"" + dir.path().toStdString() + "/js" + std::to_string(n) + "\" }" +
            "\nmqtt { listen: 127.0.0.1:" + std::to_string(ports[std::size_t(2 + n)]) + " }" +
            "\ncluster { name: korvant\n listen: 127.0.0.1:" + std::to_string(ports[std::size_t(4 + n)]) +
            "\n routes: [nats-route://127.0.0.1:" + route + "] }\n";
        QFile f(dir.filePath("n" + QString::number(n) + ".conf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(config.data(), qint64(config.size()));
        f.close();
        nodes.push_back(std::make_unique<PeerProcess>(nats, QStringList{"-c", f.fileName()}));
    }
    for (auto& node : nodes) ASSERT_TRUE(node->WaitForLineContaining("Server is ready", 20s)) << node->Output();
    const auto mqtt = [&](int n) { return "127.0.0.1:" + QString::number(ports[std::size_t(2 + n)]); };
    std::vector<std::unique_ptr<PeerProcess>> peers;
    const QStringList common{"--players", "3", "--pause-ms", "20", "--stop-at-year", "3"};
    peers.push_back(std::make_unique<PeerProcess>(
        QStringList{"--broker", mqtt(0), "--create", "--name", "alice", "--states", "6"} + common, dir.path()));
    ASSERT_TRUE(peers[0]->WaitForLine("session ", 20s)) << peers[0]->Output();
    for (const char* name : {"bob", "carol"})
        peers.push_back(std::make_unique<PeerProcess>(
            QStringList{"--broker", mqtt(1), "--join-session", "alice", "--name", name} + common, dir.path()));
    for (auto& p : peers)
        EXPECT_EQ(p->WaitForLine("result: ", GameTime).value_or(p->Output()), "result: stopped after year 3");
}

}  // namespace
}  // namespace korvant::test
