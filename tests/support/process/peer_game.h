#pragma once
// Whole network games of korvant-peer processes on loopback: a creator and joiners, over the LAN
// mesh or, once `broker` runs, through that MQTT broker.
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <memory>

#include "support/process/mosquitto_process.h"
#include "support/process/peer_process.h"

namespace korvant::test {

using namespace std::chrono_literals;

constexpr std::chrono::seconds GameTime{KORVANT_PEER_GAME_SECONDS};

// A creator and joiners (joining in the order given), every one waiting for the whole party before it turns ready.
class PeerGame : public ::testing::Test {
protected:
    // Options given to every peer.
    void Start(const QStringList& creator, const std::vector<QStringList>& joiners, const QStringList& everyone = {}) {
        const QString party = QString::number(1 + joiners.size());
        const QStringList common = QStringList{"--pause-ms", "20", "--players", party} + everyone;
        const QStringList where =
            broker ? QStringList{"--broker", QString::fromStdString(broker->Address())} : QStringList{};
        peers.push_back(std::make_unique<PeerProcess>(
            where + QStringList{"--create", "--port", "0", "--states", "6", "--seed", "1"} + creator + common,
            dir.path()));
        // Through the broker the session is known by its creator's name, once he has made it.
        if (broker) {
            EXPECT_TRUE(peers[0]->WaitForLine("session ", 10s)) << peers[0]->Output();
        }
        const QStringList join = broker ? QStringList{"--join-session", creator.at(creator.indexOf("--name") + 1)}
                                        : QStringList{"--join", QString::fromStdString(JoinAddress(*peers[0]))};
        // One after the other, so that the session's order, and with it the draw of states, is fixed.
        for (const QStringList& j : joiners) {
            peers.push_back(std::make_unique<PeerProcess>(where + join + j + common, dir.path()));
            EXPECT_TRUE(peers[0]->WaitForLines("joined: ", peers.size() - 1, 10s));
        }
    }

    int ExitOf(std::size_t i) {
        const std::optional<int> code = peers[i]->WaitForExit(GameTime);
        EXPECT_TRUE(code.has_value()) << "peer " << i << " still runs:\n" << peers[i]->Output();
        return code.value_or(-2);
    }

    std::string ResultOf(std::size_t i) {
        const std::optional<std::string> r = peers[i]->WaitForLine("result: ", GameTime);
        return r.value_or("no result:\n" + peers[i]->Output());
    }

    // Every state a client printed after the year's data came equals the server's record of it.
    void ExpectClientsMatchTheServer() {
        for (std::size_t i = 1; i < peers.size(); ++i) EXPECT_TRUE(ClientMatchesTheServer(peers, i));
    }

    QTemporaryDir dir;
    std::unique_ptr<MosquittoProcess> broker;  // none: the LAN mesh
    std::vector<std::unique_ptr<PeerProcess>> peers;
};

}  // namespace korvant::test
