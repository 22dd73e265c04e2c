// Sessions through a real mosquitto on loopback: the roster in joining order, the three kinds of
// send byte for byte, leaving cleanly or by the will, refusals, the broker lost, and strangers on
// the same broker who try to speak for a player, take his advert or die in his name.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

#include "session/broker_search.h"
#include "session/broker_session.h"
#include "session/chosen_session.h"
#include "session/mqtt_client.h"
#include "support/process/mosquitto_process.h"
#include "support/session/session_test_support.h"

namespace korvant::test {
namespace {

using namespace wire::broker;

// Counts the blocks heard while their sender is not on the roster shown.
struct BrokerRecorder : Recorder {
    const Session* Of = nullptr;
    int FromUnlisted = 0;
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        if (Of && std::ranges::none_of(Of->Players(), [&](const SessionPlayer& p) { return p.Id == from; }))
            ++FromUnlisted;
        Recorder::OnMessage(from, b);
    }
};

struct BrokerPeer {
    std::unique_ptr<BrokerSession> Session;
    BrokerRecorder Events;
    PlayerId Id() const { return Session->LocalId(); }
};

class BrokerSessionTest : public ::testing::Test {
protected:
    explicit BrokerSessionTest(const std::string& config = {}) : broker_(config) {}

    void SetUp() override {
        ASSERT_TRUE(broker_.Running()) << broker_.Error();
        where_ = {"127.0.0.1", broker_.Port(), false};
    }

    std::unique_ptr<BrokerPeer> Create(const std::string& name, const std::string& password = {}) {
        auto p = std::make_unique<BrokerPeer>();
        p->Session = std::make_unique<BrokerSession>();
        p->Events.Of = p->Session.get();
        p->Session->SetListener(&p->Events);
        p->Session->Create(where_, name, password);
        return p;
    }

    // A joiner who has knocked; Join also waits for his session's answer.
    std::unique_ptr<BrokerPeer> Knock(const std::string& name, const std::string& session,
                                      const std::string& password = {}, const BrokerSessionOptions& options = {}) {
        auto p = std::make_unique<BrokerPeer>();
        p->Session = std::make_unique<BrokerSession>(options);
        p->Events.Of = p->Session.get();
        p->Session->SetListener(&p->Events);
        p->Session->Join(where_, name, session, password);
        return p;
    }
    std::unique_ptr<BrokerPeer> Join(const std::string& name, const std::string& session,
                                     const std::string& password = {}, const BrokerSessionOptions& options = {}) {
        auto p = Knock(name, session, password, options);
        WaitFor([&] { return p->Events.Opened || p->Events.Failed; });
        return p;
    }

    // A creator "P0" and joiners P1.. of his session, once every one lists all.
    std::vector<std::unique_ptr<BrokerPeer>> Session(int n) {
        std::vector<std::unique_ptr<BrokerPeer>> peers;
        peers.push_back(Create("P0"));
        for (int i = 1; i < n; ++i) {
            peers.push_back(Join("P" + std::to_string(i), "p0"));  // found by name, letter case aside
            EXPECT_TRUE(peers.back()->Events.Opened) << "player " << i;
        }
        WaitForRosters(peers, n);
        return peers;
    }

    static bool WaitForRosters(const std::vector<std::unique_ptr<BrokerPeer>>& peers, std::size_t n) {
        return WaitFor([&] {
            return std::ranges::all_of(peers, [&](const auto& p) { return p->Session->Players().size() == n; });
        });
    }

    static void ExpectOneRoster(const std::vector<std::unique_ptr<BrokerPeer>>& peers) {
        std::vector<PlayerId> order;
        for (const auto& p : peers) order.push_back(p->Id());
        for (const auto& p : peers) {
            EXPECT_EQ(RosterIds(*p->Session), order);
            for (const SessionPlayer& pl : p->Session->Players()) EXPECT_EQ(pl.Remote, pl.Id != p->Id());
        }
    }

    MosquittoProcess broker_;
    BrokerAddress where_;
};

std::vector<std::uint8_t> Block(std::uint8_t tag, std::size_t n = 8) { return std::vector<std::uint8_t>(n, tag); }

// A bare MQTT client on the same broker that writes whatever it likes.
struct Stranger {
    MqttClient Client;
    bool Connected = false;
    std::vector<std::pair<std::string, std::optional<Presence>>> Heard;
    std::vector<std::vector<std::uint8_t>> Payloads;  // of what he heard, in the same order

