// A peer written by hand against real sessions: ids and announcements that are not his to use,
// the keep-alive rhythm, and what a peer not yet admitted can make a computer hold.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <algorithm>

#include "session/peer_link.h"
#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

std::vector<std::uint8_t> Block(std::uint8_t tag) { return std::vector<std::uint8_t>(8, tag); }

std::optional<wire::Verdict> AnswerTo(RawPeer& raw, const wire::Hello& h) {
    raw.SendHello(h);
    std::optional<wire::Frame> f = raw.NextFrame();
    if (!f || f->Kind != wire::FrameKind::Welcome) return std::nullopt;
    std::optional<wire::Welcome> w = wire::ParseWelcome(f->Body, {});
    return w ? std::optional(w->Answer) : std::nullopt;
}

// The raw peer joins where it was made and links to the computer of `link`, as a member would;
// the hello of his link, or nothing when either was refused.
std::optional<wire::Hello> JoinAndLink(RawPeer& raw, RawPeer& link) {
    if (!raw.JoinAs(raw.Hello)) return std::nullopt;
    wire::Hello h = raw.Hello;
    h.Want = wire::Intent::Link;
    if (!link.JoinAs(h)) return std::nullopt;
    return h;
}

// A block from the first peer reaches every other one: whatever the session did before is done.
void RoundTrip(const std::vector<std::unique_ptr<Peer>>& peers) {
    std::vector<std::size_t> before;
    for (const auto& p : peers) before.push_back(p->Events.Messages.size());
    peers[0]->Session->Send(ToAllOthers, Block(42));
    EXPECT_TRUE(WaitFor([&] {
        for (std::size_t i = 1; i < peers.size(); ++i)
            if (peers[i]->Events.Messages.size() == before[i]) return false;
        return true;
    }));
}

TEST(RawPeer, AJoinerUsingAMembersIdIsRefusedAndTheMemberStays) {
    std::vector<std::unique_ptr<Peer>> peers;
    peers.push_back(Create("A"));
    peers.push_back(Join("B", peers[0]->Session->ListenPort()));
    peers.push_back(Join("C", peers[0]->Session->ListenPort()));
    ASSERT_TRUE(WaitFor(
        [&] { return std::ranges::all_of(peers, [](const auto& p) { return p->Session->Players().size() == 3; }); }));
    const std::vector<PlayerId> roster = RosterIds(*peers[0]->Session);

    for (wire::Intent want : {wire::Intent::Join, wire::Intent::Link}) {
        for (const auto& at : peers) {  // the admitting computer and the others
            RawPeer raw(at->Session->ListenPort());
            wire::Hello h = raw.Hello;
            h.Want = want;
            h.Id = peers[1]->Id();
            std::optional<wire::Verdict> v = AnswerTo(raw, h);
            ASSERT_TRUE(v);
            if (*v == wire::Verdict::Redirect) continue;  // sent on to the admitting computer, tried there
            EXPECT_EQ(*v, wire::Verdict::IdTaken);
            EXPECT_TRUE(raw.WaitClosed());
        }
    }
    RoundTrip(peers);
    for (const auto& p : peers) {
        EXPECT_EQ(RosterIds(*p->Session), roster);
        EXPECT_TRUE(p->Events.Deleted.empty());
    }
}

