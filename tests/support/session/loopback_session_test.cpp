// The in-process session the layers above are tested with behaves as the TCP one does.
#include <gtest/gtest.h>

#include "support/session/loopback_session.h"
#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

TEST(LoopbackSession, KeepsOneOrderAndDeliversLikeTheNetwork) {
    LoopbackHub hub;
    LoopbackSession a(hub), b(hub), c(hub);
    Recorder ra, rb, rc;
    a.SetListener(&ra);
    b.SetListener(&rb);
    c.SetListener(&rc);
    a.Open("A");
    b.Open("B");
    c.Open("C");
    EXPECT_TRUE(ra.Opened);
    EXPECT_EQ(rc.Added, std::vector<PlayerId>{c.LocalId()});
    EXPECT_EQ(RosterIds(b), (std::vector<PlayerId>{a.LocalId(), b.LocalId(), c.LocalId()}));
    EXPECT_EQ(RosterIds(c), RosterIds(a));

    std::vector<std::uint8_t> block{1, 2, 3, 4};
    EXPECT_EQ(a.Send(ToAllOthers, block), SendResult::Sent);
    EXPECT_EQ(b.Send(b.LocalId(), block), SendResult::Sent);
    EXPECT_EQ(rb.Messages.size(), 1u);  // at once
    EXPECT_EQ(c.Send(a.LocalId(), std::span(block).first(3)), SendResult::IllegalForm);
    EXPECT_TRUE(rc.Messages.empty());  // not before the event loop runs
    hub.DeliverPending();
    EXPECT_EQ(rb.Messages.size(), 2u);
    EXPECT_EQ(rc.Messages.size(), 1u);
    EXPECT_TRUE(ra.Messages.empty());

    PlayerId gone = b.LocalId();
    b.Close();
    c.Lose();
    EXPECT_TRUE(rc.Lost);
    EXPECT_TRUE(WaitFor([&] { return ra.Deleted.size() == 2; }));
    EXPECT_EQ(ra.Deleted[0], gone);
    EXPECT_EQ(a.Players().size(), 1u);
}

}  // namespace
}  // namespace korvant::test