    // Once the broker has taken him, so that his will counts.
    explicit Stranger(const BrokerAddress& where, PlayerId id, MqttClient::Will will = {}) {
        Client.Connected = [this](bool) { Connected = true, Recorder::Pulse(); };
        Client.Message = [this](const std::string& topic, std::span<const std::uint8_t> payload) {
            Heard.emplace_back(topic, ParsePresence(payload));
            Payloads.emplace_back(payload.begin(), payload.end());
            Recorder::Pulse();
        };
        EXPECT_TRUE(Client.Connect(where, IdText(id), will, 60));
        EXPECT_TRUE(WaitFor([this] { return Connected; }));
    }
    bool HeardStanding(PlayerId id, Standing now) const {
        return std::ranges::any_of(
            Heard, [&](const auto& h) { return h.first == PresenceTopic(id) && h.second && h.second->Now == now; });
    }
    void Write(PlayerId to, PlayerId as, Note kind, std::span<const std::uint8_t> body, std::uint64_t token = 12345) {
        Client.Publish(InboxTopic(to, as), EncodeLetter(kind, token, body));
    }
};

std::vector<std::uint8_t> GoneRecord(PlayerId id, std::uint64_t token) {
    return EncodePresence({{}, id, token, Standing::Gone, 0, false, "P0", "x"});
}

TEST_F(BrokerSessionTest, JoinersShareOneRosterInJoiningOrderAndBlocksArriveByteForByte) {
    auto peers = Session(4);
    ExpectOneRoster(peers);
    BrokerPeer &a = *peers[0], &b = *peers[1], &c = *peers[2], &d = *peers[3];
    // The local player is reported right after the open; the creator then hears of each joiner.
    EXPECT_EQ(d.Events.Added, std::vector<PlayerId>{d.Id()});
    EXPECT_EQ(a.Events.Added, RosterIds(*a.Session));

    std::vector<std::uint8_t> large(wire::MaxFrameBytes - 1);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = std::uint8_t(i * 7 + i / 251);
    EXPECT_EQ(b.Session->Send(c.Id(), large), SendResult::Sent);
    EXPECT_EQ(a.Session->Send(ToAllOthers, Block(2, 100000)), SendResult::Sent);
    EXPECT_EQ(d.Session->Send(d.Id(), Block(3)), SendResult::Sent);
    EXPECT_EQ(d.Events.Messages.size(), 1u);  // before the send returned
    EXPECT_EQ(c.Session->Send(ToAllOthers, std::vector<std::uint8_t>{1, 2, 3}), SendResult::IllegalForm);
    EXPECT_EQ(c.Session->Send(ToAllOthers, std::vector<std::uint8_t>(wire::MaxFrameBytes)), SendResult::TooLarge);
    EXPECT_EQ(c.Session->Send(12345, Block(4)), SendResult::UnknownPlayer);
    for (std::uint8_t i = 0; i < 50; ++i) c.Session->Send(a.Id(), Block(100 + i));

    ASSERT_TRUE(Settle(peers));
    ASSERT_EQ(a.Events.Messages.size(), 50u);
    for (std::uint8_t i = 0; i < 50; ++i) EXPECT_EQ(a.Events.Messages[i].second, Block(100 + i));
    EXPECT_EQ(b.Events.Messages.size(), 1u);
    EXPECT_EQ(c.Events.Messages[0].first == b.Id() ? c.Events.Messages[0].second : c.Events.Messages[1].second, large);
    EXPECT_EQ(d.Events.Messages.back(), std::pair(a.Id(), Block(2, 100000)));
}

TEST_F(BrokerSessionTest, TheOthersGoOnWhenTheCreatorLeavesAndTheNextAdmits) {
    auto peers = Session(3);
    PlayerId creator = peers[0]->Id();
    EXPECT_TRUE(peers[0]->Session->IsOpen());
    peers[0]->Session->Close();
    EXPECT_TRUE(peers[0]->Session->Players().empty());
    EXPECT_FALSE(peers[0]->Session->IsOpen());
    EXPECT_EQ(peers[0]->Session->LocalId(), 0u);
    peers.erase(peers.begin());
    ASSERT_TRUE(WaitForRosters(peers, 2));
    for (const auto& p : peers) EXPECT_EQ(p->Events.Deleted, std::vector<PlayerId>{creator});

    // The session keeps its creator's name as he wrote it, though its new admitter typed "p0".
    Stranger reader(where_, 0x0000BEEFu);
    reader.Client.Subscribe(PresenceTopic(peers[0]->Id()));
    ASSERT_TRUE(WaitFor([&] { return reader.HeardStanding(peers[0]->Id(), Standing::Admitting); }));
    EXPECT_EQ(std::ranges::find_if(reader.Heard,
                                   [](const auto& h) { return h.second && h.second->Now == Standing::Admitting; })
                  ->second->Session,
              "P0");
    // The earliest player left admits.
    peers.push_back(Join("E", "P0"));
    ASSERT_TRUE(peers.back()->Events.Opened);
    ASSERT_TRUE(WaitForRosters(peers, 3));
    ExpectOneRoster(peers);
    peers[2]->Session->Send(ToAllOthers, Block(5));
    EXPECT_TRUE(
        WaitFor([&] { return peers[0]->Events.Messages.size() == 1 && peers[1]->Events.Messages.size() == 1; }));
}

// A leave right after many blocks (a server's last year to every player) still delivers them all,
// then the leave.
TEST_F(BrokerSessionTest, EverythingSentBeforeALeaveArrivesBeforeIt) {
    auto peers = Session(2);
    for (int i = 0; i < 100; ++i) peers[0]->Session->Send(ToAllOthers, Block(std::uint8_t(i), 20000));
    peers[0]->Session->Close();
    EXPECT_EQ(peers[0]->Session->Send(ToAllOthers, Block(1)), SendResult::NotOpen);
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Deleted.size() == 1; }));
    ASSERT_EQ(peers[1]->Events.Messages.size(), 100u);
    EXPECT_EQ(peers[1]->Events.Messages.back().second, Block(99, 20000));
}

