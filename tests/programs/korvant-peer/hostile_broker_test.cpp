// A stranger on the same MQTT broker as a game of three real korvant-peer processes: he writes
// letters into a player's inbox in another player's name, puts up a second advert of the session,
// and dies with a will naming a player. None of it is believed; the game goes on unchanged.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <map>

#include "net/chat_block.h"
#include "session/mqtt_client.h"
#include "support/process/peer_game.h"
#include "wire/broker_wire.h"

namespace korvant::test {
namespace {

using namespace wire::broker;

struct Intruder {
    MqttClient Client;
    bool Connected = false;
    std::map<std::string, PlayerId> Players;  // by name, from their presences

    Intruder(const BrokerAddress& where, PlayerId id, MqttClient::Will will = {}) {
        Client.Connected = [this](bool) { Connected = true, Poke(); };
        Client.Message = [this](const std::string& topic, std::span<const std::uint8_t> payload) {
            if (auto p = ParsePresence(payload); p && PresenceIdOf(topic)) Players[p->Name] = p->Id;
            Poke();
        };
        EXPECT_TRUE(Client.Connect(where, IdText(id), will, 60));
        EXPECT_TRUE(Await([this] { return Connected; }));
    }

    // Runs the event loop until `done` holds, checked whenever the broker tells something, or time runs out.
    bool Await(std::function<bool()> done, std::chrono::milliseconds limit = 5s) {
        if (done()) return true;
        QEventLoop loop;
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        waiting_ = &loop;
        done_ = std::move(done);
        loop.exec();
        waiting_ = nullptr;
        return done_();
    }

private:
    void Poke() {
        if (waiting_ && done_()) waiting_->quit();
    }
    QEventLoop* waiting_ = nullptr;
    std::function<bool()> done_;
};

class HostileOnBroker : public PeerGame {
protected:
    void SetUp() override {
        broker = std::make_unique<MosquittoProcess>();
        ASSERT_TRUE(broker->Running()) << broker->Error();
        where = {"127.0.0.1", broker->Port(), false};
    }
    BrokerAddress where;
};

TEST_F(HostileOnBroker, ForgedLettersAdvertsAndWillsChangeNothing) {
    Start({"--name", "alice"}, {{"--name", "bob"}, {"--name", "carol"}}, {"--stop-at-year", "6", "--pause-ms", "100"});
    Intruder mallory(where, 0x4D41u);
    mallory.Client.Subscribe(PresenceFilter);
    ASSERT_TRUE(mallory.Await([&] { return mallory.Players.size() == 3; }));
    const PlayerId alice = mallory.Players["alice"], bob = mallory.Players["bob"], carol = mallory.Players["carol"];
    ASSERT_TRUE(peers[0]->WaitForLine("year 2: ", GameTime));

    // Letters in alice's name, with a token he cannot know.
    mallory.Client.Publish(InboxTopic(bob, alice), EncodeLetter(Note::Data, 1, EncodeChat("forged", 0)));
    mallory.Client.Publish(InboxTopic(bob, alice), EncodeLetter(Note::Leave, 1));
    mallory.Client.Publish(InboxTopic(alice, carol), EncodeLetter(Note::Leave, 1));
    // A second advert of the session, and carol's will forged.
    const PlayerId fake = 0xFA4Eu;
    mallory.Client.Publish(PresenceTopic(fake),
                           EncodePresence({{}, fake, 0, Standing::Admitting, 1, false, "alice", "alice"}), true);
    mallory.Client.Publish(PresenceTopic(carol),
                           EncodePresence({{}, carol, 1, Standing::Gone, 0, false, "alice", "carol"}), true);
    {
        // He dies, and the broker publishes his will, which names alice.
        Intruder dying(
            where, 0xDEADu,
            {PresenceTopic(alice), EncodePresence({{}, alice, 2, Standing::Gone, 0, false, "alice", "alice"})});
    }

    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ExitOf(i), 0) << peers[i]->Output();
        EXPECT_EQ(ResultOf(i), "result: stopped after year 6");
        EXPECT_FALSE(peers[i]->Has("chat: alice> forged")) << peers[i]->Output();
        // Before the last year nobody left and no client took the server's role.
        const auto& lines = peers[i]->Lines();
        const auto end = std::ranges::find_if(lines, [](const std::string& l) { return l.starts_with("year 6: "); });
        EXPECT_TRUE(std::none_of(lines.begin(), end, [&](const std::string& l) {
            return l.starts_with("left: ") || (i > 0 && l == "role: server");
        })) << peers[i]->Output();
    }
    EXPECT_TRUE(peers[0]->HasPrefix("year 6: living 6 persons 3"));
    ExpectClientsMatchTheServer();
}

}  // namespace
}  // namespace korvant::test