TEST(RawPeer, ARepeatedAnnouncementAddsNobodyAndRemovesNobodyLater) {
    const int handshakeMs = 300;
    auto a = Create("A", LoopbackOptions(10000, handshakeMs));
    auto b = Join("B", a->Session->ListenPort(), LoopbackOptions(10000, handshakeMs));
    ASSERT_TRUE(b->Events.Opened);
    RawPeer raw(a->Session->ListenPort());
    ASSERT_TRUE(raw.JoinAs(raw.Hello));
    ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == 3; }));

    // B, A itself and the raw peer announced once more, as if admitted again.
    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    for (wire::RosterEntry e : {wire::RosterEntry{b->Id(), 2, loopback, b->Session->ListenPort(), "B"},
                                wire::RosterEntry{a->Id(), 1, loopback, a->Session->ListenPort(), "A"},
                                wire::RosterEntry{raw.Hello.Id, 3, loopback, 1, "raw"}})
        raw.Send(wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce(e)));
    // Past the time an announced player has to link: nobody is forgotten in his place.
    EXPECT_FALSE(WaitFor([&] { return !a->Events.Deleted.empty(); }, 4 * handshakeMs));
    raw.Send(wire::EncodeFrame(wire::FrameKind::Leave));
    ASSERT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == 1; }));
    EXPECT_EQ(a->Events.Deleted[0], raw.Hello.Id);
    EXPECT_EQ(RosterIds(*a->Session), (std::vector<PlayerId>{a->Id(), b->Id()}));
    EXPECT_EQ(a->Events.Added.size(), 3u);
    EXPECT_TRUE(b->Events.Deleted.empty());
}

// A member cannot slip a second identity of his into the order, at a place already taken or far
// ahead: the computer that heard him would list players in another order than the rest. A newcomer
// as far ahead as a whole session's joins is still in order.
TEST(RawPeer, AMembersAnnouncementIsListedOnlyInItsPlaceInTheOrder) {
    auto a = Create("A");
    auto b = Join("B", a->Session->ListenPort());
    RawPeer raw(a->Session->ListenPort());
    RawPeer toB(b->Session->ListenPort());
    const std::optional<wire::Hello> link = JoinAndLink(raw, toB);
    ASSERT_TRUE(link);
    ASSERT_TRUE(WaitFor([&] { return b->Session->Players().size() == 3; }));

    // A took place 1, B place 2, the raw peer place 3.
    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const std::uint32_t farthest = 3 + MaxSessionPlayers;
    std::vector<std::unique_ptr<RawPeer>> others;
    for (const auto& [id, seq] :
         {std::pair{0x5EED0002u, 2u}, std::pair{0x5EED0003u, farthest + 1}, std::pair{0x5EED0004u, farthest}}) {
        toB.Send(wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce({id, seq, loopback, 1, "other"})));
        others.push_back(std::make_unique<RawPeer>(b->Session->ListenPort()));
        wire::Hello h = *link;
        h.Id = id;
        others.back()->SendHello(h);
    }
    ASSERT_TRUE(WaitFor([&] { return b->Session->Players().size() == 4; }));
    std::optional<wire::Frame> welcome = others.back()->NextFrame();  // the link of the one in order
    ASSERT_TRUE(welcome);
    EXPECT_EQ(wire::ParseWelcome(welcome->Body, {})->Answer, wire::Verdict::Accepted);
    EXPECT_FALSE(WaitFor([&] { return b->Session->Players().size() > 4; }, 1000));
    std::vector<PlayerId> order = RosterIds(*a->Session);
    order.push_back(0x5EED0004u);
    EXPECT_EQ(RosterIds(*b->Session), order);
}

// A member's announcement to the admitting computer of somebody it never admitted is kept from
// joiners' rosters (they would try to link to a nobody and fail), and takes neither his name nor a
// place in a full session.
TEST(RawPeer, ANewcomerAnnouncedToTheAdmittingComputerIsInNoRosterAndTakesNoPlace) {
    auto a = Create("A", LoopbackOptions(10000, 60000));
    RefusingServer raws(wire::Verdict::Accepted);  // where the raw member takes links
    RawPeer raw(a->Session->ListenPort());
    raw.Hello.Port = raws.Port();
    ASSERT_TRUE(raw.JoinAs(raw.Hello));
    const wire::RosterEntry nobody{0x5EED0002u, 3, QHostAddress(QHostAddress::LocalHost).toIPv4Address(), 1, "nobody"};
    raw.Send(wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce(nobody)));
    raw.Send(wire::EncodeFrame(wire::FrameKind::Data, Block(1)));  // heard once the announcement was read
    ASSERT_TRUE(WaitFor([&] { return a->Events.Messages.size() == 1; }));
    auto c = Join("NOBODY", a->Session->ListenPort());  // nor is his name taken
    ASSERT_TRUE(c->Events.Opened);
    EXPECT_EQ(RosterIds(*c->Session), (std::vector<PlayerId>{a->Id(), raw.Hello.Id, c->Id()}));
    std::vector<std::unique_ptr<Peer>> more;
    while (a->Session->Players().size() < std::size_t(MaxSessionPlayers)) {
        more.push_back(Join("P" + std::to_string(more.size()), a->Session->ListenPort()));
        ASSERT_TRUE(more.back()->Events.Opened) << "player " << a->Session->Players().size() + 1;
        ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == 3 + more.size(); }));
    }
}