TEST_F(BrokerSessionTest, RefusalsAreTheTcpSessionsVerdicts) {
    auto a = Create("A", "secret");
    ASSERT_TRUE(a->Events.Opened);  // before Create returned
    EXPECT_EQ(Join("B", "A")->Events.Failed, OpenError::WrongPassword);
    EXPECT_EQ(Join("B", "A", "guess")->Events.Failed, OpenError::WrongPassword);
    auto b = Join("B", "A", "secret");
    EXPECT_TRUE(b->Events.Opened);
    EXPECT_EQ(Join("b", "A", "secret")->Events.Failed, OpenError::NameTaken);
    EXPECT_EQ(Join("a", "A", "secret")->Events.Failed, OpenError::NameTaken);  // the admitter's own name
    EXPECT_EQ(Create("a")->Events.Failed, OpenError::NameTaken);               // a second session of that name
    EXPECT_EQ(Join("C", "nobody")->Events.Failed, OpenError::ConnectFailed);
    EXPECT_EQ(a->Session->Players().size(), 2u);
    // A session of that name only another version of the game serves.
    Stranger newer(where_, 0x0000AE12u);
    wire::Identity other;
    other.Version = wire::ProtocolVersion + 1;
    newer.Client.Publish(PresenceTopic(0x0000AE12u),
                         EncodePresence({other, 0x0000AE12u, 0, Standing::Admitting, 1, false, "Newer", "Newer"}),
                         true);
    EXPECT_EQ(Join("C", "Newer")->Events.Failed, OpenError::OtherVersion);
    // A stale advert: its player no longer admits and sends the joiner on, with nobody else to ask.
    const PlayerId stale = 0x0000A1D0u;
    Stranger former(where_, stale);
    former.Client.Message = [&](const std::string& topic, std::span<const std::uint8_t>) {
        if (std::optional<PlayerId> from = InboxSenderOf(topic, stale))
            former.Write(*from, stale, Note::Answer, EncodeAnswer({{}, wire::Verdict::Redirect, 0, {}}));
    };
    former.Client.Subscribe(InboxFilter(stale));
    former.Client.Publish(PresenceTopic(stale),
                          EncodePresence({{}, stale, 0, Standing::Admitting, 2, false, "Stale", "Stale"}), true);
    EXPECT_EQ(Join("C", "Stale")->Events.Failed, OpenError::ConnectFailed);
    // Nobody to knock at: an admitter's will, and an advert whose text names another player than
    // its topic does.
    former.Client.Publish(PresenceTopic(stale + 1),
                          EncodePresence({{}, stale + 1, 5, Standing::Gone, 1, false, "Dead", "Dead"}), true);
    former.Client.Publish(PresenceTopic(stale + 2),
                          EncodePresence({{}, stale + 3, 0, Standing::Admitting, 1, false, "Twisted", "T"}), true);
    EXPECT_EQ(Join("C", "Dead")->Events.Failed, OpenError::ConnectFailed);
    EXPECT_EQ(Join("C", "Twisted")->Events.Failed, OpenError::ConnectFailed);
    // An advert whose player never answers: the join gives up at its limit.
    former.Client.Publish(PresenceTopic(stale + 4),
                          EncodePresence({{}, stale + 4, 0, Standing::Admitting, 1, false, "Mute", "Mute"}), true);
    BrokerSession knocking({.HandshakeTimeout = std::chrono::milliseconds(1000)});
    Recorder unanswered;
    knocking.SetListener(&unanswered);
    knocking.Join(where_, "C", "Mute");
    EXPECT_EQ(knocking.Send(ToAllOthers, Block(1)), SendResult::NotOpen);
    EXPECT_TRUE(WaitFor([&] { return unanswered.Failed.has_value(); }));
    EXPECT_EQ(unanswered.Failed, OpenError::Timeout);
    // Joining again, it has forgotten whom it knocked at: a refusal is told at once as such.
    unanswered.Failed.reset();
    knocking.Join(where_, "C", "A", "guess");
    EXPECT_TRUE(WaitFor([&] { return unanswered.Failed.has_value(); }));
    EXPECT_EQ(unanswered.Failed, OpenError::WrongPassword);
    // Nor does it keep that refusal: a join finding only the stale advert fails as such.
    unanswered.Failed.reset();
    knocking.Join(where_, "C", "Stale");
    EXPECT_TRUE(WaitFor([&] { return unanswered.Failed.has_value(); }));
    EXPECT_EQ(unanswered.Failed, OpenError::ConnectFailed);

    BrokerSession none;
    Recorder events;
    none.SetListener(&events);
    none.Create({"127.0.0.1", FreePort(), false}, "Z");
    EXPECT_EQ(events.Failed, OpenError::ConnectFailed);  // told before Create returned
    // A broker asked for by its encrypted address is never spoken to in the clear.
    BrokerSession clear({.HandshakeTimeout = std::chrono::milliseconds(1000)});
    Recorder clearEvents;
    clear.SetListener(&clearEvents);
    clear.Create({"127.0.0.1", broker_.Port(), true}, "T");
    EXPECT_TRUE(clearEvents.Failed && !clearEvents.Opened);  // told before Create returned
    // A broker that takes the connection but never answers: the create gives up at its limit.
    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress::LocalHost));
    BrokerSession waiting({.HandshakeTimeout = std::chrono::milliseconds(300)});
    Recorder timedOut;
    waiting.SetListener(&timedOut);
    waiting.Create({"127.0.0.1", mute.serverPort(), false}, "Y");
    EXPECT_EQ(timedOut.Failed, OpenError::Timeout);
    BrokerSession waitingJoin({.HandshakeTimeout = std::chrono::milliseconds(300)});
    Recorder joinTimedOut;
    waitingJoin.SetListener(&joinTimedOut);
    waitingJoin.Join({"127.0.0.1", mute.serverPort(), false}, "Y", "Z");
    EXPECT_TRUE(WaitFor([&] { return joinTimedOut.Failed.has_value(); }));
    EXPECT_EQ(joinTimedOut.Failed, OpenError::Timeout);
    // A broker that refuses the connection: neither open gets through.
    MosquittoProcess closed("allow_anonymous false\n");
    ASSERT_TRUE(closed.Running()) << closed.Error();
    BrokerSession refused, refusedJoin;
    Recorder refusedEvents, refusedJoinEvents;
    refused.SetListener(&refusedEvents);
    refusedJoin.SetListener(&refusedJoinEvents);
    refused.Create({"127.0.0.1", closed.Port(), false}, "X");
    EXPECT_EQ(refusedEvents.Failed, OpenError::ConnectFailed);
    refusedJoin.Join({"127.0.0.1", closed.Port(), false}, "X", "A");
    EXPECT_TRUE(WaitFor([&] { return refusedJoinEvents.Failed.has_value(); }));
    EXPECT_EQ(refusedJoinEvents.Failed, OpenError::ConnectFailed);
    EXPECT_FALSE(refusedEvents.Lost || refusedJoinEvents.Lost);
}

// The admitter counts himself among the players: knocks fill the session to its limit, and the
// next one is told that it is full.
TEST_F(BrokerSessionTest, AFullSessionRefusesTheNextKnock) {
    auto a = Create("A");
    Stranger knocker(where_, 0x0000B000u);
    const PlayerId last = 0x0000B000u + MaxSessionPlayers;
    knocker.Client.Subscribe(InboxTopic(last, a->Id()));
    for (PlayerId id = 0x0000B001u; id <= last; ++id) {
        if (id == last) ASSERT_TRUE(WaitFor([&] { return a->Session->Players().size() == MaxSessionPlayers; }));
        knocker.Write(a->Id(), id, Note::Knock, EncodeKnock({{}, "K" + std::to_string(id), ""}));
    }
    ASSERT_TRUE(WaitFor([&] { return !knocker.Payloads.empty(); }));
    const std::optional<Letter> letter = ParseLetter(knocker.Payloads.front());
    ASSERT_TRUE(letter);
    const std::optional<Answer> answer = ParseAnswer(letter->Body, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Said, wire::Verdict::Full);
    EXPECT_EQ(a->Session->Players().size(), std::size_t(MaxSessionPlayers));
}

