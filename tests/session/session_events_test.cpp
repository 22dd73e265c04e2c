// The session's events reach the listener from the event loop, one at a time, so a listener may
// open a box (a nested event loop) inside any of them, and a refused join says why.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <algorithm>

#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

std::vector<std::uint8_t> Block(std::uint8_t tag) { return std::vector<std::uint8_t>(8, tag); }

bool Lists(const Session& s, PlayerId id) { return std::ranges::count(RosterIds(s), id) == 1; }

TEST(SessionEvents, ARefusedJoinReachesABoxAndTheSessionOpensAgain) {
    RefusingServer full(wire::Verdict::Full);
    wire::Identity newer;
    newer.Version = wire::ProtocolVersion + 1;
    RefusingServer otherVersion(wire::Verdict::Accepted, newer);
    // Welcomes no admitting computer sends: two players reached through the link, one unreachable.
    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const auto welcome = [](std::vector<wire::RosterEntry> players) {
        wire::Welcome w;
        w.Seq = 3;
        w.Players = std::move(players);
        return w;
    };
    RefusingServer twoAdmitting(welcome({{1, 1, 0, 0, "A"}, {2, 2, 0, 0, "B"}}));
    RefusingServer unreachable(welcome({{1, 1, 0, 0, "A"}, {2, 2, loopback, 0, "B"}}));
    QTcpServer silent;  // takes the link and never answers it
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    QTcpServer web;  // another program: answers a knock with its own bytes
    ASSERT_TRUE(web.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&web, &QTcpServer::newConnection, [&web] {
        while (QTcpSocket* s = web.nextPendingConnection()) s->write("HTTP/1.1 400 Bad Request\r\n\r\n");
    });
    RefusingServer unanswered(welcome({{1, 1, 0, 0, "A"}, {2, 2, loopback, silent.serverPort(), "B"}}));
    RefusingServer memberGone(welcome({{1, 1, 0, 0, "A"}, {2, 2, loopback, FreePort(), "B"}}));
    const PlayerId joinerId = 77;
    RefusingServer listsTheJoiner(welcome({{1, 1, 0, 0, "A"}, {joinerId, 2, loopback, silent.serverPort(), "J"}}));
    RefusingServer noneAdmitting(welcome({{1, 1, loopback, silent.serverPort(), "A"}}));
    RefusingServer memberRefuses(wire::Verdict::IdTaken);  // a member the joiner links to says no
    RefusingServer refusedByMember(welcome({{1, 1, 0, 0, "A"}, {2, 2, loopback, memberRefuses.Port(), "B"}}));
    RefusingServer wrongPassword(wire::Verdict::WrongPassword), malformed(wire::Verdict::Malformed);
    RefusingServer unknownAnswer(wire::Verdict(9));
    RefusingServer listsPlayer0(welcome({{1, 1, 0, 0, "A"}, {0, 2, loopback, silent.serverPort(), "B"}}));
    struct Case {
        std::uint16_t Port;
        OpenError Expected;
    };
    const Case cases[] = {{full.Port(), OpenError::SessionFull},
                          {otherVersion.Port(), OpenError::OtherVersion},
                          {twoAdmitting.Port(), OpenError::ProtocolError},
                          {unreachable.Port(), OpenError::ProtocolError},
                          {unanswered.Port(), OpenError::Timeout},
                          {web.serverPort(), OpenError::OtherProgram},
                          {FreePort(), OpenError::ConnectFailed},
                          {memberGone.Port(), OpenError::ConnectFailed},
                          {listsTheJoiner.Port(), OpenError::ProtocolError},
                          {noneAdmitting.Port(), OpenError::ProtocolError},
                          {refusedByMember.Port(), OpenError::IdTaken},
                          {wrongPassword.Port(), OpenError::WrongPassword},
                          {malformed.Port(), OpenError::ProtocolError},
                          {unknownAnswer.Port(), OpenError::ProtocolError},
                          {listsPlayer0.Port(), OpenError::ProtocolError}};

    TcpSessionOptions options = LoopbackOptions(10000, 1000);
    options.Id = joinerId;
    TcpSession joiner(options);
    ModalRecorder events;
    events.InOpenFailed = true;
    joiner.SetListener(&events);
    for (const Case& c : cases) {
        events.Failed.reset();
        joiner.Join("J", "127.0.0.1", c.Port);
        EXPECT_FALSE(events.Failed) << "reported later, from the event loop";
        ASSERT_TRUE(WaitFor([&] { return events.Failed.has_value(); }));
        EXPECT_EQ(*events.Failed, c.Expected);
        EXPECT_FALSE(joiner.IsOpen());
        EXPECT_TRUE(joiner.Players().empty());
    }
    auto a = Create("A");
    joiner.Join("J", "127.0.0.1", a->Session->ListenPort());
    ASSERT_TRUE(WaitFor([&] { return events.Opened && joiner.Players().size() == 2; }));
    EXPECT_EQ(RosterIds(joiner), RosterIds(*a->Session));
}

