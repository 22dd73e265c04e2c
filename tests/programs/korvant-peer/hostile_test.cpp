// A misbehaving player against real korvant-peer processes on loopback: whatever he forges or
// tries, it is refused, every real peer plays on to the last year, and the states the clients
// hold are the ones the server holds.
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/persons.h"
#include "net/player_turn_block.h"
#include "net/rejoined_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"
#include "support/hostile/hostile_peer.h"
#include "support/process/peer_process.h"
#include "wire/frame_reader.h"

namespace korvant::test {
namespace {

using namespace std::chrono_literals;

// Everything a case waits for fits ctest's minute: a game takes well under a second, a silent
// player is dropped after ten.
constexpr auto GameTime = 25s;
constexpr auto Short = 5s;
constexpr int LastYear = 6;
constexpr int AttackYear = 3;

// Real peers alice (creating the session, so the server), bob and carol, and the hostile mallory.
class Hostile : public ::testing::Test {
protected:
    // A real peer joining now; the party is how many players every peer waits for before it is ready.
    PeerProcess& AddPeer(const std::string& name, int party) {
        QStringList args{"--name",         QString::fromStdString(name),
                         "--players",      QString::number(party),
                         "--pause-ms",     "0",
                         "--play",         "pass",
                         "--stop-at-year", QString::number(LastYear)};
        if (peers.empty()) {
            peers.push_back(std::make_unique<PeerProcess>(
                QStringList{"--create", "--port", "0", "--states", "6", "--seed", "1"} + args, dir.path()));
            port = std::uint16_t(std::stoi(JoinAddress(*peers[0]).substr(10)));
            return *peers[0];
        }
        peers.push_back(std::make_unique<PeerProcess>(
            QStringList{"--join", "127.0.0.1:" + QString::number(port)} + args, dir.path()));
        EXPECT_TRUE(peers[0]->WaitForLine("joined: " + name, Short)) << peers[0]->Output();
        return *peers.back();
    }

    void AddPeers(const std::vector<std::string>& names, int party) {
        for (const std::string& n : names) AddPeer(n, party);
    }

    void Join(HostilePeer& h, const std::string& name) {
        ASSERT_TRUE(h.Join(port, Short));
        EXPECT_TRUE(peers[0]->WaitForLine("joined: " + name, Short));
    }

    // Every block `h` sent `to` before has been handled there once `witness` shows this chat line.
    void Handled(HostilePeer& h, PlayerId to, PeerProcess& witness) {
        h.Send(to, EncodeChat("sync", 0));
        EXPECT_TRUE(witness.WaitForLine("chat: " + std::string("mallory> sync"), Short)) << witness.Output();
    }

    // Every real peer played to the last year as a client of the first, with `persons` at the end.
    void ExpectTheGameWentOn(int persons) {
        const auto deadline = std::chrono::steady_clock::now() + GameTime;
        for (std::size_t i = 0; i < peers.size(); ++i) {
            using std::chrono::duration_cast, std::chrono::milliseconds;
            const auto left = std::max(duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now()), 1ms);
            const int code = peers[i]->WaitForExit(left).value_or(-2);
            EXPECT_EQ(code, 0) << "peer " << i << ":\n" << peers[i]->Output();
            EXPECT_TRUE(peers[i]->Has("result: stopped after year " + std::to_string(LastYear)))
                << "peer " << i << ": " << peers[i]->WaitForLine("result: ", 1ms).value_or("no result");
            if (i == 0) continue;
            EXPECT_FALSE(peers[i]->Has("role: server")) << "peer " << i << " took the server's role";
            EXPECT_TRUE(ClientMatchesTheServer(peers, i));
        }
        const std::string last = "year " + std::to_string(LastYear + 1) + ": ";
        const std::string line = peers[0]->WaitForLine(last, 1ms).value_or("none");
        EXPECT_TRUE(line.ends_with(" persons " + std::to_string(persons))) << line;
        // Nobody took the hostile player for his server.
        EXPECT_EQ(mallory.CountOf(BlockKind::PlayerTurn), 0);
    }

    // Carol, joining after mallory, is ready once she sees all four; mallory ticks after her, so
    // that she hears it.
    void PlayAlongOnceCarolIsReady() {
        EXPECT_TRUE(mallory.WaitUntil(
            [&] {
                const PlayerId carol = mallory.IdOf("carol");
                return carol != 0 && std::ranges::any_of(mallory.Inbox(), [&](const HostilePeer::Received& r) {
                           return r.from == carol && KindOf(r.block) == int32_t(BlockKind::Ready);
                       });
            },
            Short));
        mallory.PlayAlong();
    }