TEST_F(BrokerSessionTest, TheSearchListsTheOpenSessionsOnce) {
    auto peers = Session(2);
    auto q = Create("Q", "pw");
    auto leaving = Create("Gone");
    const PlayerId left = leaving->Id();
    Stranger watcher(where_, 0x0000E1E1u);
    watcher.Client.Subscribe(PresenceTopic(left));
    ASSERT_TRUE(WaitFor([&] { return watcher.HeardStanding(left, Standing::Admitting); }));
    leaving->Session->Close();  // his advert is taken down
    Drain();
    // An advert of another version of the game stays out of the list.
    Stranger newer(where_, 0x0000AE11u);
    wire::Identity other;
    other.Version = wire::ProtocolVersion + 1;
    newer.Client.Subscribe(PresenceTopic(0x0000AE11u));
    newer.Client.Publish(PresenceTopic(0x0000AE11u),
                         EncodePresence({other, 0x0000AE11u, 0, Standing::Admitting, 1, false, "Newer", "Newer"}),
                         true);
    ASSERT_TRUE(WaitFor([&] { return !newer.Heard.empty(); }));
    // An advert whose text names another player than its topic does is nobody's.
    newer.Client.Publish(PresenceTopic(0x0000AE13u),
                         EncodePresence({{}, 0x0000AE14u, 0, Standing::Admitting, 1, false, "Twisted", "T"}), true);
    // An admitting player who vanished: his will takes his advert down.
    const PlayerId lost = 0x0000DEADu;
    newer.Client.Subscribe(PresenceTopic(lost));
    {
        Stranger vanished(where_, lost, {PresenceTopic(lost), GoneRecord(lost, 5)});
        vanished.Client.Publish(PresenceTopic(lost),
                                EncodePresence({{}, lost, 5, Standing::Admitting, 1, false, "Lost", "Lost"}), true);
        ASSERT_TRUE(WaitFor([&] { return newer.HeardStanding(lost, Standing::Admitting); }));
    }
    ASSERT_TRUE(WaitFor([&] { return newer.HeardStanding(lost, Standing::Gone); }));
    BrokerSearch search;
    std::vector<FoundOnBroker> found;
    bool finished = false;
    QObject::connect(&search, &BrokerSearch::Found,
                     [&](const FoundOnBroker& f) { found.push_back(f), Recorder::Pulse(); });
    QObject::connect(&search, &BrokerSearch::Finished, [&] { finished = true, Recorder::Pulse(); });
    ASSERT_TRUE(search.Search(where_));
    ASSERT_TRUE(WaitFor([&] { return finished; }));
    std::ranges::sort(found, {}, &FoundOnBroker::Session);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Session, "P0");
    EXPECT_EQ(found[0].Players, 2);
    EXPECT_FALSE(found[0].Password);
    EXPECT_EQ(found[1].Session, "Q");
    EXPECT_TRUE(found[1].Password);
    // A finished search has left the broker: a session opened after it is not reported.
    Stranger later(where_, 0x0000E1E2u);
    later.Client.Subscribe(PresenceFilter);
    auto r = Create("R");
    ASSERT_TRUE(WaitFor([&] { return later.HeardStanding(r->Id(), Standing::Admitting); }));
    EXPECT_FALSE(WaitFor([&] { return found.size() > 2; }, 500));
    // His signed leave, and no will after it.
    EXPECT_EQ(std::ranges::count_if(watcher.Heard,
                                    [&](const auto& h) { return h.second && h.second->Now == Standing::Gone; }),
              1);
    EXPECT_FALSE(search.Search({"127.0.0.1", FreePort(), false}));
    // A broker that hangs up before the probe comes back ends the search as well.
    QTcpServer hangsUp;
    ASSERT_TRUE(hangsUp.listen(QHostAddress::LocalHost));
    QObject::connect(&hangsUp, &QTcpServer::newConnection, [&] { hangsUp.nextPendingConnection()->abort(); });
    finished = false;
    ASSERT_TRUE(search.Search({"127.0.0.1", hangsUp.serverPort(), false}));
    EXPECT_TRUE(WaitFor([&] { return finished; }));
}

TEST_F(BrokerSessionTest, AVanishedPlayerIsRemovedByHisWillAndALostBrokerLosesTheSession) {
    auto peers = Session(1);
    // A player by hand: admitted properly, then gone without a word. The next joiner hears of
    // him in his admission, and so listens for his will too.
    const PlayerId id = 0x0BADF00Du;
    const std::uint64_t token = 777;
    {
        Stranger hand(where_, id, {PresenceTopic(id), GoneRecord(id, token)});

        hand.Client.Subscribe(InboxFilter(id));
        hand.Write(peers[0]->Id(), id, Note::Knock, EncodeKnock({{}, "Hand", ""}), token);
        ASSERT_TRUE(WaitForRosters(peers, 2));
        peers.push_back(Join("P1", "P0"));
        ASSERT_TRUE(WaitForRosters(peers, 3));
        // His announcement of himself, repeated, lists him once; a block of his comes after it.
        hand.Write(peers[1]->Id(), id, Note::Announce, EncodeMember({id, 2, token, "Hand"}), token);
        hand.Write(peers[1]->Id(), id, Note::Data, Block(4), token);
        ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Messages.size() == 1; }));
        EXPECT_EQ(peers[1]->Session->Players().size(), 3u);
    }  // destroyed without leaving: the broker sends the will
    EXPECT_TRUE(WaitForRosters(peers, 2));
    EXPECT_EQ(peers[1]->Events.Deleted, std::vector<PlayerId>{id});

    broker_.Kill();
    EXPECT_TRUE(WaitFor([&] { return peers[0]->Events.Lost && peers[1]->Events.Lost; }));
    EXPECT_FALSE(peers[0]->Session->IsOpen());
    EXPECT_TRUE(peers[0]->Session->Players().empty());
}

// A newcomer's block can reach a player before the admitter's announcement of him does (another
// path through a cluster): it is kept and delivered once he is on the roster, after his arrival.
// Only the last 16 such letters are kept.
TEST_F(BrokerSessionTest, ABlockThatOvertakesItsSendersAnnouncementComesAfterIt) {
    auto peers = Session(2);
    const PlayerId id = 0x0E4A1Du;
    const std::uint64_t token = 4242;
    Stranger hand(where_, id);
    hand.Client.Subscribe(InboxFilter(id));
    hand.Write(peers[1]->Id(), id, Note::Data, Block(5), token);  // the 17th letter pushes it out
    hand.Write(peers[1]->Id(), id, Note::Data, Block(6), token);
    hand.Write(peers[1]->Id(), id, Note::Data, Block(3), 999);  // not the token he is admitted with
    std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>> expected{{id, Block(6)}};
    for (std::uint8_t i = 20; i < 34; ++i) {
        hand.Write(peers[1]->Id(), id, Note::Data, Block(i), token);
        expected.emplace_back(id, Block(i));
    }
    hand.Write(peers[0]->Id(), id, Note::Knock, EncodeKnock({{}, "Hand", ""}), token);
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Messages.size() >= expected.size(); }));
    Drain();
    EXPECT_EQ(peers[1]->Events.Added.back(), id);
    EXPECT_EQ(peers[1]->Events.Messages, expected);
    EXPECT_EQ(peers[1]->Events.FromUnlisted, 0);
}

// A letter from somebody not announced is kept for the handshake's time only: a player admitted
// long after his first block was heard brings only what he sent since.
TEST_F(BrokerSessionTest, ABlockLongBeforeItsSendersAnnouncementIsForgotten) {
    auto a = Create("A");
    const auto joined = Join("B", "A", {}, {.HandshakeTimeout = std::chrono::milliseconds(300)});
    BrokerPeer& b = *joined;
    ASSERT_TRUE(WaitFor([&] { return b.Events.Opened && a->Session->Players().size() == 2; }));
    const PlayerId id = 0x0E4A1Eu;
    const std::uint64_t token = 4343;
    Stranger hand(where_, id);
    hand.Write(b.Id(), id, Note::Data, Block(5), token);
    EXPECT_FALSE(WaitFor([&] { return !b.Events.Messages.empty(); }, 1600));  // past the limit and a sweep
    hand.Write(b.Id(), id, Note::Data, Block(6), token);
    hand.Write(a->Id(), id, Note::Knock, EncodeKnock({{}, "Hand", ""}), token);
    ASSERT_TRUE(WaitFor([&] { return !b.Events.Messages.empty(); }));
    Drain();
    EXPECT_EQ(b.Events.Messages, (std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>>{{id, Block(6)}}));
}

