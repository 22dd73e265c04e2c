// Sessions of several players on loopback in one process: the roster, the three kinds of send,
// players leaving cleanly or dying, the limits, and peers that are not this game.
#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>

#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

std::vector<std::uint8_t> Block(std::uint8_t tag, std::size_t n = 8) { return std::vector<std::uint8_t>(n, tag); }

std::size_t CountFrom(const Recorder& r, PlayerId from) {
    return std::ranges::count_if(r.Messages, [&](const auto& m) { return m.first == from; });
}

// A session of `n` players: the first creates, each next one knocks at a computer already in it
// (not always the admitting one, so redirects are used). Names are "P<i>", padded with dots to
// `nameLength` bytes.
std::vector<std::unique_ptr<Peer>> Session(int n, TcpSessionOptions o = LoopbackOptions(), std::size_t nameLength = 0) {
    const auto name = [&](int i) {
        std::string s = "P" + std::to_string(i);
        return s.size() < nameLength ? s + std::string(nameLength - s.size(), '.') : s;
    };
    std::vector<std::unique_ptr<Peer>> peers;
    peers.push_back(Create(name(0), o));
    for (int i = 1; i < n; ++i) {
        std::uint16_t port = peers[std::size_t(i) / 2]->Session->ListenPort();
        peers.push_back(Join(name(i), port, o));
        EXPECT_TRUE(peers.back()->Events.Opened) << "player " << i;
    }
    WaitFor([&] {
        return std::ranges::all_of(peers, [&](const auto& p) { return int(p->Session->Players().size()) == n; });
    });
    return peers;
}

// Whether the session is lost once every event already caused has come: a block to oneself comes
// after them.
bool LostByNow(Peer& p) {
    const std::size_t heard = p.Events.Messages.size();
    p.Session->Send(p.Id(), Block(6));
    WaitFor([&] { return p.Events.Messages.size() > heard || p.Events.Lost; });
    return p.Events.Lost;
}

void ExpectOneRoster(const std::vector<std::unique_ptr<Peer>>& peers) {
    std::vector<PlayerId> first = RosterIds(*peers[0]->Session);
    EXPECT_EQ(first.size(), peers.size());
    for (const auto& p : peers) {
        EXPECT_EQ(RosterIds(*p->Session), first);
        for (const SessionPlayer& pl : p->Session->Players()) EXPECT_EQ(pl.Remote, pl.Id != p->Id());
    }
}

TEST(TcpSession, JoinersShareOneRosterInJoiningOrder) {
    auto peers = Session(4);
    ExpectOneRoster(peers);
    std::vector<PlayerId> order;
    for (const auto& p : peers) order.push_back(p->Id());
    EXPECT_EQ(RosterIds(*peers[3]->Session), order);
    EXPECT_EQ(std::ranges::count(order, 0u), 0);
    // The local player is reported right after the open; the creator then hears of each joiner.
    EXPECT_EQ(peers[3]->Events.Added, std::vector<PlayerId>{peers[3]->Id()});
    EXPECT_EQ(peers[0]->Events.Added, order);
    EXPECT_EQ(peers[1]->Session->Players()[1].Name, "P1");
}

using Message = std::pair<PlayerId, std::vector<std::uint8_t>>;

