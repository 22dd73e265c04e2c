// The network year loop of one client, its server played by the test: what the year's data does
// when it overtakes the client's wait for the others' turns.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "game/net_game_loop.h"

#include "core/colors.h"
#include "core/state_guard.h"
#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/full_state_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/small_block.h"
#include "net/takeover.h"
#include "net/turn_result_block.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace korvant {
namespace {

// Each wait runs the test's script for its page once, then closes when the poll says so.
class ScriptedWaits final : public NetGameWindows {
public:
    WaitResult Wait(WaitPoll& poll) override {
        if (auto it = script.find(poll.Page()); it != script.end() && it->second) std::exchange(it->second, {})();
        ++waits;
        return poll.Tick() ? WaitResult::Closed : WaitResult::Aborted;
    }
    void Pause(std::chrono::milliseconds) override { ++pauses; }
    std::map<WaitPage, std::function<void()>> script;
    int waits = 0;
    int pauses = 0;
};

class NetGameLoopTest : public ::testing::Test, protected test::ThreePlayerNetwork {
protected:
    std::unique_ptr<Game> server = test::MakeNetGame(1);
    test::NetPeer client{s2, test::MakeNetGame(2)};
    HeadlessUi ui;
    ScriptedWaits waits;

    void SetUp() override {
        client.game->Ui = &ui;
        // The game's first full state has come.
        waits.script[WaitPage::ClientWait] = [this] {
            ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server, 1))), BlockOutcome::Applied);
        };
    }
    // The server's year: its results for state 2, with a message and the chronicle.
    void ServerPlaysTheYear() {
        server->Year += 1;
        server->MesList.Clear();
        server->MesList.Add(MesForState, 2, 0x0000FF, "Весть для 2");
        server->Chronicle = "Хроника нового года";
    }
    int SentOfKind(BlockKind kind) const { return test::CountKind(s2.sent, kind); }
    // The client, heir with the year's backup, ends his turn with the others; the server vanishes
    // before the results, the client takes over, and `again` runs in his wait for that year's turns.
    void HeirTakesOverTheYearHePlayed(std::function<void()> again) {
        waits.script[WaitPage::ClientWait] = [this] {
            ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeBackup(*server, {}))), BlockOutcome::Applied);
            ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server, 1))), BlockOutcome::Applied);
        };
        waits.script[WaitPage::ServerWait] = [this, again = std::move(again)] {
            for (PlayerId other : {1u, 3u}) client.Receive(other, EncodeSmall(BlockKind::TurnDone));
            waits.script[WaitPage::ClientWait] = [this, again] {
                client.model.Remove(1);
                ASSERT_TRUE(TakeOver(client.net));
                waits.script[WaitPage::ServerWait] = again;
            };
        };
    }
};

TEST_F(NetGameLoopTest, ResultsThatOvertakeTheWaitKeepTheYearsMessagesAndChronicle) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server, 2))), BlockOutcome::Applied);
    };
    int years = 0;
    const NetGameEnd end = NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext& net) {
                                           if (++years == 1) return true;
                                           EXPECT_EQ(net.game.Year, 8);
                                           EXPECT_EQ(net.game.Chronicle, "Хроника нового года");
                                           EXPECT_EQ(net.game.MesList.Count(), 1);
                                           return false;
                                       }});
    EXPECT_EQ(end, NetGameEnd::Stopped);
    EXPECT_EQ(years, 2);
    EXPECT_EQ(SentOfKind(BlockKind::PlayerTurn), 1);
    EXPECT_EQ(SentOfKind(BlockKind::TurnDone), 2);  // to all, and to itself
    // The person handed his turn to the computer, and his turn says so.
    const auto turn = std::ranges::find_if(
        s2.sent, [](const test::FakeSession::Sent& x) { return KindOf(x.block) == int32_t(BlockKind::PlayerTurn); });
    ASSERT_NE(turn, s2.sent.end());
    EXPECT_EQ(DecodePlayerTurn(turn->block, *client.game).state.Delegated, 1);
}