// In a full session a member's announcement of one more player lists nobody, though it is in order.
TEST(RawPeer, AnAnnouncementIntoAFullSessionListsNobody) {
    std::vector<std::unique_ptr<Peer>> peers;
    peers.push_back(Create("A"));
    for (int i = 1; i < MaxSessionPlayers - 1; ++i)
        peers.push_back(Join("P" + std::to_string(i), peers[0]->Session->ListenPort()));
    RawPeer raw(peers[0]->Session->ListenPort());
    RawPeer toB(peers[1]->Session->ListenPort());
    const std::optional<wire::Hello> link = JoinAndLink(raw, toB);
    ASSERT_TRUE(link);
    Peer& b = *peers[1];
    ASSERT_TRUE(WaitFor([&] { return b.Session->Players().size() == std::size_t(MaxSessionPlayers); }));

    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const wire::RosterEntry more{0x5EED0002u, std::uint32_t(MaxSessionPlayers) + 1, loopback, 1, "more"};
    toB.Send(wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce(more)));
    RawPeer late(b.Session->ListenPort());
    wire::Hello h = *link;
    h.Id = more.Id;
    late.SendHello(h);
    EXPECT_FALSE(WaitFor([&] { return b.Session->Players().size() > std::size_t(MaxSessionPlayers); }, 1000));
    EXPECT_EQ(std::ranges::count(b.Events.Added, more.Id), 0);
}

// A player announced but not linked yet cannot be sent to, and one who does not link within the
// handshake's time is forgotten: when he links later, he is nobody.
TEST(RawPeer, AnAnnouncedPlayerWhoDoesNotLinkInTimeIsForgotten) {
    const int handshakeMs = 300;
    auto a = Create("A", LoopbackOptions(10000, handshakeMs));
    auto b = Join("B", a->Session->ListenPort(), LoopbackOptions(10000, handshakeMs));
    RawPeer raw(a->Session->ListenPort());
    RawPeer toB(b->Session->ListenPort());
    const std::optional<wire::Hello> link = JoinAndLink(raw, toB);
    ASSERT_TRUE(link);
    ASSERT_TRUE(WaitFor([&] { return b->Session->Players().size() == 3; }));

    const wire::RosterEntry later{0x5EED0002u, 4, QHostAddress(QHostAddress::LocalHost).toIPv4Address(), 1, "later"};
    toB.Send(wire::EncodeFrame(wire::FrameKind::Announce, wire::EncodeAnnounce(later)));
    toB.Send(wire::EncodeFrame(wire::FrameKind::Data, Block(1)));  // heard once the announcement was read
    ASSERT_TRUE(WaitFor([&] { return b->Events.Messages.size() == 1; }));
    EXPECT_EQ(b->Session->Send(later.Id, Block(2)), SendResult::UnknownPlayer);
    EXPECT_FALSE(WaitFor([&] { return b->Session->Players().size() > 3; }, 4 * handshakeMs));
    RawPeer late(b->Session->ListenPort());
    wire::Hello h = *link;
    h.Id = later.Id;
    late.SendHello(h);
    EXPECT_TRUE(late.WaitClosed());
    EXPECT_EQ(b->Session->Players().size(), 3u);
    EXPECT_TRUE(b->Events.Deleted.empty()) << "never listed, so never reported gone";
}