// The admitter answers every knock it cannot take with the reason, and lists nobody new.
TEST_F(BrokerSessionTest, AKnockIsAnsweredWithItsRefusal) {
    auto peers = Session(2);
    BrokerPeer &a = *peers[0], &b = *peers[1];
    Stranger s(where_, 0x0000C0C0u);
    const PlayerId first = 0x0000C0C1u, older = 0x0000C0C2u, cut = 0x0000C0C3u;
    for (PlayerId id : {first, older, cut, b.Id()}) s.Client.Subscribe(InboxFilter(id));
    wire::Identity other;
    other.Version = wire::ProtocolVersion + 1;
    std::vector<std::uint8_t> padded = EncodeKnock({{}, "Cut", ""});
    padded.push_back(0);
    s.Write(b.Id(), first, Note::Knock, EncodeKnock({{}, "First", ""}));  // b does not admit
    s.Write(a.Id(), older, Note::Knock, EncodeKnock({other, "Older", ""}));
    s.Write(a.Id(), cut, Note::Knock, padded);
    s.Write(a.Id(), b.Id(), Note::Knock, EncodeKnock({{}, "Twin", ""}));  // b's id, present already
    const auto verdict = [&](PlayerId to, PlayerId from) -> std::optional<wire::Verdict> {
        for (std::size_t i = 0; i < s.Heard.size(); ++i) {
            if (s.Heard[i].first != InboxTopic(to, from)) continue;
            std::optional<Letter> l = ParseLetter(s.Payloads[i]);
            if (l && l->Kind == Note::Answer)
                if (std::optional<Answer> ans = ParseAnswer(l->Body, {})) return ans->Said;
        }
        return std::nullopt;
    };
    ASSERT_TRUE(WaitFor([&] {
        return verdict(first, b.Id()) && verdict(older, a.Id()) && verdict(cut, a.Id()) && verdict(b.Id(), a.Id());
    }));
    EXPECT_EQ(verdict(first, b.Id()), wire::Verdict::Redirect);
    EXPECT_EQ(verdict(older, a.Id()), wire::Verdict::OtherVersion);
    EXPECT_EQ(verdict(cut, a.Id()), wire::Verdict::Malformed);
    EXPECT_EQ(verdict(b.Id(), a.Id()), wire::Verdict::IdTaken);
    EXPECT_TRUE(Settle(peers));
    EXPECT_EQ(a.Session->Players().size(), 2u);
    EXPECT_EQ(b.Session->Players().size(), 2u);
}

// An admission by hand: a joiner takes only one that lists its admitter with the token he signs
// with, leaves the joiner out and places him after everybody; an admission he did not knock for is
// no answer, a refusal waits for the other admitters, and a block that came before it is his.
TEST_F(BrokerSessionTest, AJoinerTakesOnlyASoundAdmission) {
    const PlayerId x1 = 0x00A11001u, x2 = 0x00A11002u, m = 0x00A11003u, x3 = 0x00A11004u;
    const std::uint64_t t1 = 1001, t2 = 2002, tm = 3003;
    Stranger hand(where_, 0x00A11000u);
    std::vector<std::pair<PlayerId, PlayerId>> knocks;  // joiner, knocked at
    hand.Client.Message = [&](const std::string& topic, std::span<const std::uint8_t>) {
        for (PlayerId at : {x1, x2})
            if (std::optional<PlayerId> from = InboxSenderOf(topic, at)) knocks.emplace_back(*from, at);
        Recorder::Pulse();
    };
    hand.Client.Subscribe(InboxFilter(x1));
    hand.Client.Subscribe(InboxFilter(x2));
    const auto advert = [&](PlayerId at, const std::string& session) {
        hand.Client.Publish(PresenceTopic(at), EncodePresence({{}, at, 0, Standing::Admitting, 2, false, session, "X"}),
                            true);
    };
    const auto answer = [&](PlayerId to, PlayerId from, std::uint64_t token, std::uint32_t seq,
                            std::vector<Member> players) {
        hand.Write(to, from, Note::Answer, EncodeAnswer({{}, wire::Verdict::Accepted, seq, std::move(players)}), token);
    };
    advert(x1, "Bad");
    const std::vector<std::pair<std::uint32_t, std::vector<Member>>> unsound{
        {2, {{m, 1, tm, "M"}}},                    // the admitter is not on it
        {2, {{x1, 1, 999, "X"}}},                  // nor with the token he signs with
        {3, {{x1, 1, t1, "X"}, {0, 2, 5, "J"}}},   // the joiner is (his id put in below)
        {2, {{x1, 1, t1, "X"}, {m, 2, tm, "M"}}},  // the joiner's place is taken
    };
    for (std::size_t i = 0; i < unsound.size(); ++i) {
        knocks.clear();
        auto p = Knock("J", "Bad");
        ASSERT_TRUE(WaitFor([&] { return !knocks.empty(); })) << i;
        std::vector<Member> players = unsound[i].second;
        for (Member& pl : players)
            if (pl.Id == 0) pl.Id = knocks[0].first;
        answer(knocks[0].first, x1, t1, unsound[i].first, players);
        ASSERT_TRUE(WaitFor([&] { return p->Events.Opened || p->Events.Failed; })) << i;
        EXPECT_EQ(p->Events.Failed, OpenError::ProtocolError) << i;
    }

    advert(x1, "Good");
    advert(x2, "Good");
    knocks.clear();
    auto j = Knock("J", "Good");
    ASSERT_TRUE(WaitFor([&] { return knocks.size() >= 2; }));
    const PlayerId joiner = knocks[0].first;
    answer(joiner, x3, 5, 2, {{x3, 1, 5, "X3"}});  // he did not knock there
    hand.Write(joiner, m, Note::Data, Block(7), tm);
    hand.Write(joiner, m, Note::Data, Block(8), 999);
    hand.Write(joiner, m, Note::Data, Block(9, MinBlockBytes - 1), tm);
    hand.Write(joiner, x1, Note::Answer, EncodeAnswer({{}, wire::Verdict::Redirect, 0, {}}), t1);
    answer(joiner, x2, t2, 3, {{x2, 1, t2, "X2"}, {m, 2, tm, "M"}});
    ASSERT_TRUE(WaitFor([&] { return j->Events.Opened || j->Events.Failed; }));
    ASSERT_TRUE(j->Events.Opened);
    EXPECT_EQ(RosterIds(*j->Session), (std::vector<PlayerId>{x2, m, joiner}));
    hand.Write(joiner, m, Note::Data, Block(10, MinBlockBytes), tm);
    ASSERT_TRUE(WaitFor([&] { return j->Events.Messages.size() >= 2; }));
    EXPECT_EQ(j->Events.Messages, (std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>>{
                                      {m, Block(7)}, {m, Block(10, MinBlockBytes)}}));
    EXPECT_EQ(j->Events.FromUnlisted, 0);  // the early block comes after the open
}