// The server's person quits: alone, he leaves without a question; with others playing, he is asked
// whether they go on without him. His no ends the game for everybody; his yes hands the game, once
// every other person has ended his turn, to the first who did.
TEST_F(NetGameLoopTest, TheServersPersonAsksTheOthersOnlyWhenThereAreOthers) {
    struct Quitting final : HeadlessUi {
        ModalResult CommandScreen() override { return ModalResult::Quit; }
    };
    enum class Quit { Alone, OneOtherEndsIt, TheOthersGoOn };
    for (Quit q : {Quit::Alone, Quit::OneOtherEndsIt, Quit::TheOthersGoOn}) {
        s1.sent.clear();
        test::NetPeer host{s1, test::MakeNetGame(1)};
        Quitting quitting;
        quitting.answerYes = q == Quit::TheOthersGoOn;
        host.game->Ui = &quitting;
        for (int s = 2; s <= 3 && q != Quit::TheOthersGoOn; ++s) host.game->mGos[s].Human = 0;
        // The one other person plays the last state.
        if (q == Quit::OneOtherEndsIt) host.game->mGos[4].Human = 2;
        waits.script[WaitPage::ServerClose] = [&] {
            for (PlayerId p : {2u, 3u}) {
                host.Receive(p, EncodePlayerTurn(*test::MakeNetGame(int(p))));
                host.Receive(p, EncodeSmall(BlockKind::TurnDone));
            }
        };
        EXPECT_EQ(NetGameLoop(host.net, waits, {}), NetGameEnd::Quit);
        const bool asked = q != Quit::Alone;
        EXPECT_EQ(quitting.log,
                  asked ? std::vector<std::string>{host.game->Msg(Msg::AskOthersGoOn)} : std::vector<std::string>{});
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Leave), q == Quit::OneOtherEndsIt ? 0 : 1);
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::GameOver), q == Quit::OneOtherEndsIt ? 1 : 0);
        EXPECT_EQ(host.model.end, q == Quit::OneOtherEndsIt ? NetEnd::EndedByServer : NetEnd::None);
        EXPECT_EQ(host.game->GameMode, q == Quit::TheOthersGoOn ? ModeNetClient : ModeNetServer);
        if (q == Quit::TheOthersGoOn) {
            const FullState handed = DecodeFullState(UnpackEnvelope(s1.sent[s1.sent.size() - 2].block));
            EXPECT_EQ(s1.sent[s1.sent.size() - 2].to, 2u);
            EXPECT_EQ(handed.serverId, 2u);
        }
        // With a person to inherit the game, its first year began with a backup for him, before
        // the full state.
        if (asked) {
            EXPECT_EQ(test::CountKind({s1.sent.front()}, BlockKind::Backup), 1);
        }
    }
}

// The server's state fell in the year it computed: its heir gets that year's full state while he
// waits, and sends its results next without computing another year.
TEST_F(NetGameLoopTest, AnHeirGivenTheNextYearsFullStateSendsItsResultsWithoutComputingAYear) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        server->mGos[1].Alive = 0;
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeFullState(*server, 2))), BlockOutcome::Applied);
    };
    int years = 0;
    NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext& net) {
                    if (++years == 1) return true;
                    EXPECT_EQ(net.game.GameMode, ModeNetServer);
                    EXPECT_EQ(net.game.Year, 8);
                    EXPECT_EQ(SentOfKind(BlockKind::TurnResult), 2);  // to player 3, and to the fallen server's player
                    return false;
                }});
    EXPECT_EQ(years, 2);
}

// A person seated again plays the state the full state gives him, not the one he watched, with
// each border's soldiers gathered in its first slot for the command screen.
TEST_F(NetGameLoopTest, AClientPlaysTheStateTheFullStateSeatsHimIn) {
    struct Looking final : HeadlessUi {
        const Game* game = nullptr;
        std::array<int, 3> home{};
        ModalResult CommandScreen() override {
            const int s = game->CurGos;
            for (int t = 0; t < 3; ++t) home[t] = game->mGos[s].Border[s].Troops[t + 1];
            return ModalResult::Quit;
        }
    } looking;
    looking.game = client.game.get();
    client.game->Ui = &looking;
    client.game->CurGos = 4;
    EXPECT_EQ(NetGameLoop(client.net, waits, {}), NetGameEnd::Quit);
    EXPECT_EQ(client.game->CurGos, 2);
    EXPECT_EQ(looking.home, (std::array<int, 3>{211, 0, 0}));
}