TEST(TcpSession, SendsToOneToAllOthersAndToOneself) {
    auto peers = Session(4);
    Peer &a = *peers[0], &b = *peers[1], &c = *peers[2], &d = *peers[3];

    EXPECT_EQ(b.Session->Send(c.Id(), Block(1, MinBlockBytes)), SendResult::Sent);  // the shortest block
    EXPECT_EQ(a.Session->Send(ToAllOthers, Block(2, 100000)), SendResult::Sent);
    EXPECT_EQ(d.Session->Send(d.Id(), Block(3)), SendResult::Sent);
    EXPECT_EQ(d.Events.Messages.size(), 1u);  // before the send returned, without the network
    std::vector<std::uint8_t> tooShort{1, 2, 3};
    EXPECT_EQ(c.Session->Send(ToAllOthers, tooShort), SendResult::IllegalForm);
    EXPECT_EQ(SendResultText(SendResult::IllegalForm), "The message form is illegal");
    EXPECT_EQ(c.Session->Send(12345, Block(4)), SendResult::UnknownPlayer);

    // Blocks of one sender arrive once each and in order.
    for (std::uint8_t i = 0; i < 50; ++i) c.Session->Send(a.Id(), Block(100 + i));
    ASSERT_TRUE(Settle(peers));
    ASSERT_EQ(a.Events.Messages.size(), 50u);
    for (std::uint8_t i = 0; i < 50; ++i) EXPECT_EQ(a.Events.Messages[i].second, Block(100 + i));
    EXPECT_EQ(b.Events.Messages.size(), 1u);
    EXPECT_EQ(c.Events.Messages.size(), 2u);
    EXPECT_EQ(CountFrom(c.Events, b.Id()), 1u);
    EXPECT_EQ(std::ranges::find(c.Events.Messages, b.Id(), &Message::first)->second, Block(1, MinBlockBytes));
    EXPECT_EQ(CountFrom(d.Events, a.Id()), 1u);
    EXPECT_EQ(d.Events.Messages.back().second.size(), 100000u);
}

TEST(TcpSession, ALonePlayerSendingToAllReachesNobody) {
    std::vector<std::unique_ptr<Peer>> peers;
    peers.push_back(Create("A"));
    EXPECT_EQ(peers[0]->Session->Send(ToAllOthers, Block(9)), SendResult::Sent);
    peers.push_back(Join("B", peers[0]->Session->ListenPort()));
    ASSERT_TRUE(Settle(peers));
    for (const auto& p : peers) EXPECT_TRUE(p->Events.Messages.empty());
}

TEST(TcpSession, TheOthersGoOnWhenTheCreatorLeaves) {
    auto peers = Session(4);
    PlayerId creator = peers[0]->Id();
    peers[0]->Session->Close();
    EXPECT_TRUE(peers[0]->Session->Players().empty());
    EXPECT_EQ(peers[0]->Session->Send(ToAllOthers, Block(5)), SendResult::NotOpen);
    EXPECT_EQ(peers[0]->Session->LocalId(), 0u);
    ASSERT_TRUE(WaitFor([&] {
        return std::ranges::all_of(peers.begin() + 1, peers.end(),
                                   [](const auto& p) { return p->Session->Players().size() == 3; });
    }));
    peers.erase(peers.begin());
    for (const auto& p : peers) EXPECT_EQ(p->Events.Deleted, std::vector<PlayerId>{creator});
    ExpectOneRoster(peers);

    peers[0]->Session->Send(ToAllOthers, Block(5));
    EXPECT_TRUE(
        WaitFor([&] { return peers[1]->Events.Messages.size() == 1 && peers[2]->Events.Messages.size() == 1; }));

    // A newcomer knocking at the last player is admitted by the earliest one left.
    peers.push_back(Join("E", peers[2]->Session->ListenPort()));
    ASSERT_TRUE(peers.back()->Events.Opened);
    WaitFor(
        [&] { return std::ranges::all_of(peers, [](const auto& p) { return p->Session->Players().size() == 4; }); });
    ExpectOneRoster(peers);
    EXPECT_EQ(RosterIds(*peers[0]->Session).back(), peers.back()->Id());

    // The others saying goodbye together leave the last one alone, not cut off.
    for (std::size_t i = 1; i < peers.size(); ++i) peers[i]->Session->Close();
    ASSERT_TRUE(WaitFor([&] { return peers[0]->Events.Deleted.size() == 4; }));
    EXPECT_FALSE(LostByNow(*peers[0]));
    EXPECT_EQ(peers[0]->Session->Players().size(), 1u);
}