// A member announces newcomers: one placed before this player or far past the last is listed by
// nobody, nor anyone once the session is full.
TEST_F(BrokerSessionTest, AnnouncementsOutOfOrderOrIntoAFullSessionListNobody) {
    auto peers = Session(1);
    const PlayerId id = 0x0A770000u;
    const std::uint64_t token = 6161;
    Stranger hand(where_, id);
    hand.Client.Subscribe(InboxFilter(id));
    hand.Write(peers[0]->Id(), id, Note::Knock, EncodeKnock({{}, "Hand", ""}), token);  // admitted second
    ASSERT_TRUE(WaitForRosters(peers, 2));
    peers.push_back(Join("P2", "P0"));  // third
    ASSERT_TRUE(WaitForRosters(peers, 3));
    BrokerSession& p2 = *peers[1]->Session;
    const auto announce = [&](PlayerId who, std::uint32_t seq) {
        hand.Write(p2.LocalId(), id, Note::Announce, EncodeMember({who, seq, 1, "N" + std::to_string(who)}), token);
    };
    announce(p2.LocalId(), 5);
    announce(id + 1, 3);   // his own place
    announce(id + 2, 24);  // more than a full session past the last
    announce(id + 3, 23);
    std::vector<PlayerId> listed{id + 3};
    for (PlayerId n = 4; n <= 20; ++n) {  // up to a full session, then one more
        announce(id + n, 20 + n);
        if (n != 20) listed.push_back(id + n);
    }
    hand.Write(p2.LocalId(), id, Note::Data, Block(1), token);
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Messages.size() == 1; }));
    EXPECT_EQ(p2.Players().size(), std::size_t(MaxSessionPlayers));
    std::vector<PlayerId> added = peers[1]->Events.Added;
    std::erase_if(added, [&](PlayerId p) { return p <= id || p > id + 20; });
    EXPECT_EQ(added, listed);
}

// A player the broker loses without a word (another connection took his name) loses his session,
// and his will takes him off the others' rosters.
TEST_F(BrokerSessionTest, APlayerTheBrokerLosesIsRemovedByHisOwnWill) {
    auto peers = Session(3);
    const PlayerId lost = peers[1]->Id();
    {
        Stranger impostor(where_, lost);
        ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Lost; }));
    }
    peers.erase(peers.begin() + 1);
    ASSERT_TRUE(WaitForRosters(peers, 2));
    for (const auto& p : peers) EXPECT_EQ(p->Events.Deleted, std::vector<PlayerId>{lost});
}

// The dialog reuses one session for every try: what a closed or failed open knew is forgotten.
TEST_F(BrokerSessionTest, AReusedSessionOpensAfresh) {
    auto peers = Session(2);
    BrokerSession& b = *peers[1]->Session;
    b.Close();
    b.Create(where_, "Again");
    EXPECT_EQ(RosterIds(b), std::vector<PlayerId>{b.LocalId()});
    b.Close();
    Stranger newer(where_, 0x0000AE15u);
    wire::Identity other;
    other.Version = wire::ProtocolVersion + 1;
    newer.Client.Publish(PresenceTopic(0x0000AE15u),
                         EncodePresence({other, 0x0000AE15u, 0, Standing::Admitting, 1, false, "Newer", "Newer"}),
                         true);
    peers[1]->Events.Failed.reset();
    b.Join(where_, "B", "Newer");
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Failed.has_value(); }));
    EXPECT_EQ(peers[1]->Events.Failed, OpenError::OtherVersion);
    peers[1]->Events.Failed.reset();
    b.Join(where_, "B", "Nobody");
    ASSERT_TRUE(WaitFor([&] { return peers[1]->Events.Failed.has_value(); }));
    EXPECT_EQ(peers[1]->Events.Failed, OpenError::ConnectFailed);
}

// Two adverts of one name: the session's admitter refuses the password, then a stale advert's
// player sends the joiner on. The person is told of the password.
TEST_F(BrokerSessionTest, ARefusalIsNotLostToALaterRedirect) {
    const PlayerId x1 = 0x00B11001u, x2 = 0x00B11002u;
    Stranger hand(where_, 0x00B11000u);
    std::vector<PlayerId> knocked;
    PlayerId joiner = 0;
    hand.Client.Message = [&](const std::string& topic, std::span<const std::uint8_t>) {
        for (PlayerId at : {x1, x2})
            if (std::optional<PlayerId> from = InboxSenderOf(topic, at)) joiner = *from, knocked.push_back(at);
        Recorder::Pulse();
    };
    hand.Client.Subscribe(InboxFilter(x1));
    hand.Client.Subscribe(InboxFilter(x2));
    for (PlayerId at : {x1, x2})
        hand.Client.Publish(PresenceTopic(at), EncodePresence({{}, at, 0, Standing::Admitting, 2, true, "Pw", "X"}),
                            true);
    BrokerSession j;
    Recorder events;
    j.SetListener(&events);
    j.Join(where_, "J", "Pw", "guess");
    ASSERT_TRUE(WaitFor([&] { return knocked.size() >= 2; }));
    hand.Write(joiner, x2, Note::Answer, EncodeAnswer({{}, wire::Verdict::WrongPassword, 0, {}}));
    hand.Write(joiner, x1, Note::Answer, EncodeAnswer({{}, wire::Verdict::Redirect, 0, {}}));
    ASSERT_TRUE(WaitFor([&] { return events.Failed.has_value(); }));
    EXPECT_EQ(events.Failed, OpenError::WrongPassword);
}

// A member leaves cleanly while a joiner is admitted: his leave went to those he knew. The joiner,
// who heard of him in his admission, hears the signed leave on his presence and lists him no
// longer. A real player's clean leave says the same there.
TEST_F(BrokerSessionTest, AMemberWhoLeftWhileAJoinerWasAdmittedIsNotListedByHim) {
    auto peers = Session(1);
    const PlayerId id = 0x0C1EA400u;
    const std::uint64_t token = 515;
    Stranger hand(where_, id);
    hand.Client.Subscribe(InboxFilter(id));
    hand.Write(peers[0]->Id(), id, Note::Knock, EncodeKnock({{}, "Hand", ""}), token);
    ASSERT_TRUE(WaitForRosters(peers, 2));
    peers.push_back(Join("P1", "P0"));
    ASSERT_TRUE(peers.back()->Events.Opened);
    const PlayerId p1 = peers[1]->Id();
    // Once the joiner listens where the others' leaves and wills come (as a watcher of both does).
    Stranger watcher(where_, 0x0C1EA401u);
    watcher.Client.Subscribe(PresenceTopic(id));
    watcher.Client.Subscribe(PresenceTopic(p1));
    ASSERT_TRUE(WaitFor([&] { return watcher.HeardStanding(p1, Standing::Present); }));
    hand.Write(peers[0]->Id(), id, Note::Leave, {}, token);
    hand.Client.Publish(PresenceTopic(id), GoneRecord(id, token));
    hand.Client.Publish(PresenceTopic(id), {}, true);
    EXPECT_TRUE(WaitForRosters(peers, 2));

    peers[1]->Session->Close();
    EXPECT_TRUE(WaitFor([&] { return watcher.HeardStanding(p1, Standing::Gone); }));
}