// The server vanished after sending the backup of the year it computed, but not its results: the
// heir takes over from that backup, his own state as the server computed it, and sends the results
// at once.
TEST_F(NetGameLoopTest, AnHeirGivenTheNextYearsBackupSendsItsResultsAtOnce) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        server->mGos[2].Peasants = 4321;
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeBackup(*server, {}))), BlockOutcome::Applied);
        client.model.Remove(1);
        ASSERT_TRUE(TakeOver(client.net));
    };
    int years = 0;
    NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext& net) {
                    if (++years == 1) return true;
                    EXPECT_EQ(net.game.Year, 8);
                    EXPECT_EQ(net.game.mGos[2].Peasants, 4321);
                    EXPECT_EQ(SentOfKind(BlockKind::TurnResult), 1);
                    return false;
                }});
    EXPECT_EQ(years, 2);
}

// The heir had played its turn and waited for the year's results when the server vanished: it
// takes over, waits again for the other person's turn of that year, which he sends anew, and
// would then compute the year itself.
TEST_F(NetGameLoopTest, AnHeirWaitingForTheResultsTakesOverAndWaitsForThatYearsTurnsAgain) {
    bool waitedAgain = false;
    HeirTakesOverTheYearHePlayed([&] {
        waitedAgain = true;
        EXPECT_FALSE(client.model.Find(3)->turnFinished);
        EXPECT_TRUE(client.model.Find(2)->turnFinished);  // his own turn stays ended
        auto third = test::MakeNetGame(3);
        third->mGos[3].Money = 777;
        client.Receive(3, EncodePlayerTurn(*third));
        client.Receive(3, EncodeSmall(BlockKind::TurnDone));
        EXPECT_EQ(client.game->mGos[3].Money, 777);
        EXPECT_TRUE(client.model.Find(3)->turnFinished);
        client.model.End(NetEnd::Aborted);  // stops before the year is computed
    });
    int years = 0;
    const NetGameEnd end = NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext&) { return ++years > 0; }});
    EXPECT_EQ(end, NetGameEnd::Aborted);
    EXPECT_TRUE(waitedAgain);
    EXPECT_EQ(years, 1);  // the year played again is not a new year
    EXPECT_EQ(client.game->GameMode, ModeNetServer);
    EXPECT_EQ(SentOfKind(BlockKind::TookOver), 1);
}

// An heir whose own state falls in the year he serves again hands the game on, as any server
// whose state fell, and plays no more: one defeat, no new year.
TEST_F(NetGameLoopTest, AnHeirWhoseStateFallsInTheYearHeTookOverHandsItOnAndPlaysNoMore) {
    HeirTakesOverTheYearHePlayed([this] {
        client.Receive(3, EncodePlayerTurn(*test::MakeNetGame(3)));
        client.Receive(3, EncodeSmall(BlockKind::TurnDone));
        const StateChange change(*client.game);
        client.game->mGos[2].Alive = 0;
    });
    int years = 0;
    const NetGameEnd end = NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext&) { return ++years > 0; }});
    EXPECT_EQ(end, NetGameEnd::Defeated);
    EXPECT_EQ(years, 1);
    EXPECT_EQ(std::ranges::count(ui.windows, "defeat"), 1);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_EQ(client.model.serverId, 3u);
}