// An impostor under a present player's name would have his ready tick and his leave taken for the
// other's: the admitting computer refuses him, whichever computer he knocks at.
TEST(SessionEvents, ANamePresentInTheSessionIsRefusedAtAdmission) {
    auto a = Create("Вася");
    auto b = Join("Пётр", a->Session->ListenPort());
    ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == 2; }));
    for (const char* name : {"вАСЯ", "ПЁТР"}) {
        auto impostor = Join(name, b->Session->ListenPort());
        EXPECT_EQ(impostor->Events.Failed, OpenError::NameTaken) << name;
    }
    auto c = Join("Вася Второй", b->Session->ListenPort());
    EXPECT_TRUE(c->Events.Opened);
    ASSERT_TRUE(WaitFor([&] { return b->Session->Players().size() == 3; }));
    EXPECT_EQ(a->Events.Added, (std::vector<PlayerId>{a->Id(), b->Id(), c->Id()}));
    EXPECT_TRUE(a->Events.Deleted.empty());
}

TEST(SessionEvents, AJoinThatCannotListenFailsFromTheEventLoop) {
    TcpSessionOptions o = LoopbackOptions();
    o.ListenAddress = QHostAddress("192.0.2.1");  // not this computer's
    TcpSession s(o);
    ModalRecorder events;
    events.InOpenFailed = true;
    s.SetListener(&events);
    s.Join("J", "127.0.0.1", FreePort());
    EXPECT_FALSE(events.Failed);
    ASSERT_TRUE(WaitFor([&] { return events.Failed.has_value(); }));
    EXPECT_EQ(*events.Failed, OpenError::ListenFailed);
    // Create still answers before it returns.
    events.Failed.reset();
    s.Create("C");
    EXPECT_EQ(events.Failed, OpenError::ListenFailed);
}

// A game that closes the session as soon as it hears of the open hears nothing more, not even of its
// own player.
TEST(SessionEvents, ASessionClosedOnItsOpenReportsNoPlayer) {
    TcpSession a(LoopbackOptions());
    struct : Recorder {
        TcpSession* Of = nullptr;
        void OnOpen() override { Recorder::OnOpen(), Of->Close(); }
    } events;
    events.Of = &a;
    a.SetListener(&events);
    a.Create("A");
    Drain();
    EXPECT_TRUE(events.Opened);
    EXPECT_TRUE(events.Added.empty());
    EXPECT_TRUE(a.Players().empty());
    // Nor does one that stops listening there, and what it sends itself goes nowhere.
    TcpSession b(LoopbackOptions());
    struct : Recorder {
        TcpSession* Of = nullptr;
        void OnOpen() override { Recorder::OnOpen(), Of->SetListener(nullptr); }
    } deaf;
    deaf.Of = &b;
    b.SetListener(&deaf);
    b.Create("B");
    Drain();
    EXPECT_TRUE(deaf.Opened);
    EXPECT_TRUE(deaf.Added.empty());
    EXPECT_EQ(b.Send(b.LocalId(), std::vector<std::uint8_t>(8, 1)), SendResult::Sent);  // to nobody
}