// An idle player's keep-alives hold his connection past the point where the broker gives up on a
// connection that says nothing after its greeting (its will shows when).
TEST_F(BrokerSessionTest, AnIdlePlayerOutlivesASilentConnection) {
    BrokerSession idle({.KeepAliveSeconds = 5});
    Recorder events;
    idle.SetListener(&events);
    idle.Create(where_, "Idle");
    ASSERT_TRUE(events.Opened);
    const std::string topic = "korvant-test/silent";
    Stranger watcher(where_, 0x0000CAFEu);
    watcher.Client.Subscribe(topic);
    const auto text = [](QByteArray& out, const QByteArray& s) {
        out.append(char(s.size() >> 8)).append(char(s.size() & 0xFF)).append(s);
    };
    QByteArray connect;  // MQTT 3.1.1: clean session, a will, six seconds of keep-alive
    text(connect, "MQTT");
    connect.append(char(4)).append(char(0x06)).append(char(0)).append(char(6));
    text(connect, "silent");
    text(connect, QByteArray::fromStdString(topic));
    text(connect, "gone");
    connect.prepend(char(connect.size())).prepend(char(0x10));
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, broker_.Port());
    ASSERT_TRUE(silent.waitForConnected(5000));
    silent.write(connect);
    ASSERT_TRUE(WaitFor([&] { return !watcher.Heard.empty(); }, 20000));
    const std::vector<std::uint8_t> ping = Block(3);
    ASSERT_EQ(idle.Send(idle.LocalId(), ping), SendResult::Sent);
    EXPECT_TRUE(WaitFor([&] { return !events.Messages.empty() || events.Lost; }));
    EXPECT_FALSE(events.Lost);
    EXPECT_EQ(events.Messages.size(), 1u);
}

TEST_F(BrokerSessionTest, StrangersCannotSpeakForAPlayerNorTakeHisAdvert) {
    auto peers = Session(2);
    BrokerPeer &a = *peers[0], &b = *peers[1];
    const PlayerId fake = 0x0000FA4Eu;
    {
        // His will names the creator: the others keep him.
        Stranger dying(where_, fake, {PresenceTopic(a.Id()), GoneRecord(a.Id(), 1)});
    }
    Stranger s(where_, 0x5157u);
    s.Write(b.Id(), a.Id(), Note::Data, Block(9));                         // a block in the creator's name
    s.Write(b.Id(), a.Id(), Note::Leave, {});                              // his leave
    s.Client.Publish(PresenceTopic(a.Id()), GoneRecord(a.Id(), 1), true);  // his will, forged
    // A second advert of the session that nobody stands behind.
    s.Client.Publish(PresenceTopic(fake), EncodePresence({{}, fake, 0, Standing::Admitting, 1, false, "P0", "P0"}),
                     true);
    s.Client.Subscribe(PresenceTopic(fake));
    s.Client.Subscribe(PresenceTopic(a.Id()));
    // The creator puts his advert back over the forged will.
    ASSERT_TRUE(WaitFor([&] {
        return s.HeardStanding(fake, Standing::Admitting) && !s.Heard.empty() &&
               s.Heard.back().first == PresenceTopic(a.Id()) && s.Heard.back().second &&
               s.Heard.back().second->Now == Standing::Admitting;
    }));

    // A newcomer still finds the real session and is admitted.
    peers.push_back(Join("C", "P0"));
    ASSERT_TRUE(peers.back()->Events.Opened) << OpenErrorText(peers.back()->Events.Failed.value_or(OpenError::Timeout));
    ASSERT_TRUE(WaitForRosters(peers, 3));
    ExpectOneRoster(peers);
    EXPECT_TRUE(b.Events.Messages.empty());
    EXPECT_TRUE(b.Events.Deleted.empty());
    a.Session->Send(b.Id(), Block(1));
    EXPECT_TRUE(WaitFor([&] { return b.Events.Messages.size() == 1; }));
    // With the creator's own token, read off his refusal of a knock: a probe in his name opens
    // nothing again, and a will on his topic that names somebody else takes nobody off.
    const PlayerId knocker = 0x5158u;
    const auto refusals = [&] {
        return std::ranges::count(s.Heard, InboxTopic(knocker, a.Id()), [](const auto& h) { return h.first; });
    };
    s.Client.Subscribe(InboxTopic(knocker, a.Id()));
    s.Write(a.Id(), knocker, Note::Knock, std::vector<std::uint8_t>{1});
    ASSERT_TRUE(WaitFor([&] { return refusals() == 1; }));
    const auto refusal = std::ranges::find(s.Heard, InboxTopic(knocker, a.Id()), [](const auto& h) { return h.first; });
    const std::uint64_t token = ParseLetter(s.Payloads[std::size_t(refusal - s.Heard.begin())])->Token;
    s.Write(a.Id(), a.Id(), Note::Probe, {}, token);
    s.Client.Publish(PresenceTopic(a.Id()), EncodePresence({{}, fake, token, Standing::Gone, 0, false, "P0", "x"}),
                     true);
    s.Write(a.Id(), knocker, Note::Knock, std::vector<std::uint8_t>{1});  // refused after both
    ASSERT_TRUE(WaitFor([&] { return refusals() == 2; }));
    a.Session->Send(b.Id(), Block(2));
    ASSERT_TRUE(WaitFor([&] { return b.Events.Messages.size() == 2; }));
    Drain();
    EXPECT_EQ(std::ranges::count(a.Events.Added, a.Id()), 1);
    EXPECT_TRUE(b.Events.Deleted.empty());
    // Letters left in a newcomer's inbox before he came: a probe not his own ends nothing, and a
    // block in the creator's name, with his token, is nobody's.
    const PlayerId newcomer = 0x0000C0DEu;
    s.Client.Publish(InboxTopic(newcomer, newcomer), EncodeLetter(Note::Probe, 2), true);
    s.Client.Publish(InboxTopic(newcomer, a.Id()), EncodeLetter(Note::Data, token, Block(3)), true);
    const auto joined = Join("D", "P0", {}, {.Id = newcomer});
    BrokerPeer& d = *joined;
    ASSERT_TRUE(d.Events.Opened);
    a.Session->Send(newcomer, Block(4));
    ASSERT_TRUE(WaitFor([&] { return !d.Events.Messages.empty(); }));
    Drain();
    EXPECT_EQ(d.Events.Messages, (std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>>{{a.Id(), Block(4)}}));
    // Another session of that name admits him late: he leaves it at once and stays in his own.
    const PlayerId late = 0x0000A7E5u;
    Stranger second(where_, late);
    second.Client.Subscribe(InboxTopic(late, b.Id()));
    second.Client.Subscribe(InboxTopic(late + 1, b.Id()));
    // A refusal as late is left without a word.
    second.Write(b.Id(), late + 1, Note::Answer, EncodeAnswer({{}, wire::Verdict::Redirect, 0, {}}));
    second.Write(b.Id(), late, Note::Answer, EncodeAnswer({{}, wire::Verdict::Accepted, 9, {{late, 1, 7, "P0"}}}));
    EXPECT_TRUE(WaitFor([&] {
        return std::ranges::any_of(second.Heard, [&](const auto& h) { return h.first == InboxTopic(late, b.Id()); });
    }));
    const auto leave = std::ranges::find(second.Heard, InboxTopic(late, b.Id()), [](const auto& h) { return h.first; });
    if (leave != second.Heard.end()) {
        const std::optional<Letter> l = ParseLetter(second.Payloads[std::size_t(leave - second.Heard.begin())]);
        EXPECT_TRUE(l && l->Kind == Note::Leave);
    }
    EXPECT_TRUE(
        std::ranges::none_of(second.Heard, [&](const auto& h) { return h.first == InboxTopic(late + 1, b.Id()); }));
    EXPECT_EQ(RosterIds(*b.Session), RosterIds(*a.Session));
    // A joiner's own presence, overwritten by a forged will, is his again.
    s.Client.Publish(PresenceTopic(b.Id()), GoneRecord(b.Id(), 1), true);
    s.Client.Subscribe(PresenceTopic(b.Id()));  // after the forgery: the presence kept now comes first
    EXPECT_TRUE(WaitFor([&] {
        return !s.Heard.empty() && s.Heard.back().first == PresenceTopic(b.Id()) && s.Heard.back().second &&
               s.Heard.back().second->Now == Standing::Present;
    }));
}