// The server's year: its first pass sends the backup and the full state, the wait takes the
// persons' turns, the year is computed afresh (news of the year before gone) and its results go to
// every person. A server whose own state fell in it hands the game to the first living person, but
// in the game's last year sends everybody the results.
TEST_F(NetGameLoopTest, TheServerComputesTheYearAndHandsTheGameOnWhenItsStateFalls) {
    test::FakeSession& s4 = network.Join("Player4");  // asks for the fourth state back in the played year
    enum class Year { Played, Falls, FallsAndTheNextStateIsTheComputers, FallsInTheLast };
    for (Year year : {Year::Played, Year::Falls, Year::FallsAndTheNextStateIsTheComputers, Year::FallsInTheLast}) {
        const bool falls = year != Year::Played, last = year == Year::FallsInTheLast;
        const bool computerNext = year == Year::FallsAndTheNextStateIsTheComputers;
        const PlayerId heir = computerNext ? 3 : 2;  // the first living person after the server
        s1.sent.clear();
        test::NetPeer host{s1, test::MakeNetGame(1)};
        host.game->Ui = &ui;
        if (last) host.game->Year = MaxYears - 1;
        if (computerNext) host.game->mGos[2].Human = 0;
        if (!falls) {
            host.model.dropped[4] = "Player4";
            host.model.rejoining[s4.LocalId()] = 4;
        }
        ui.windows.clear();
        waits.script[WaitPage::ServerWait] = [&] {
            for (PlayerId p : {2u, 3u}) {
                if (p == 2 && computerNext) continue;
                host.Receive(p, EncodePlayerTurn(*test::MakeNetGame(int(p))));
                host.Receive(p, EncodeSmall(BlockKind::TurnDone));
            }
            if (!falls) return;
            const StateChange change(*host.game);
            host.game->mGos[1].Alive = 0;
        };
        int years = 0;
        const NetGameEnd end =
            NetGameLoop(host.net, waits, {.serverPause = {}, .yearBegins = [&](NetContext& net) {
                                              if (++years == 1) return true;
                                              EXPECT_EQ(net.game.Year, 8);
                                              EXPECT_FALSE(net.model.Find(2)->turnFinished);
                                              // The marks of last year's ended turns are gone.
                                              EXPECT_LT(net.game.mGos[2].Captured, TurnFinishedMark);
                                              EXPECT_EQ(waits.pauses, 1);
                                              EXPECT_EQ(net.game.Chronicle.find("Хроника года"), std::string::npos);
                                              return false;
                                          }});
        const auto sentTo = [&](BlockKind kind, PlayerId to) {
            return std::ranges::count_if(s1.sent, [&](const test::FakeSession::Sent& x) {
                return x.to == to && test::CountKind({x}, kind) == 1;
            });
        };
        EXPECT_EQ(test::CountKind({s1.sent.front()}, BlockKind::Backup), 1);
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::PlayerTurn), 0);  // the server's turn is in its game
        // The first year's to each other person, and the hand-over or the returning person's.
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::FullState), (computerNext ? 1 : 2) + (last ? 0 : 1));
        EXPECT_EQ(host.game->Year, last ? MaxYears : 8);
        if (!falls) {
            EXPECT_EQ(end, NetGameEnd::Stopped);
            EXPECT_EQ(years, 2);
            for (PlayerId p : {2u, 3u}) EXPECT_EQ(sentTo(BlockKind::TurnResult, p), 1);
            // Neither the server nor the person seated with the full state gets results.
            EXPECT_EQ(sentTo(BlockKind::TurnResult, 1) + sentTo(BlockKind::TurnResult, s4.LocalId()), 0);
            EXPECT_EQ(sentTo(BlockKind::Backup, 2), 2);  // each year's, to the heir
            // The heir holds the year's backup before anybody has its results.
            const auto isKind = [](BlockKind kind) {
                return [kind](const test::FakeSession::Sent& x) { return test::CountKind({x}, kind) == 1; };
            };
            const auto results = std::ranges::find_if(s1.sent, isKind(BlockKind::TurnResult));
            EXPECT_EQ(std::count_if(results, s1.sent.end(), isKind(BlockKind::Backup)), 0);
            // The returning person is seated before the year's backup is taken.
            const auto backup = std::find_if(s1.sent.rbegin(), s1.sent.rend(), isKind(BlockKind::Backup));
            ASSERT_NE(backup, s1.sent.rend());
            const std::vector<uint8_t>& b = backup->block;
            const bool packed = KindOf(b) == int32_t(BlockKind::Packed);
            EXPECT_EQ(DecodeBackup(packed ? UnpackEnvelope(b) : b).game->mGos[4].Human, int(s4.LocalId()));
            continue;
        }
        EXPECT_EQ(end, NetGameEnd::Defeated);
        EXPECT_EQ(years, 1);
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Leave), 1);
        if (last) {
            EXPECT_EQ(host.game->GameMode, ModeNetServer);
            for (PlayerId p : {2u, 3u}) EXPECT_EQ(sentTo(BlockKind::TurnResult, p), 1);
        } else {
            EXPECT_EQ(host.game->GameMode, ModeNetClient);
            EXPECT_EQ(sentTo(BlockKind::FullState, heir), 2);  // the game's first year, and the hand-over
            EXPECT_EQ(test::CountKind(s1.sent, BlockKind::TurnResult), 0);
        }
        EXPECT_EQ(ui.windows.back(), "charts");
        EXPECT_NE(std::ranges::count(ui.windows, "defeat"), 0);
    }
}