// Connections that never say hello take at most the handshake's share of a computer, a player's
// link not counted: one more is closed at once, long before the handshake's time runs out.
TEST(RawPeer, AFloodOfSilentConnectionsIsCutAtTheHandshakesShare) {
    auto a = Create("A", LoopbackOptions(60000, 60000));
    auto b = Join("B", a->Session->ListenPort(), LoopbackOptions(60000, 60000));
    ASSERT_TRUE(b->Events.Opened);
    std::vector<std::unique_ptr<RawPeer>> silent;
    for (int i = 0; i <= 2 * MaxSessionPlayers; ++i)
        silent.push_back(std::make_unique<RawPeer>(a->Session->ListenPort()));
    const auto closed = [&] { return std::ranges::count_if(silent, [](const auto& r) { return !r->Connected(); }); };
    EXPECT_TRUE(WaitFor([&] { return closed() > 0; }, 10000));
    EXPECT_FALSE(WaitFor([&] { return closed() > 1; }, 1000));
    // Once the computer has seen them go, a player gets in again.
    silent.clear();
    bool in = false;
    for (int knock = 0; knock < 50 && !in; ++knock) in = Join("C", a->Session->ListenPort())->Events.Opened;
    EXPECT_TRUE(in);
}

// A computer still knocking at a session has none to admit anybody to.
TEST(RawPeer, AComputerStillJoiningAdmitsNobody) {
    QTcpServer silent;  // takes the knock and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    Peer joining{std::make_unique<TcpSession>(LoopbackOptions()), {}};
    joining.Session->SetListener(&joining.Events);
    joining.Session->Join("J", "127.0.0.1", silent.serverPort());
    RawPeer raw(joining.Session->ListenPort());
    EXPECT_EQ(AnswerTo(raw, raw.Hello), wire::Verdict::Malformed);
    EXPECT_TRUE(raw.WaitClosed());
    EXPECT_FALSE(joining.Events.Opened);
}

// A computer closing says goodbye to its players only: a knock still in its handshake is closed
// without a word, which its joiner could only take for another program's.
TEST(RawPeer, AClosingComputerSaysGoodbyeOnlyToItsPlayers) {
    auto a = Create("A");
    RawPeer knocking(a->Session->ListenPort());
    wire::Hello h = knocking.Hello;
    h.Want = wire::Intent::Link;  // a player nobody announced yet
    knocking.SendHello(h);
    RawPeer player(a->Session->ListenPort());  // admitted after the knock was taken
    player.Hello.Id += 1;
    ASSERT_TRUE(player.JoinAs(player.Hello));
    a->Session->Close();
    std::optional<wire::Frame> bye = player.NextFrame();
    ASSERT_TRUE(bye);
    EXPECT_EQ(bye->Kind, wire::FrameKind::Leave);
    EXPECT_TRUE(knocking.WaitClosed());
    EXPECT_FALSE(knocking.NextFrame(0));
}

TEST(RawPeer, AStrangerWhoSaysNothingIsClosedAtTheHandshakesTime) {
    auto a = Create("A", LoopbackOptions(60000, 300));
    RawPeer silent(a->Session->ListenPort());
    EXPECT_TRUE(silent.WaitClosed(5000));
}