// The windows' one session opens what the connection dialog asks: through the broker here, the
// person's name and the session's kept apart; an address it cannot read fails as an unreachable one.
TEST_F(BrokerSessionTest, TheChosenSessionOpensWhatTheDialogAsks) {
    const std::string broker = "mqtt://127.0.0.1:" + std::to_string(broker_.Port());
    ChosenSession creator, joiner, lost;
    Recorder made, joined, failed;
    creator.SetListener(&made);
    joiner.SetListener(&joined);
    lost.SetListener(&failed);
    const auto request = [](bool create, const std::string& name, const std::string& at) {
        OpenRequest r;
        r.Create = create;
        r.Name = name;
        r.ThroughBroker = true;
        r.Broker = at;
        r.Session = "anna";  // the creator's name, letter case aside
        r.Password = "pw";   // both sides give it
        return r;
    };
    creator.Open(request(true, "Anna", broker));
    ASSERT_TRUE(WaitFor([&] { return made.Opened; }));
    joiner.Open(request(false, "Boris", broker));
    ASSERT_TRUE(WaitFor([&] { return joined.Opened && creator.Players().size() == 2; }));
    EXPECT_EQ(creator.Players()[1].Name, "Boris");
    EXPECT_EQ(made.Added, (std::vector<PlayerId>{creator.LocalId(), joiner.LocalId()}));
    joiner.Send(creator.LocalId(), Block(5));
    ASSERT_TRUE(WaitFor([&] { return made.Messages.size() == 1; }));
    EXPECT_EQ(made.Messages[0].second, Block(5));
    // Another open, over the local network and failing at that, leaves the session in use first.
    OpenRequest elsewhere;
    elsewhere.Create = false;
    elsewhere.Name = "Boris";
    elsewhere.Host = "127.0.0.1";
    elsewhere.Port = FreePort();
    const PlayerId boris = joiner.LocalId();
    joiner.Open(elsewhere);
    EXPECT_TRUE(WaitFor([&] { return creator.Players().size() == 1; }));
    EXPECT_EQ(made.Deleted, std::vector<PlayerId>{boris});
    lost.Open(request(true, "Vera", "ws://127.0.0.1"));
    EXPECT_EQ(failed.Failed, OpenError::ConnectFailed);
    // After it, an open over the local network is the session in use.
    TcpSession lan(LoopbackOptions());
    lan.Create("Gleb");
    OpenRequest there;
    there.Create = false;
    there.Name = "Vera";
    there.Host = "127.0.0.1";
    there.Port = lan.ListenPort();
    lost.Open(there);
    ASSERT_TRUE(WaitFor([&] { return failed.Opened; }));
    EXPECT_TRUE(lost.IsOpen());
    EXPECT_EQ(lost.Players().size(), 2u);
    lost.Close();
    // One that nobody listens to fails, opens, and hears a player come, send a block and go, all
    // without a word. His advert shows how far he is.
    ChosenSession deaf;
    deaf.Open(request(true, "Vera", "ws://127.0.0.1"));
    deaf.Open(request(true, "Vera", broker));
    ASSERT_TRUE(deaf.IsOpen());
    Stranger watch(where_, 0x0000DEAFu);
    watch.Client.Subscribe(PresenceTopic(deaf.LocalId()));
    const auto advertised = [&](std::uint8_t players) {
        return !watch.Heard.empty() && watch.Heard.back().second && watch.Heard.back().second->Players == players;
    };
    auto guest = Join("Gleb", "Vera", "pw");
    ASSERT_TRUE(guest->Events.Opened);
    ASSERT_TRUE(WaitFor([&] { return advertised(2); }));
    guest->Session->Send(deaf.LocalId(), Block(6));
    guest->Session->Close();
    ASSERT_TRUE(WaitFor([&] { return advertised(1); }));
    Drain();
    deaf.Close();
    broker_.Kill();
    EXPECT_TRUE(WaitFor([&] { return made.Lost; }));
}

// The club's sample ACL: the game plays under it, and a stranger reads nobody's inbox.
class BrokerUnderTheSampleAcl : public BrokerSessionTest {
protected:
    BrokerUnderTheSampleAcl() : BrokerSessionTest("acl_file " KORVANT_SOURCE_DIR "/data/mosquitto/korvant.acl\n") {}
};

TEST_F(BrokerUnderTheSampleAcl, PlayersMeetAndStrangersReadNothing) {
    auto peers = Session(3);
    ExpectOneRoster(peers);
    Stranger s(where_, 0x5157u);
    s.Client.Subscribe(InboxFilter(peers[1]->Id()));
    s.Client.Subscribe("korvant/#");
    peers[0]->Session->Send(ToAllOthers, Block(7));
    ASSERT_TRUE(
        WaitFor([&] { return peers[1]->Events.Messages.size() == 1 && peers[2]->Events.Messages.size() == 1; }));
    peers.pop_back();  // leaves cleanly
    ASSERT_TRUE(WaitForRosters(peers, 2));
    // The adverts are public (the stranger hears them in his own time); letters are not.
    EXPECT_TRUE(WaitFor([&] {
        return std::ranges::any_of(s.Heard, [](const auto& h) { return h.first.starts_with("korvant/1/a/"); });
    }));
    EXPECT_TRUE(std::ranges::none_of(s.Heard, [](const auto& h) { return h.first.starts_with("korvant/1/in/"); }));
}

}  // namespace
}  // namespace korvant::test