// A computer that opens a session while in one leaves the first: its players see him go, and the
// new session has nobody of the old one.
TEST(TcpSession, OpeningASessionAgainLeavesTheFirst) {
    auto peers = Session(2);
    const PlayerId first = peers[0]->Id();
    OpenRequest again;
    again.Name = "A";
    peers[0]->Events.Opened = false;
    peers[0]->Session->Open(again);
    EXPECT_TRUE(peers[0]->Events.Opened);
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Deleted == std::vector<PlayerId>{first}; }));
    ASSERT_EQ(peers[0]->Session->Players().size(), 1u);
    auto c = Join("C", peers[0]->Session->ListenPort());
    ASSERT_TRUE(c->Events.Opened);
    EXPECT_EQ(c->Session->Players().size(), 2u);
    EXPECT_EQ(RosterIds(*c->Session).front(), peers[0]->Id());
}

void AbortSockets(Peer& p) {
    for (QTcpSocket* s : p.Session->findChildren<QTcpSocket*>()) s->abort();
}

TEST(TcpSession, ADeadPlayerIsRemovedEverywhereAndTheCutOffOneLosesTheSession) {
    auto peers = Session(3, LoopbackOptions(1000));
    PlayerId dead = peers[2]->Id();
    AbortSockets(*peers[2]);
    EXPECT_TRUE(WaitFor(
        [&] {
            return peers[0]->Events.Deleted.size() == 1 && peers[1]->Events.Deleted.size() == 1 &&
                   peers[2]->Events.Lost;
        },
        3000));
    EXPECT_EQ(peers[0]->Events.Deleted[0], dead);
    EXPECT_FALSE(peers[2]->Session->IsOpen());
    EXPECT_FALSE(LostByNow(*peers[0]));

    // The only other player dying is his loss, not the session's.
    auto pair = Session(2, LoopbackOptions(1000));
    AbortSockets(*pair[1]);
    EXPECT_TRUE(WaitFor([&] { return pair[0]->Events.Deleted.size() == 1; }, 3000));
    EXPECT_FALSE(LostByNow(*pair[0]));
    EXPECT_TRUE(pair[0]->Session->IsOpen());

    // The other two dying a whole silence limit apart leave the last one alone, not cut off. A
    // silent stranger's removal elsewhere marks the limit gone by.
    auto three = Session(3, LoopbackOptions(1000));
    AbortSockets(*three[2]);
    ASSERT_TRUE(WaitFor([&] { return three[0]->Events.Deleted.size() == 1; }, 3000));
    auto clock = Create("Clock", LoopbackOptions(1000));
    RawPeer silent(clock->Session->ListenPort());
    silent.SendHello(silent.Hello);
    ASSERT_TRUE(silent.NextFrame());
    ASSERT_TRUE(WaitFor([&] { return clock->Events.Deleted.size() == 1; }, 3000));
    AbortSockets(*three[1]);
    ASSERT_TRUE(WaitFor([&] { return three[0]->Events.Deleted.size() == 2; }, 3000));
    EXPECT_FALSE(LostByNow(*three[0]));
    EXPECT_TRUE(three[0]->Session->IsOpen());

    // One leaving cleanly and the other dying at once leave the last one alone, not cut off.
    auto trio = Session(3, LoopbackOptions(1000));
    trio[1]->Session->Close();
    AbortSockets(*trio[2]);
    ASSERT_TRUE(WaitFor([&] { return trio[0]->Events.Deleted.size() == 2; }, 3000));
    EXPECT_FALSE(LostByNow(*trio[0]));
}

TEST(TcpSession, ASilentPlayerIsRemovedAfterTheLimitWhileKeptAliveOnesStay) {
    auto a = Create("A", LoopbackOptions(600));
    auto b = Join("B", a->Session->ListenPort(), LoopbackOptions(600));
    RawPeer silent(a->Session->ListenPort());
    silent.SendHello(silent.Hello);
    ASSERT_TRUE(silent.NextFrame());  // welcomed, then says nothing
    ASSERT_TRUE(WaitFor([&] { return a->Events.Added.size() == 3; }));
    EXPECT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == 1; }, 3000));
    EXPECT_EQ(a->Events.Deleted[0], silent.Hello.Id);
    RawPeer later(a->Session->ListenPort());  // his removal marks a whole limit gone by
    later.Hello.Id += 1;
    later.SendHello(later.Hello);
    ASSERT_TRUE(later.NextFrame());
    EXPECT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == 2; }, 3000));
    EXPECT_EQ(a->Session->Players().size(), 2u);
    EXPECT_TRUE(b->Events.Deleted.empty());
}