// A client whose state fell in the year's results sees its defeat and the charts, and plays no more.
TEST_F(NetGameLoopTest, AClientWhoseStateFellSeesItsDefeatAndTheCharts) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        server->mGos[2].Alive = 0;
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server, 2))), BlockOutcome::Applied);
    };
    EXPECT_EQ(NetGameLoop(client.net, waits, {}), NetGameEnd::Defeated);
    EXPECT_EQ(std::ranges::count(ui.windows, "command screen"), 1);
    EXPECT_NE(std::ranges::count(ui.windows, "defeat"), 0);
    EXPECT_EQ(ui.windows.back(), "charts");
}

// A client who quits leaves the game and says so; nothing ends for the others.
TEST_F(NetGameLoopTest, AClientWhoQuitsLeavesTheGame) {
    struct Quitting final : HeadlessUi {
        ModalResult CommandScreen() override { return ModalResult::Quit; }
    } quitting;
    client.game->Ui = &quitting;
    EXPECT_EQ(NetGameLoop(client.net, waits, {}), NetGameEnd::Quit);
    EXPECT_EQ(SentOfKind(BlockKind::Leave), 1);
    EXPECT_EQ(SentOfKind(BlockKind::GameOver), 0);
    EXPECT_TRUE(quitting.log.empty());
}

TEST_F(NetGameLoopTest, TheServerEndingTheGameEndsTheClientsWait) {
    waits.script[WaitPage::ServerWait] = [this] { client.Receive(1, EncodeSmall(BlockKind::GameOver)); };
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::EndedByServer);
    // Every other end of the game is told apart too.
    for (auto [end, told] :
         {std::pair(NetEnd::SessionLost, NetGameEnd::SessionLost),
          std::pair(NetEnd::ServerLost, NetGameEnd::ServerLost), std::pair(NetEnd::Aborted, NetGameEnd::Aborted)}) {
        waits.script[WaitPage::ServerWait] = [&, end = end] { client.model.End(end); };
        EXPECT_EQ(NetGameLoop(client.net, waits), told);
    }
    // Ended while the client waits for the year's data: no year begins, no command screen.
    ui.windows.clear();
    waits.script[WaitPage::ClientWait] = [this] { client.Receive(1, EncodeSmall(BlockKind::GameOver)); };
    int years = 0;
    EXPECT_EQ(NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext&) { return ++years > 0; }}),
              NetGameEnd::EndedByServer);
    EXPECT_EQ(years, 0);
    EXPECT_EQ(std::ranges::count(ui.windows, "command screen"), 0);
}

// A game that ends under the command screen, or while the server waits for the turns, sends
// nothing more: no turn, and no year computed.
TEST_F(NetGameLoopTest, AGameEndedMeanwhileSendsNothingMore) {
    struct EndedUnderTheScreen final : HeadlessUi {
        NetModel* model = nullptr;
        ModalResult CommandScreen() override {
            model->End(NetEnd::EndedByServer);
            return ModalResult::EndTurn;
        }
    } ended;
    ended.model = &client.model;
    client.game->Ui = &ended;
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::EndedByServer);
    EXPECT_EQ(SentOfKind(BlockKind::PlayerTurn) + SentOfKind(BlockKind::TurnDone), 0);

    test::NetPeer host{s1, test::MakeNetGame(1)};
    host.game->Ui = &ui;
    waits.script[WaitPage::ServerWait] = [&] { host.model.End(NetEnd::SessionLost); };
    EXPECT_EQ(NetGameLoop(host.net, waits), NetGameEnd::SessionLost);
    EXPECT_EQ(host.game->Year, 7);
    EXPECT_EQ(test::CountKind(s1.sent, BlockKind::TurnResult), 0);
}

