// The fake network's events reach the window tests through the event loop alone, also those
// queued while an event runs a box of its own.
#include <gtest/gtest.h>

#include "support/session/event_loop_delivery.h"
#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

// Answers a block and shows a box meanwhile: the answer arrives while the box is open.
struct Answering : ModalRecorder {
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        ModalRecorder::OnMessage(from, b);
        answeredInsideBox = other->Messages.size();
    }
    Recorder* other = nullptr;
    std::size_t answeredInsideBox = 0;
};

TEST(EventLoopDelivery, EventsArriveFromTheEventLoopAlsoInsideABox) {
    FakeNetwork network;
    FakeSession &a = network.NewSession(), &b = network.NewSession();
    Answering ra;
    Recorder rb;
    a.SetListener(&ra);
    b.SetListener(&rb);
    EventLoopDelivery delivery(network);
    a.Open("A");
    b.Open("B");
    const std::vector<std::uint8_t> block{1, 2, 3, 4};
    ra.other = &rb;
    ra.InMessage = true;
    ra.OnMessageDo = [&] { a.Send(b.LocalId(), block); };
    b.Send(ToAllOthers, block);
    EXPECT_TRUE(ra.Messages.empty());  // not before the event loop runs
    ASSERT_TRUE(WaitFor([&] { return ra.Messages.size() == 1; }));
    EXPECT_EQ(ra.answeredInsideBox, 1u);
    EXPECT_EQ(ra.Added, (std::vector<PlayerId>{a.LocalId(), b.LocalId()}));

    const PlayerId gone = b.LocalId();
    b.Close();
    ASSERT_TRUE(WaitFor([&] { return !ra.Deleted.empty(); }));
    EXPECT_EQ(ra.Deleted, std::vector<PlayerId>{gone});
    EXPECT_EQ(a.Players().size(), 1u);
}

}  // namespace
}  // namespace korvant::test
