// The fake session the layers above are tested with keeps the promises of a real one: one order of
// players everywhere, rosters and blocks as the delivered events tell them, nothing for a computer
// that left.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/fake_session.h"

namespace korvant::test {
namespace {

// Records every event, and whether the sender of each block was listed when it arrived.
struct Log : SessionListener {
    explicit Log(FakeSession& s) : session(s) { session.SetListener(this); }
    void OnOpen() override { opened = true; }
    void OnOpenFailed(OpenError e) override { failed = e; }
    void OnAddPlayer(const SessionPlayer& p) override { added.push_back(p.Id); }
    void OnDeletePlayer(const SessionPlayer& p) override { deleted.push_back(p.Id); }
    void OnMessage(PlayerId from, std::span<const uint8_t> block) override {
        messages.push_back({from, block.front()});
        for (const SessionPlayer& p : session.Players()) senderListed += p.Id == from;
        if (onMessage) onMessage();
    }
    void OnSessionLost() override { lost = true; }

    FakeSession& session;
    bool opened = false, lost = false;
    std::optional<OpenError> failed;
    std::vector<PlayerId> added, deleted;
    std::vector<std::pair<PlayerId, uint8_t>> messages;  // sender and first byte
    int senderListed = 0;
    std::function<void()> onMessage;
};

std::vector<PlayerId> Ids(const Session& s) {
    std::vector<PlayerId> ids;
    for (const SessionPlayer& p : s.Players()) ids.push_back(p.Id);
    return ids;
}

std::vector<uint8_t> Block(uint8_t first) { return {first, 0, 0, 0}; }

// Three computers, each with its log, not yet in the session.
class FakeSessionTest : public ::testing::Test {
protected:
    FakeNetwork network;
    FakeSession &a = network.NewSession(), &b = network.NewSession(), &c = network.NewSession();
    Log la{a}, lb{b}, lc{c};
};

TEST_F(FakeSessionTest, OpeningKeepsOneOrderAndEveryEventWaitsForDelivery) {
    a.Open("A");
    b.Open("B");
    EXPECT_TRUE(la.opened);
    EXPECT_EQ(lb.added, std::vector<PlayerId>{b.LocalId()});  // himself, at once
    EXPECT_EQ(Ids(b), (std::vector<PlayerId>{a.LocalId(), b.LocalId()}));
    EXPECT_EQ(Ids(a), std::vector<PlayerId>{a.LocalId()});  // A has not heard of B yet
    c.Open("C");
    network.Deliver();
    EXPECT_EQ(la.added, (std::vector<PlayerId>{a.LocalId(), b.LocalId(), c.LocalId()}));
    EXPECT_EQ(Ids(a), Ids(c));
    EXPECT_FALSE(a.Players()[0].Remote);
    EXPECT_TRUE(c.Players()[0].Remote);

    EXPECT_EQ(a.Send(ToAllOthers, Block(1)), SendResult::Sent);
    EXPECT_EQ(b.Send(b.LocalId(), Block(2)), SendResult::Sent);
    EXPECT_EQ(lb.messages.size(), 1u);  // to himself: inside the call
    const std::vector<uint8_t> shortBlock{3, 0, 0};
    EXPECT_EQ(c.Send(a.LocalId(), shortBlock), SendResult::IllegalForm);
    EXPECT_EQ(c.Send(99, Block(3)), SendResult::UnknownPlayer);
    EXPECT_EQ(c.sent.size(), 0u);
    EXPECT_TRUE(lc.messages.empty());
    network.Deliver();
    EXPECT_EQ(lb.messages, (std::vector<std::pair<PlayerId, uint8_t>>{{b.LocalId(), 2}, {a.LocalId(), 1}}));
    EXPECT_EQ(lc.messages.size(), 1u);
    EXPECT_TRUE(la.messages.empty());
    EXPECT_EQ(a.sent.size(), 1u);
    EXPECT_EQ(a.sent[0].to, ToAllOthers);
}

TEST_F(FakeSessionTest, WhoLeavesIsDeletedAfterHisBlocksAndHearsNothingMore) {
    a.Open("A");
    b.Open("B");
    c.Open("C");
    network.Deliver();
    const PlayerId bId = b.LocalId(), cId = c.LocalId();

    b.Send(ToAllOthers, Block(7));
    b.Close();
    c.Lose();
    EXPECT_TRUE(lc.lost);
    EXPECT_FALSE(lb.lost);  // a clean leave is no loss
    EXPECT_EQ(b.LocalId(), 0u);
    EXPECT_TRUE(b.Players().empty());
    EXPECT_EQ(b.Send(ToAllOthers, Block(8)), SendResult::NotOpen);
    network.Deliver();
    EXPECT_EQ(la.messages, (std::vector<std::pair<PlayerId, uint8_t>>{{bId, 7}}));
    EXPECT_EQ(la.senderListed, 1);  // his block came before his leaving
    EXPECT_EQ(la.deleted, (std::vector<PlayerId>{bId, cId}));
    EXPECT_TRUE(lc.messages.empty());  // cut off before the block reached him
    EXPECT_EQ(Ids(a), std::vector<PlayerId>{a.LocalId()});
    EXPECT_EQ(a.Send(bId, Block(9)), SendResult::UnknownPlayer);

    // Back under a new id; what waited for the old one is not his.
    b.Open("B");
    EXPECT_NE(b.LocalId(), bId);
    network.Deliver();
    EXPECT_EQ(la.added.back(), b.LocalId());
}

TEST(FakeSession, ASeatedComputerIsListedAtOnceAndAFullSessionRefusesTheNext) {
    FakeNetwork network;
    network.maxPlayers = 3;
    FakeSession& s1 = network.Join("Player1");
    FakeSession& s2 = network.Join("Player2");
    Log l1(s1);
    EXPECT_EQ(s2.LocalId(), 2u);
    EXPECT_EQ(Ids(s1), (std::vector<PlayerId>{1, 2}));
    EXPECT_EQ(s1.Players()[1].Name, "Player2");
    EXPECT_FALSE(network.Pending());  // a seat is told to no listener

    FakeSession& third = network.NewSession();
    Log l3(third);
    third.Open("Third");
    FakeSession& fourth = network.NewSession();
    Log l4(fourth);
    fourth.Open("Fourth");
    EXPECT_EQ(l4.failed, OpenError::SessionFull);
    EXPECT_FALSE(fourth.IsOpen());
    EXPECT_FALSE(l4.opened);
}

// A listener that opens a box delivers the next events inside this one's handling: each still
// runs once, in the order sent.
TEST(FakeSession, DeliveryInsideAnEventRunsEachEventOnceInOrder) {
    FakeNetwork network;
    FakeSession& s1 = network.Join("Player1");
    FakeSession& s2 = network.Join("Player2");
    Log l2(s2);
    l2.onMessage = [&] { network.Deliver(); };
    int queued = 0;
    network.onQueued = [&] { ++queued; };
    for (uint8_t k = 1; k <= 3; ++k) s1.Send(2, Block(k));
    EXPECT_EQ(queued, 3);
    network.Deliver();
    EXPECT_EQ(l2.messages, (std::vector<std::pair<PlayerId, uint8_t>>{{1, 1}, {1, 2}, {1, 3}}));
}

}  // namespace
}  // namespace korvant::test