// Names of the longest a text holds: the last joiner's welcome lists nineteen of them.
TEST(TcpSession, TheTwentyFirstPlayerIsRefused) {
    auto peers = Session(MaxSessionPlayers, LoopbackOptions(), 255);
    ExpectOneRoster(peers);
    ASSERT_EQ(peers.back()->Session->Players().size(), std::size_t(MaxSessionPlayers));
    EXPECT_EQ(peers.back()->Session->Players().front().Name.size(), 255u);
    auto late = Join("late", peers[7]->Session->ListenPort());
    EXPECT_EQ(late->Events.Failed, OpenError::SessionFull);
}

// Computers that each send the joiner on to the next: four of them in a row still get him in, on
// every join of the same session, and a fifth makes him give up rather than wander for ever.
TEST(TcpSession, AJoinerSentOnFourTimesGetsInAndAFifthTimeGivesUp) {
    auto a = Create("A");
    std::vector<std::unique_ptr<RefusingServer>> chain;  // each sends him on to the one before
    std::uint16_t next = a->Session->ListenPort();
    for (int i = 0; i < 5; ++i) {
        wire::Welcome w;
        w.Answer = wire::Verdict::Redirect;
        w.RedirectIpv4 = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
        w.RedirectPort = next;
        chain.push_back(std::make_unique<RefusingServer>(w));
        next = chain.back()->Port();
    }
    TcpSession joiner(LoopbackOptions());
    Recorder events;
    joiner.SetListener(&events);
    for (std::size_t hops : {4, 4, 5}) {
        events.Opened = false;
        events.Failed.reset();
        joiner.Join("J" + std::to_string(events.Added.size()), "127.0.0.1", chain[hops - 1]->Port());
        ASSERT_TRUE(WaitFor([&] { return events.Opened || events.Failed; }));
        if (hops == 4) {
            ASSERT_TRUE(events.Opened);
            EXPECT_EQ(RosterIds(joiner).front(), a->Id());
        } else {
            EXPECT_EQ(events.Failed, OpenError::ConnectFailed);
        }
        joiner.Close();
    }
}

// A port another program holds is swapped for a free one, unless the options forbid it.
TEST(TcpSession, ATakenPortIsSwappedForAFreeOneUnlessThatIsForbidden) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    TcpSessionOptions o = LoopbackOptions();
    o.ListenPort = other.serverPort();
    auto a = Create("A", o);
    ASSERT_TRUE(a->Events.Opened);
    EXPECT_NE(a->Session->ListenPort(), 0);
    EXPECT_NE(a->Session->ListenPort(), other.serverPort());
    o.AnyPortWhenTaken = false;
    EXPECT_EQ(Create("B", o)->Events.Failed, OpenError::ListenFailed);
    o.ListenPort = FreePort();
    EXPECT_EQ(Create("C", o)->Session->ListenPort(), o.ListenPort);
}

TEST(TcpSession, AnotherProgramVersionOrTakenIdIsRefused) {
    auto a = Create("A");
    TcpSessionOptions other = LoopbackOptions();
    other.Who.Guid = "{00000000-0000-0000-0000-000000000001}";
    EXPECT_EQ(Join("X", a->Session->ListenPort(), other)->Events.Failed, OpenError::OtherProgram);
    other = LoopbackOptions();
    other.Who.Version = wire::ProtocolVersion + 1;
    EXPECT_EQ(Join("X", a->Session->ListenPort(), other)->Events.Failed, OpenError::OtherVersion);
    other = LoopbackOptions();
    other.Id = a->Id();
    EXPECT_EQ(Join("X", a->Session->ListenPort(), other)->Events.Failed, OpenError::IdTaken);
    // A knock answered by anything but a welcome (here a block that would read as one) is another program's.
    wire::Welcome full;
    full.Answer = wire::Verdict::Full;
    RefusingServer blocks(wire::EncodeFrame(wire::FrameKind::Data, wire::EncodeWelcome(full)));
    EXPECT_EQ(Join("X", blocks.Port())->Events.Failed, OpenError::OtherProgram);
    EXPECT_EQ(a->Session->Players().size(), 1u);
}