// A year that begins with the game over (here the draw's year) ends the loop before the command
// screen, and nothing is sent; a game that is no network game never begins.
TEST_F(NetGameLoopTest, AGameOverWhenItsYearBeginsShowsNoCommandScreen) {
    server->Year = MaxYears;
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::Over);
    EXPECT_EQ(std::ranges::count(ui.windows, "command screen"), 0);
    EXPECT_EQ(SentOfKind(BlockKind::TurnDone), 0);

    client.game->GameMode = ModeLocal;
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::NotANetGame);
}

// A person seated in the last state plays it like any other.
TEST_F(NetGameLoopTest, APersonInTheLastStatePlaysIt) {
    server->mGos[2].Human = 0;
    server->mGos[4].Human = 2;
    server->mGos[4].PlayerName.set("Player2");
    // Nobody answers the wait for the year's results.
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::Aborted);
    EXPECT_EQ(client.game->CurGos, 4);
    EXPECT_EQ(std::ranges::count(ui.windows, "command screen"), 1);
    EXPECT_EQ(SentOfKind(BlockKind::PlayerTurn), 1);
}

// The server's person lets the others go on, but his wait for their turns is aborted, or the
// game ends under it: he stays the server and sends no leave.
TEST_F(NetGameLoopTest, AServersHandOverCutShortKeepsTheRoleAndSendsNoLeave) {
    struct Quitting final : HeadlessUi {
        ModalResult CommandScreen() override { return ModalResult::Quit; }
    };
    for (bool ended : {false, true}) {
        s1.sent.clear();
        test::NetPeer host{s1, test::MakeNetGame(1)};
        Quitting quitting;
        host.game->Ui = &quitting;
        if (ended) waits.script[WaitPage::ServerClose] = [&] { host.model.End(NetEnd::SessionLost); };
        EXPECT_EQ(NetGameLoop(host.net, waits), NetGameEnd::Quit);
        EXPECT_EQ(quitting.log.size(), 1u);  // he was asked
        EXPECT_EQ(host.game->GameMode, ModeNetServer);
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Leave), 0);
    }
}

// The server's state falls in the year it computes, the only other person playing the last
// state: he is the heir. A hand-over that cannot reach him (his computer left, its leave not yet
// here) is reported, and the server keeps the role and sends the year's results instead. The
// hooks that time the computing bracket it.
TEST_F(NetGameLoopTest, AFallenServersHeirMayPlayTheLastStateAndAnUnreachableOneLeavesTheRoleHere) {
    for (bool reachable : {true, false}) {
        s1.sent.clear();
        test::NetPeer host{s1, test::MakeNetGame(1)};
        host.game->Ui = &ui;
        host.game->mGos[2].Human = host.game->mGos[3].Human = 0;
        host.game->mGos[4].Human = 3;
        host.game->mGos[4].PlayerName.set("Player3");
        waits.script[WaitPage::ServerWait] = [&] {
            host.model.Find(3)->turnFinished = true;
            if (!reachable) s3.Close();
            const StateChange change(*host.game);
            host.game->mGos[1].Alive = 0;
        };
        std::vector<int> hooks;
        const NetGameOptions options{.serverPause = {},
                                     .simulationBegins = [&] { hooks.push_back(host.game->Year); },
                                     .simulationEnds = [&] { hooks.push_back(host.game->Year); }};
        EXPECT_EQ(NetGameLoop(host.net, waits, options), NetGameEnd::Defeated);
        EXPECT_EQ(hooks, (std::vector<int>{7, 8}));
        EXPECT_EQ(host.game->GameMode, reachable ? ModeNetClient : ModeNetServer);
        EXPECT_EQ(host.model.serverId, reachable ? 3u : 1u);
        EXPECT_EQ(test::CountKind(s1.sent, BlockKind::Leave), 1);
        const auto& lines = host.controls.chat.Lines(ChatPane::Command);
        const bool reported = std::ranges::any_of(lines, [](const ChatPaneLine& l) {
            return l.text.find("Player3") != std::string::npos && l.colour == color::Red;
        });
        EXPECT_EQ(reported, !reachable);
    }
}