    QTemporaryDir dir;
    std::vector<std::unique_ptr<PeerProcess>> peers;
    std::uint16_t port = 0;
    HostilePeer mallory{"mallory"};
};

// ---- As a player in a game: each forgery goes out when mallory has the data of AttackYear.

struct Scene {
    HostilePeer& h;
    PlayerId server, bob;
    int bobState, year;
    // The first full state as it stood, moved to this year.
    std::unique_ptr<Game> Forged(int at) const {
        std::unique_ptr<Game> g = h.FirstState();
        g->Year = std::uint8_t(at);
        return g;
    }
};

struct GameAttack {
    const char* name;
    std::function<void(const Scene&)> send;
};

const GameAttack GameAttacks[] = {
    {"TheFirstFullStateAgainToTheServer", [](const Scene& s) { s.h.Send(s.server, s.h.FirstFullState()); }},
    {"GameOverFromAPlayer", [](const Scene& s) { s.h.Send(ToAllOthers, EncodeSmall(BlockKind::GameOver)); }},
    {"AFullStateNamingHimselfServer",
     [](const Scene& s) { s.h.Send(s.bob, EncodeFullState(*s.Forged(s.year), s.h.Id())); }},
    {"AHandOverFromAPlayerWhoIsNotTheServer",
     [](const Scene& s) { s.h.Send(s.bob, EncodeFullState(*s.Forged(s.year), s.bob)); }},
    {"AFullStateOfThePastYear",
     [](const Scene& s) { s.h.Send(s.bob, EncodeFullState(*s.Forged(s.year - 1), s.server)); }},
    {"AFullStateOfTheNextYear",
     [](const Scene& s) { s.h.Send(s.bob, EncodeFullState(*s.Forged(s.year + 1), s.server)); }},
    {"ATurnResultOfHisOwnMaking",
     [](const Scene& s) {
         std::unique_ptr<Game> g = s.Forged(s.year);
         g->mGos[s.bobState].Money += 5000;
         s.h.Send(s.bob, EncodeTurnResult(*g, s.bobState));
     }},
    {"ATurnResultOfThePastYear",
     [](const Scene& s) { s.h.Send(s.bob, EncodeTurnResult(*s.Forged(s.year - 1), s.bobState)); }},
    {"ATurnResultOfTheNextYear",
     [](const Scene& s) { s.h.Send(s.bob, EncodeTurnResult(*s.Forged(s.year + 1), s.bobState)); }},
    {"APlayerTurnForAnotherPersonsState",
     [](const Scene& s) {
         std::unique_ptr<Game> g = s.Forged(s.year);
         g->CurGos = std::uint8_t(s.bobState);
         g->mGos[s.bobState].Money += 5000;
         s.h.Send(s.server, EncodePlayerTurn(*g));
     }},
    {"APlayerTurnForAComputersStateNamingHimself",
     [](const Scene& s) {
         std::unique_ptr<Game> g = s.Forged(s.year);
         for (int k = 1; k <= g->GosCount; ++k)
             if (g->mGos[k].Human == 0) g->CurGos = std::uint8_t(k);
         g->mGos[g->CurGos].Human = int32_t(s.h.Id());
         g->mGos[g->CurGos].Money += 5000;
         s.h.Send(s.server, EncodePlayerTurn(*g));
     }},
    // Losing a computer: the takeover, the backup and the rejoin cannot give him what is not his.
    {"ATakeoverWhileTheServerLives",
     [](const Scene& s) { s.h.Send(ToAllOthers, EncodeSmall(BlockKind::TookOver, std::uint8_t(s.year))); }},
    {"ABackupOfHisOwnMakingToTheHeir",
     [](const Scene& s) {
         std::unique_ptr<Game> g = s.Forged(s.year);
         g->mGos[s.bobState].Money += 5000;
         s.h.Send(s.bob, EncodeBackup(*g, {}));
     }},
    {"ARejoinForAStateThatIsNotHis", [](const Scene& s) { s.h.Send(s.server, EncodeSmall(BlockKind::Rejoin)); }},
    {"BobsStateGivenToHimAsIfHeCameBack",
     [](const Scene& s) { s.h.Send(ToAllOthers, EncodeRejoined(s.bobState, s.h.Id())); }},
    {"SmallBlocksWithTrailingBytes",
     [](const Scene& s) {
         for (BlockKind k :
              {BlockKind::Ready, BlockKind::Start, BlockKind::TurnDone, BlockKind::Leave, BlockKind::GameOver}) {
             std::vector<std::uint8_t> b = EncodeSmall(k);
             b.push_back(0);
             s.h.Send(ToAllOthers, b);
         }
     }},
    {"APackedEnvelopeWhoseLengthLies",
     [](const Scene& s) {
         std::unique_ptr<Game> g = s.Forged(s.year);
         g->mGos[s.bobState].Money += 5000;
         std::vector<std::uint8_t> envelope = PackEnvelope(EncodeTurnResult(*g, s.bobState));
         envelope.resize(envelope.size() + 64, 0xAB);  // the length still says what it said
         s.h.Send(s.bob, envelope, true);
     }},
};

void PrintTo(const GameAttack& attack, std::ostream* out) { *out << attack.name; }

class HostileInGame : public Hostile, public ::testing::WithParamInterface<GameAttack> {};

TEST_P(HostileInGame, IsRefusedAndTheGameGoesOn) {
    AddPeers({"alice", "bob", "carol"}, 4);
    Join(mallory, "mallory");
    bool sent = false;
    mallory.PlayAlong([&](int year) {
        if (year == AttackYear && !sent) {
            sent = true;
            const PlayerId bob = mallory.IdOf("bob");
            GetParam().send(Scene{mallory, mallory.Server(), bob, StateOf(*mallory.Known(), bob), year});
        }
        return true;
    });
    ExpectTheGameWentOn(4);
    EXPECT_TRUE(sent);
}

INSTANTIATE_TEST_SUITE_P(Forgeries, HostileInGame, ::testing::ValuesIn(GameAttacks),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- As a player in the lobby.

// Mallory, the third of four, starts bob's game; bob must stay in the lobby and tick ready when
// carol comes, or the server waits for his tick while he waits for its game.
TEST_F(Hostile, LobbyStartFromAPlayerIsRefused) {
    AddPeers({"alice", "bob"}, 4);
    Join(mallory, "mallory");
    mallory.Send(mallory.IdOf("bob"), EncodeSmall(BlockKind::Start));
    Handled(mallory, mallory.IdOf("bob"), *peers[1]);
    AddPeer("carol", 4);
    PlayAlongOnceCarolIsReady();
    ExpectTheGameWentOn(4);
}

TEST_F(Hostile, LobbyServerRoleFromAPlayerIsRefused) {
    AddPeers({"alice", "bob", "carol"}, 4);
    Join(mallory, "mallory");
    mallory.Send(mallory.IdOf("bob"), EncodeSmall(BlockKind::BecomeServer));
    Handled(mallory, mallory.IdOf("bob"), *peers[1]);
    mallory.PlayAlong();
    ExpectTheGameWentOn(4);
}

// Only the lobby's server sends the map: a map of two states from a player would make bob refuse to
// start with four players and untick himself. Sent after the server's own map for mallory.
TEST_F(Hostile, LobbyMapFromAPlayerIsRefused) {
    AddPeers({"alice", "bob", "carol"}, 4);
    Join(mallory, "mallory");
    EXPECT_TRUE(mallory.WaitUntil([&] { return mallory.CountOf(BlockKind::Map) > 0; }, Short));
    Game small;
    small.GosCount = 2;
    small.MapSize = 100;
    mallory.Send(mallory.IdOf("bob"), EncodeMap(small, BlockKind::Map));
    // Bob sees everybody ready (and checks the start) before the server can start and send its game.
    mallory.Send(mallory.IdOf("bob"), EncodeSmall(BlockKind::Ready, 1));
    Handled(mallory, mallory.IdOf("bob"), *peers[1]);
    mallory.PlayAlong();
    ExpectTheGameWentOn(4);
}

// A second player under a name in the session, also in other letters' case. Kept out, he changes
// nothing; let in, his "not ready" and his leave must reach his own entry, not the real player's,
// or the server waits for a tick that never comes. The party is five, so nobody joins after the
// trick and says his ready again.
class HostileImpostor : public Hostile, public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileImpostor, CannotUntickOrRemoveThePlayerOfHisName) {
    AddPeers({"alice", "bob", "carol"}, 5);
    Join(mallory, "mallory");
    HostilePeer impostor(GetParam());
    if (!impostor.Join(port, Short)) {
        HostilePeer dave("dave");
        Join(dave, "dave");
        dave.PlayAlong();
        mallory.PlayAlong();
        return ExpectTheGameWentOn(5);
    }
    for (const char* real : {"ready: bob", "ready: carol"}) EXPECT_TRUE(peers[0]->WaitForLine(real, Short)) << real;
    impostor.Send(ToAllOthers, EncodeSmall(BlockKind::Ready, 0));
    impostor.Leave();
    EXPECT_TRUE(peers[0]->WaitForLine("left: ", Short));
    mallory.PlayAlong();
    ExpectTheGameWentOn(4);
}

INSTANTIATE_TEST_SUITE_P(Names, HostileImpostor, ::testing::Values("bob", "BOB"),
                         [](const auto& test) { return std::string(test.param) == "bob" ? "Same" : "OtherCase"; });

// A roster message naming a player nobody can reach must not keep the next joiner out.
TEST_F(Hostile, LobbyAnnouncementOfAStrangerKeepsNobodyOut) {
    AddPeers({"alice", "bob"}, 4);
    Join(mallory, "mallory");
    wire::RosterEntry stranger{0x5A5A5A5A, 50, QHostAddress(QHostAddress::LocalHost).toIPv4Address(), 1, "stranger"};
    mallory.SendFrame(mallory.IdOf("alice"), wire::FrameKind::Announce, wire::EncodeAnnounce(stranger));
    Handled(mallory, mallory.IdOf("alice"), *peers[0]);
    AddPeer("carol", 4);
    PlayAlongOnceCarolIsReady();
    ExpectTheGameWentOn(4);
}

// ---- Before the handshake: strangers at the creator's port while the lobby waits for carol.

TEST_F(Hostile, StrangersBeforeTheHandshakeAreClosedAndTheGameGoesOn) {
    AddPeers({"alice", "bob"}, 3);
    wire::Hello foreign;
    foreign.Who.Magic = 0x50545448;  // "HTTP"
    foreign.Id = 7;
    std::vector<std::uint8_t> oversized =
        wire::EncodeFrame(wire::FrameKind::Hello, std::vector<std::uint8_t>(64 << 10, 1));
    std::vector<std::vector<std::uint8_t>> strangers = {
        std::vector<std::uint8_t>(300, 0xFF),                                        // garbage
        wire::EncodeFrame(wire::FrameKind::Hello, wire::EncodeHello(foreign)),       // another program
        wire::EncodeFrame(wire::FrameKind::Data, EncodeSmall(BlockKind::GameOver)),  // a block before the handshake
        oversized,                                                                   // more than a handshake may be
        std::vector<std::uint8_t>(4 << 20, 'A'),                                     // a flood
    };
    EXPECT_EQ(mallory.ClosedByThem(port, strangers, Short), int(strangers.size()));
    // Half-open connections that never say a word are closed when their handshake times out (five
    // seconds, seen at the session's next tick).
    EXPECT_EQ(mallory.ClosedByThem(port, std::vector<std::vector<std::uint8_t>>(50), 8s), 50);
    AddPeer("carol", 3);
    ExpectTheGameWentOn(3);
}

// A joiner who takes a member's id is refused, and the member plays on.
TEST_F(Hostile, AJoinerWithAMembersIdIsRefused) {
    AddPeers({"alice", "bob", "carol"}, 4);
    Join(mallory, "mallory");
    HostilePeer thief("dave", mallory.IdOf("bob"));
    EXPECT_FALSE(thief.Join(port, Short));
    mallory.PlayAlong();
    ExpectTheGameWentOn(4);
}

// ---- Timing and kills: mallory stops in the middle of a year, as a crash or in silence (dropped
// once his silence is long enough); the computer plays his state and the game goes on.

struct Stop {
    const char* name;
    void (HostilePeer::*stop)();
};

const Stop Stops[] = {{"Vanishes", &HostilePeer::Vanish}, {"FallsSilent", &HostilePeer::GoSilent}};

void PrintTo(const Stop& stop, std::ostream* out) { *out << stop.name; }

class HostileStop : public Hostile, public ::testing::WithParamInterface<Stop> {};

TEST_P(HostileStop, APlayerWhoStopsMidYearIsPlayedByTheComputer) {
    AddPeers({"alice", "bob", "carol"}, 4);
    Join(mallory, "mallory");
    mallory.PlayAlong([&](int year) {
        if (year == AttackYear) (mallory.*GetParam().stop)();
        return year != AttackYear;
    });
    ExpectTheGameWentOn(3);
}

INSTANTIATE_TEST_SUITE_P(MidYear, HostileStop, ::testing::ValuesIn(Stops),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace korvant::test