// Bytes a hostile or broken peer sends once admitted; each closes its connection and only that.
std::vector<std::vector<std::uint8_t>> BadFrames() {
    std::vector<std::uint8_t> oversized{0, 0, 0x50, 0, std::uint8_t(wire::FrameKind::Data)};  // 5 MiB announced
    std::vector<std::uint8_t> unknownKind{3, 0, 0, 0, 99, 1, 2};
    std::vector<std::uint8_t> shortBlock = wire::EncodeFrame(wire::FrameKind::Data, std::vector<std::uint8_t>{1, 2});
    std::vector<std::uint8_t> secondHello = wire::EncodeFrame(wire::FrameKind::Hello, {});
    std::vector<std::uint8_t> brokenAnnounce =
        wire::EncodeFrame(wire::FrameKind::Announce, std::vector<std::uint8_t>{1});
    std::vector<std::uint8_t> announcesNobody =
        wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce({0, 9, 0x7F000001, 1, "nobody"}));
    return {oversized, unknownKind, shortBlock, secondHello, brokenAnnounce, announcesNobody};
}

TEST(TcpSession, AMalformedFrameDropsOnlyItsSender) {
    auto a = Create("A");
    auto b = Join("B", a->Session->ListenPort());
    for (const auto& bad : BadFrames()) {
        RawPeer raw(a->Session->ListenPort());
        raw.SendHello(raw.Hello);
        ASSERT_TRUE(raw.NextFrame());
        ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == 3; }));
        raw.Send(bad);
        EXPECT_TRUE(raw.WaitClosed());
        EXPECT_TRUE(WaitFor([&] { return a->Session->Players().size() == 2; }));
    }
    // A frame cut short by the connection's end drops its sender too.
    {
        RawPeer raw(a->Session->ListenPort());
        raw.SendHello(raw.Hello);
        ASSERT_TRUE(raw.NextFrame());
        raw.Send({20, 0, 0, 0, std::uint8_t(wire::FrameKind::Data), 1, 2});
    }
    EXPECT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == BadFrames().size() + 1; }));
    b->Session->Send(a->Id(), Block(7));
    EXPECT_TRUE(WaitFor([&] { return a->Events.Messages.size() == 1; }));
    EXPECT_TRUE(b->Events.Deleted.empty());
}

TEST(TcpSession, NothingButAHandshakeIsAcceptedBeforeIt) {
    auto a = Create("A", LoopbackOptions(10000, 300));
    RawPeer garbage(a->Session->ListenPort());
    garbage.Send(wire::EncodeFrame(wire::FrameKind::Data, Block(1)));
    EXPECT_TRUE(garbage.WaitClosed());
    RawPeer foreign(a->Session->ListenPort());
    foreign.Hello.Who.Magic = 0x12345678;
    foreign.SendHello(foreign.Hello);
    std::optional<wire::Frame> answer = foreign.NextFrame();
    ASSERT_TRUE(answer);
    EXPECT_EQ(wire::ParseWelcome(answer->Body, {})->Answer, wire::Verdict::OtherProgram);
    EXPECT_TRUE(foreign.WaitClosed());
    RawPeer halfOpen(a->Session->ListenPort());  // says nothing: closed after the handshake time
    EXPECT_TRUE(halfOpen.WaitClosed(2000));
    EXPECT_TRUE(a->Events.Messages.empty());
    EXPECT_EQ(a->Session->Players().size(), 1u);
}

}  // namespace
}  // namespace korvant::test