TEST(RawPeer, KeepAlivesComeSeveralTimesWithinTheSilenceLimit) {
    const int silenceMs = 2000;
    auto a = Create("A", LoopbackOptions(silenceMs));
    RawPeer raw(a->Session->ListenPort());
    ASSERT_TRUE(raw.JoinAs(raw.Hello));
    // A busy computer only makes gaps longer, so the shortest of several is the session's rhythm:
    // more than two keep-alives within one limit leave room for a late or lost one.
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> at;
    while (at.size() < 7) {
        std::optional<wire::Frame> f = raw.NextFrame(silenceMs);
        ASSERT_TRUE(f) << "after " << at.size() << " keep-alives";
        if (f->Kind != wire::FrameKind::KeepAlive) continue;
        at.push_back(clock.elapsed());
        raw.Send(wire::EncodeFrame(wire::FrameKind::KeepAlive));
    }
    qint64 shortest = silenceMs;
    for (std::size_t i = 1; i < at.size(); ++i) shortest = std::min(shortest, at[i] - at[i - 1]);
    EXPECT_LT(shortest, silenceMs * 2 / 5);
    EXPECT_TRUE(a->Events.Deleted.empty());
    // A keep-alive carries nothing: one with a body is somebody else's speech, and ends the link.
    raw.Send(wire::EncodeFrame(wire::FrameKind::KeepAlive, std::vector<std::uint8_t>(4, 1)));
    EXPECT_TRUE(raw.WaitClosed());
    ASSERT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == 1; }));
}

// A player whose computer stops reading is dropped before what waits for him fills this one's memory.
TEST(RawPeer, APlayerWhoStopsReadingIsDropped) {
    auto a = Create("A", LoopbackOptions(60000, 100));
    QTcpSocket stuck;
    stuck.setReadBufferSize(1024);  // takes no more than this from the connection
    stuck.connectToHost(QHostAddress::LocalHost, a->Session->ListenPort());
    const wire::Hello h{{}, wire::Intent::Join, 0x5EED0001u, 1, "stuck"};
    const std::vector<std::uint8_t> hello = wire::EncodeFrame(wire::FrameKind::Hello, wire::EncodeHello(h));
    stuck.write(reinterpret_cast<const char*>(hello.data()), qint64(hello.size()));
    ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == 2; }));
    const std::vector<std::uint8_t> big(wire::MaxFrameBytes - 1, 7);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(a->Session->Send(h.Id, big), SendResult::Sent);
    EXPECT_TRUE(WaitFor([&] { return a->Events.Deleted.size() == 1; }));
}

TEST(RawPeer, APeerNotYetAdmittedCannotMakeAComputerHoldABigFrame) {
    auto a = Create("A", LoopbackOptions(10000, 10000));
    const auto tooBig = std::uint32_t(MaxHandshakeFrameBytes + 1);
    {
        RawPeer stranger(a->Session->ListenPort());
        stranger.SendHeader(tooBig, wire::FrameKind::Hello);
        EXPECT_TRUE(stranger.WaitClosed(3000)) << "closed on the length alone, long before the handshake time";
    }
    {
        // Linking as a player nobody announced: still a stranger until the announcement comes.
        RawPeer linker(a->Session->ListenPort());
        wire::Hello h = linker.Hello;
        h.Want = wire::Intent::Link;
        linker.SendHello(h);
        linker.SendHeader(1u << 20, wire::FrameKind::Data);
        EXPECT_TRUE(linker.WaitClosed(3000));
    }
    // Once admitted, a player may send the big blocks of the game.
    RawPeer player(a->Session->ListenPort());
    ASSERT_TRUE(player.JoinAs(player.Hello));
    player.Send(wire::EncodeFrame(wire::FrameKind::Data, std::vector<std::uint8_t>(1u << 20, 7)));
    EXPECT_TRUE(WaitFor([&] { return a->Events.Messages.size() == 1; }));
    EXPECT_EQ(a->Events.Messages[0].second.size(), 1u << 20);
    EXPECT_EQ(a->Session->Players().size(), 2u);
}