TEST(SessionEvents, BoxesOpenedWhenPlayersGoAndTheSessionIsLostCrashNothing) {
    TcpSession a(LoopbackOptions());
    ModalRecorder events;
    events.InDeletePlayer = events.InSessionLost = true;
    a.SetListener(&events);
    a.Create("A");
    RawPeer r1(a.ListenPort()), r2(a.ListenPort());
    wire::Hello h2 = r2.Hello;
    h2.Id = 0x5EED0002u;
    h2.Name = "raw2";
    ASSERT_TRUE(r1.JoinAs(r1.Hello));
    ASSERT_TRUE(r2.JoinAs(h2));
    ASSERT_TRUE(WaitFor([&] { return a.Players().size() == 3; }));
    // A block too short to be one drops its sender; both going at once cut this computer off.
    std::vector<std::uint8_t> tooShort = wire::EncodeFrame(wire::FrameKind::Data, std::vector<std::uint8_t>{1});
    r1.Send(tooShort);
    r2.Send(tooShort);
    ASSERT_TRUE(WaitFor([&] { return events.Lost; }));
    EXPECT_EQ(events.Deleted, (std::vector<PlayerId>{r1.Hello.Id, h2.Id}));
    EXPECT_TRUE(a.Players().empty());
    a.Create("A");
    EXPECT_TRUE(a.IsOpen());
    // The losses of the lost session count for nothing in the new one: one player dropping leaves it open.
    events.Lost = false;
    RawPeer r3(a.ListenPort());
    ASSERT_TRUE(r3.JoinAs(r3.Hello));
    ASSERT_TRUE(WaitFor([&] { return a.Players().size() == 2; }));
    r3.Send(tooShort);
    ASSERT_TRUE(WaitFor([&] { return events.Deleted.size() == 3; }));
    Drain();
    EXPECT_FALSE(events.Lost);
    EXPECT_TRUE(a.IsOpen());
}

TEST(SessionEvents, ABoxOpenedAfterClosingOnABlockCrashesNothing) {
    TcpSession a(LoopbackOptions());
    ModalRecorder events;
    events.InMessage = true;
    events.OnMessageDo = [&] { a.Close(); };  // a game over, then its box
    a.SetListener(&events);
    a.Create("A");
    RawPeer raw(a.ListenPort());
    ASSERT_TRUE(raw.JoinAs(raw.Hello));
    std::vector<std::uint8_t> two = wire::EncodeFrame(wire::FrameKind::Data, Block(1));
    std::vector<std::uint8_t> second = wire::EncodeFrame(wire::FrameKind::Data, Block(2));
    two.insert(two.end(), second.begin(), second.end());
    raw.Send(two);
    ASSERT_TRUE(WaitFor([&] { return !events.Messages.empty(); }));
    EXPECT_TRUE(raw.WaitClosed());
    Drain();
    EXPECT_EQ(events.Messages.size(), 1u) << "no event follows a close";
    EXPECT_FALSE(a.IsOpen());
    a.Create("A");
    EXPECT_EQ(a.Players().size(), 1u);
}

// Records whether Players() lists the player of each event as the game would see it.
struct RosterWitness : Recorder {
    const Session* Of = nullptr;
    std::vector<std::pair<std::string, bool>> Seen;
    void OnAddPlayer(const SessionPlayer& p) override {
        Seen.emplace_back("add", Lists(*Of, p.Id)), Recorder::OnAddPlayer(p);
    }
    void OnDeletePlayer(const SessionPlayer& p) override {
        Seen.emplace_back("delete", Lists(*Of, p.Id)), Recorder::OnDeletePlayer(p);
    }
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        Seen.emplace_back("message", Lists(*Of, from)), Recorder::OnMessage(from, b);
    }
};

TEST(SessionEvents, PlayersFollowsTheEventsDelivered) {
    TcpSession a(LoopbackOptions());
    RosterWitness w;
    w.Of = &a;
    a.SetListener(&w);
    a.Create("A");
    RawPeer raw(a.ListenPort());
    ASSERT_TRUE(raw.JoinAs(raw.Hello));
    // A block and the leave in one go: the block is still from a listed player when it arrives.
    std::vector<std::uint8_t> bytes = wire::EncodeFrame(wire::FrameKind::Data, Block(3));
    std::vector<std::uint8_t> leave = wire::EncodeFrame(wire::FrameKind::Leave);
    bytes.insert(bytes.end(), leave.begin(), leave.end());
    raw.Send(bytes);
    ASSERT_TRUE(WaitFor([&] { return w.Deleted.size() == 1; }));
    using Seen = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(w.Seen, (Seen{{"add", true}, {"add", true}, {"message", true}, {"delete", false}}));
    EXPECT_EQ(a.Players().size(), 1u);
}

}  // namespace
}  // namespace korvant::test