// A game started from the lobby knows no server yet: its server names itself as the year begins,
// so that another person's block only the server may send, such as the game's end, is refused.
TEST_F(NetGameLoopTest, TheServerNamesItselfSoThatNoOtherPersonEndsTheGame) {
    test::NetPeer host{s1, test::MakeNetGame(1)};
    host.game->Ui = &ui;
    host.model.serverId = 0;
    waits.script[WaitPage::ServerWait] = [&] {
        EXPECT_NE(host.Receive(2, EncodeSmall(BlockKind::GameOver)), BlockOutcome::Applied);
    };
    EXPECT_EQ(NetGameLoop(host.net, waits), NetGameEnd::Aborted);  // the turns never came
    EXPECT_EQ(host.model.serverId, 1u);
}

// The year's results close the client's wait of that year only: after his next turn he waits for
// the others again, and does not play the same year twice.
TEST_F(NetGameLoopTest, TheYearsResultsCloseOnlyThatYearsWait) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server, 2))), BlockOutcome::Applied);
    };
    int years = 0;
    const NetGameEnd end = NetGameLoop(client.net, waits, {.yearBegins = [&](NetContext&) { return ++years < 3; }});
    EXPECT_EQ(end, NetGameEnd::Aborted);  // nobody's turn of the second year came
    EXPECT_EQ(years, 2);
    EXPECT_EQ(SentOfKind(BlockKind::PlayerTurn), 2);
}

// The client's state falls after every other person's: he is told the computers won the game.
TEST_F(NetGameLoopTest, AClientWhoseStateFellLastHearsTheComputersWon) {
    waits.script[WaitPage::ServerWait] = [this] {
        ServerPlaysTheYear();
        server->mGos[2].Alive = 0;
        ASSERT_EQ(client.Receive(1, PackEnvelope(EncodeTurnResult(*server, 2))), BlockOutcome::Applied);
        const StateChange change(*client.game);
        client.game->mGos[1].Alive = client.game->mGos[3].Alive = 0;
    };
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::Defeated);
    EXPECT_EQ(std::ranges::count(ui.log, client.game->Msg(Msg::MachineWonGame)), 1);
    EXPECT_EQ(ui.windows.back(), "charts");
}

// A mark of an ended turn left in a state from before the game began is wiped as the server's game
// begins: its first full state tells a client nobody's turn has ended.
TEST_F(NetGameLoopTest, TheFirstFullStateCarriesNoTurnEndedBefore) {
    test::NetPeer host{s1, test::MakeNetGame(1)};
    host.game->Ui = &ui;
    host.game->mGos[3].Captured = TurnFinishedMark;
    EXPECT_EQ(NetGameLoop(host.net, waits), NetGameEnd::Aborted);  // the turns never came
    const auto first = std::ranges::find_if(s1.sent, [](const test::FakeSession::Sent& x) {
        return x.to == 2 && test::CountKind({x}, BlockKind::FullState) == 1;
    });
    ASSERT_NE(first, s1.sent.end());
    ASSERT_EQ(client.Receive(1, first->block), BlockOutcome::Applied);
    EXPECT_FALSE(client.model.Find(3)->turnFinished);
}

// A client who ends his turn has his soldiers spread over their slots again before it goes out.
TEST_F(NetGameLoopTest, AnEndedTurnGoesOutWithItsSoldiersSpread) {
    struct Ending final : HeadlessUi {
        ModalResult CommandScreen() override { return ModalResult::EndTurn; }
    } ending;
    client.game->Ui = &ending;
    EXPECT_EQ(NetGameLoop(client.net, waits), NetGameEnd::Aborted);  // the year's results never came
    const auto& home = client.game->mGos[2].Border[2].Troops;
    EXPECT_NE(home[2] + home[3], 0);
}

}  // namespace
}  // namespace korvant