// Players written by hand around a joiner: A admits him and at once sends a block, B welcomes his
// link, sends a block and leaves, while C has not answered yet. A's block waits for the open and
// follows it; B's goes with him: nobody hears from a player never listed.
TEST(RawPeer, BlocksThatComeBeforeTheOpenFollowItUnlessTheirSenderLeft) {
    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const std::vector<std::uint8_t> welcomed = wire::EncodeFrame(wire::FrameKind::Welcome, wire::EncodeWelcome({}));
    QTcpServer c;  // answers once B is gone
    ASSERT_TRUE(c.listen(QHostAddress::LocalHost, 0));
    QTcpSocket* cLink = nullptr;
    QObject::connect(&c, &QTcpServer::newConnection, [&] { cLink = c.nextPendingConnection(), Recorder::Pulse(); });
    QTcpServer d;  // answers only after D, linked to the joiner the other way, has left
    ASSERT_TRUE(d.listen(QHostAddress::LocalHost, 0));
    QTcpSocket* dLink = nullptr;
    QObject::connect(&d, &QTcpServer::newConnection, [&] { dLink = d.nextPendingConnection(), Recorder::Pulse(); });
    QTcpServer b;
    ASSERT_TRUE(b.listen(QHostAddress::LocalHost, 0));
    bool bGone = false;
    QObject::connect(&b, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = b.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::disconnected, [&] { bGone = true, Recorder::Pulse(); });
        std::vector<std::uint8_t> out = welcomed;
        for (const auto& f :
             {wire::EncodeFrame(wire::FrameKind::Data, Block(5)), wire::EncodeFrame(wire::FrameKind::Leave)})
            out.insert(out.end(), f.begin(), f.end());
        s->write(reinterpret_cast<const char*>(out.data()), qint64(out.size()));
    });
    wire::Welcome w;
    w.Seq = 5;
    w.Players = {{1, 1, 0, 0, "A"},
                 {2, 2, loopback, b.serverPort(), "B"},
                 {3, 3, loopback, c.serverPort(), "C"},
                 {4, 4, loopback, d.serverPort(), "D"}};
    QTcpServer a;
    ASSERT_TRUE(a.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&a, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = a.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, w] {
            if (s->readAll().isEmpty() || s->property("answered").toBool()) return;
            s->setProperty("answered", true);
            std::vector<std::uint8_t> out = wire::EncodeFrame(wire::FrameKind::Welcome, wire::EncodeWelcome(w));
            const std::vector<std::uint8_t> block = wire::EncodeFrame(wire::FrameKind::Data, Block(9));
            out.insert(out.end(), block.begin(), block.end());
            s->write(reinterpret_cast<const char*>(out.data()), qint64(out.size()));
        });
    });

    struct : Recorder {
        bool BlockBeforeOpen = false;
        void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
            BlockBeforeOpen |= !Opened, Recorder::OnMessage(from, b);
        }
    } events;
    TcpSession joiner(LoopbackOptions());
    joiner.SetListener(&events);
    joiner.Join("J", "127.0.0.1", a.serverPort());
    ASSERT_TRUE(WaitFor([&] { return bGone && cLink && dLink; }));
    RawPeer toJ(joiner.ListenPort());
    ASSERT_TRUE(toJ.JoinAs({{}, wire::Intent::Link, 4, 1, "D"}));
    cLink->write(reinterpret_cast<const char*>(welcomed.data()), qint64(welcomed.size()));
    ASSERT_TRUE(WaitFor([&] { return events.Opened; }));
    Drain();  // the blocks kept for the open come right after it
    EXPECT_EQ(events.Messages, (std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>>{{1, Block(9)}}));
    EXPECT_FALSE(events.BlockBeforeOpen);
    EXPECT_EQ(RosterIds(joiner).size(), 4u);
    // D leaves while the joiner's knock at him waits: its late answer links nobody.
    bool dRetired = false;
    QObject::connect(dLink, &QTcpSocket::disconnected, [&] { dRetired = true, Recorder::Pulse(); });
    toJ.Send(wire::EncodeFrame(wire::FrameKind::Leave));
    ASSERT_TRUE(WaitFor([&] { return events.Deleted == std::vector<PlayerId>{4}; }));
    dLink->write(reinterpret_cast<const char*>(welcomed.data()), qint64(welcomed.size()));
    EXPECT_TRUE(WaitFor([&] { return dRetired; }));
    EXPECT_EQ(RosterIds(joiner), (std::vector<PlayerId>{1, 3, joiner.LocalId()}));
}

}  // namespace
}  // namespace korvant::test
