// The lobby's rules without windows: roles, names, the start, a saved game resumed, and the
// server vanishing under a running game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/state_fields.h"
#include "core/text_format.h"
#include "game/lobby.h"
#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/headless_net_controls.h"
#include "net/heir.h"
#include "net/open_error_message.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/rejoin.h"
#include "net/rejoined_block.h"
#include "net/senders.h"
#include "net/small_block.h"
#include "net/takeover.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace korvant {
namespace {

class NoWindows final : public NetGameWindows {
public:
    WaitResult Wait(WaitPoll&) override { return WaitResult::Closed; }
    void Pause(std::chrono::milliseconds) override {}
};

class ViewLog final : public LobbyView {
public:
    void CloseLobby() override { ++closes; }
    void HideMap() override { ++mapsHidden; }
    void MakingMap() override { ++mapsMade; }
    void GameRunning(bool on) override { running = on; }
    int closes = 0;
    bool running = false;
    int mapsHidden = 0;
    int mapsMade = 0;
};

// One computer's lobby over a fake session.
struct Computer {
    Computer(test::FakeSession& s, std::unique_ptr<Game> g) : game(std::move(g)), session(s) {
        game->Ui = &ui;
        session.SetListener(&lobby);
    }
    std::unique_ptr<Game> game;
    test::FakeSession& session;
    HeadlessUi ui;
    HeadlessNetControls controls;
    NoWindows windows;
    ViewLog view;
    Lobby lobby{*game, session, controls, windows, view};

    bool Said(Msg id) const { return std::ranges::count(ui.log, game->Msg(id)) > 0; }
    bool Chatted(const std::string& text) const {
        return std::ranges::count(controls.chat.Lines(ChatPane::Command), text, &ChatPaneLine::text) > 0;
    }
};

class LobbyTest : public ::testing::Test {
protected:
    Computer& Open(const std::string& name, std::unique_ptr<Game> game = std::make_unique<Game>()) {
        computers.push_back(std::make_unique<Computer>(network.NewSession(), std::move(game)));
        Computer& c = *computers.back();
        c.lobby.BeginOpening();
        c.session.Open(name);
        network.Deliver();
        return c;
    }
    test::FakeNetwork network;
    std::vector<std::unique_ptr<Computer>> computers;
};

TEST_F(LobbyTest, TheFirstComputerServesAMapAndAJoinerWithATakenNameLeaves) {
    Computer& host = Open("Anna");
    EXPECT_EQ(host.game->GameMode, ModeNetServer);
    EXPECT_TRUE(host.lobby.SessionHost());
    EXPECT_EQ(host.game->GosCount, 20);
    EXPECT_EQ(host.game->MapSize, 100);
    EXPECT_EQ(host.game->DiffLevel, DiffNormal);
    host.lobby.SetStateCount(1);
    EXPECT_EQ(host.lobby.StateCount(), 2);
    host.lobby.SetStateCount(21);
    EXPECT_EQ(host.lobby.StateCount(), 20);
    host.lobby.SetStateCount(5);
    host.lobby.SetTurnMinutes(4);
    host.game->TurnMinutes = 9;  // a game played meanwhile
    host.lobby.Show();
    EXPECT_TRUE(host.lobby.Model().ready.enabled);  // the map made on opening stays usable
    EXPECT_EQ(host.lobby.StateCount(), Lobby::MaxStates);
    EXPECT_EQ(host.game->TurnMinutes, 4);

    Computer& guest = Open("Boris");
    EXPECT_EQ(guest.game->GameMode, ModeNetClient);
    EXPECT_TRUE(guest.lobby.Model().ready.enabled);  // the host sent its map again
    EXPECT_EQ(guest.game->GosCount, 20);
    EXPECT_EQ(guest.game->TurnMinutes, 4);  // and its turn length
    // The guest's lobby, shown again, keeps the server's turn length and the guest's page.
    guest.lobby.Show();
    EXPECT_EQ(guest.game->TurnMinutes, 4);
    EXPECT_FALSE(guest.controls.serverPage);
    EXPECT_TRUE(host.controls.serverPage);
    EXPECT_TRUE(guest.Chatted(FormatText(guest.game->Msg(Msg::PlayerAlreadyInSession), {"Anna"})));
    EXPECT_TRUE(host.Chatted("Boris> " + FormatText(host.game->Msg(Msg::VersionCaption), {KORVANT_VERSION})));
    // What the host chooses reaches his guest at once.
    host.lobby.SetTurnMinutes(0);  // turns without a time limit
    network.Deliver();
    EXPECT_EQ(guest.game->TurnMinutes, 0);
    host.lobby.SetTurnMinutes(MaxTurnMinutes + 5);
    network.Deliver();
    EXPECT_EQ(guest.game->TurnMinutes, MaxTurnMinutes);
    host.lobby.SetReady(true);
    guest.lobby.SetReady(true);
    network.Deliver();
    EXPECT_TRUE(host.lobby.Model().ready.on);
    EXPECT_TRUE(guest.lobby.Model().Find(1)->ready);
    // Shown again after a game, the map is no longer new: the host makes another first.
    guest.game->TurnMinutes = 0;
    host.lobby.Show();
    network.Deliver();
    EXPECT_FALSE(host.lobby.Model().ready.enabled);
    EXPECT_EQ(guest.game->TurnMinutes, MaxTurnMinutes);
    // A new map turns the guest's switch off, and everybody sees him no longer ready.
    guest.lobby.SetReady(true);
    host.lobby.NewMap();
    network.Deliver();
    EXPECT_FALSE(guest.lobby.Model().ready.on);
    EXPECT_FALSE(host.lobby.Model().Find(2)->ready);
    EXPECT_FALSE(guest.lobby.Model().Find(2)->ready);
    EXPECT_FALSE(host.lobby.Model().EveryoneReady());
    const TMapGrid before = guest.game->Map;
    host.game->DiffLevel = DiffExpert;
    host.lobby.NewMap();
    network.Deliver();
    EXPECT_EQ(host.lobby.Model().ready, (ReadySwitch{true, ReadyMapKnown, false}));
    EXPECT_EQ(host.view.mapsMade, 3);       // on opening and for each new map, said while it is made
    EXPECT_EQ(host.controls.mapsShown, 3);  // and shown once made
    EXPECT_EQ(host.game->DiffLevel, DiffNormal);
    const auto same = [](const TMapGrid& a, const TMapGrid& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    EXPECT_FALSE(same(guest.game->Map, before));
    EXPECT_TRUE(same(guest.game->Map, host.game->Map));

    Computer& twin = Open("anna");
    EXPECT_TRUE(twin.Said(Msg::PlayerNameTaken));
    EXPECT_EQ(twin.view.closes, 1);
    EXPECT_FALSE(twin.Chatted(FormatText(twin.game->Msg(Msg::PlayerAlreadyInSession), {"Anna"})));
    // He says why, then leaves the session.
    const auto& lines = host.controls.chat.Lines(ChatPane::Lobby);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].text, "anna> " + host.game->Msg(Msg::SomeoneUsedTakenName));
    EXPECT_EQ(lines.back().text, "anna> " + host.game->Msg(Msg::PlayerLeftSession));
    EXPECT_FALSE(twin.session.IsOpen());
    EXPECT_EQ(twin.lobby.Model().phase, NetPhase::Closed);
    EXPECT_EQ(host.lobby.Model().roster.size(), 2u);
}

// A session that cannot be opened, or is lost, says why; the lobby closes or the game ends.
TEST_F(LobbyTest, AFailedOrLostSessionSaysWhy) {
    Computer& c = Open("Anna");
    c.lobby.OnOpenFailed(OpenError::SessionFull);
    EXPECT_EQ(c.lobby.Model().phase, NetPhase::Closed);
    EXPECT_EQ(c.view.closes, 1);
    EXPECT_TRUE(c.Said(OpenFailureMessage(OpenError::SessionFull)));
    c.lobby.OnSessionLost();
    EXPECT_TRUE(c.Said(Msg::SessionLost));
    EXPECT_EQ(c.lobby.Model().end, NetEnd::SessionLost);
}

// A network game is played at the normal level, and a lobby opened again keeps nothing of the
// session before: no end, no players, no chat.
TEST_F(LobbyTest, ALobbyOpenedAgainKeepsNothingOfTheSessionBefore) {
    auto expert = std::make_unique<Game>();
    expert->DiffLevel = DiffExpert;
    Computer& host = Open("Anna", std::move(expert));
    EXPECT_EQ(host.game->DiffLevel, DiffNormal);
    EXPECT_EQ(host.controls.chat.Lines(ChatPane::Lobby).front().text, host.game->Msg(Msg::ChatHeader));
    auto training = std::make_unique<Game>();
    training->DiffLevel = DiffTraining;
    Computer& guest = Open("Boris", std::move(training));
    EXPECT_EQ(guest.game->DiffLevel, DiffNormal);
    guest.lobby.Net().model.End(NetEnd::ServerLost);
    ASSERT_FALSE(guest.controls.chat.Lines(ChatPane::Lobby).empty());
    guest.lobby.BeginOpening();
    EXPECT_EQ(guest.lobby.Model().phase, NetPhase::Opening);
    EXPECT_FALSE(guest.lobby.Model().Ended());
    EXPECT_TRUE(guest.lobby.Model().roster.empty());
    EXPECT_TRUE(guest.controls.chat.Lines(ChatPane::Lobby).empty());
}

TEST_F(LobbyTest, TheStartRefusesALonePlayerAndMorePlayersThanStatesAndPlacesEveryoneElse) {
    Computer& host = Open("Anna");
    host.lobby.SetReady(true);
    EXPECT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Alone);
    EXPECT_TRUE(host.Said(Msg::AloneInSession));
    EXPECT_FALSE(host.lobby.Model().ready.on);

    host.lobby.SetStateCount(2);
    host.lobby.NewMap();
    Open("Boris");
    Computer& third = Open("Владимир Красное Солнышко");
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    EXPECT_EQ(third.lobby.StartTick(), Lobby::StartCheck::TooManyPlayers);
    EXPECT_TRUE(third.Said(Msg::TooManyPlayers));
    EXPECT_FALSE(third.lobby.Model().ready.on);

    host.lobby.SetStateCount(5);
    host.lobby.NewMap();
    network.Deliver();
    host.lobby.SetReady(true);
    network.Deliver();
    EXPECT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Waiting);  // until everyone is ready
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    EXPECT_EQ(third.lobby.StartTick(), Lobby::StartCheck::Start);  // a client places nobody
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(third.game->mGos[s].Human, 0);
    ASSERT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Start);
    EXPECT_EQ(host.lobby.Model().phase, NetPhase::Starting);
    // The next tick finds the game started, and places nobody again.
    const auto placed = host.game->mGos;
    EXPECT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Start);
    EXPECT_EQ(std::memcmp(&placed, &host.game->mGos, sizeof placed), 0);
    std::set<int> taken;
    for (int s = 1; s <= 5; ++s) {
        EXPECT_EQ(host.game->mGos[s].Alive, 1);
        EXPECT_GT(host.game->mGos[s].Territory, 0);  // the borders were counted
        if (host.game->mGos[s].Human != 0) taken.insert(host.game->mGos[s].Human);
        if (host.game->mGos[s].Human == 3) {
            EXPECT_EQ(host.game->mGos[s].PlayerName.utf8(), "Владимир Крас");
        }
    }
    EXPECT_EQ(taken, (std::set<int>{1, 2, 3}));
}

// The game runs in the playing phase with the lobby hidden, and ends back in the lobby of its server
// with nobody ready.
TEST_F(LobbyTest, AGameRunsHiddenFromTheLobbyAndEndsInIt) {
    Computer& host = Open("Anna");
    Open("Boris");
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    ASSERT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Start);
    host.lobby.Net().model.netTurns = 7;       // of a game before
    host.lobby.Net().model.lobbyServerId = 2;  // the game he serves brings him the lobby too
    bool ran = false;
    const auto play = [&](NetEnd end) {
        NetGameOptions options;
        options.serverPause = {};
        options.yearBegins = [&](NetContext& net) {
            ran = true;
            EXPECT_EQ(net.model.phase, NetPhase::Playing);
            EXPECT_EQ(net.model.netTurns, 0);
            EXPECT_TRUE(host.view.running);
            // The lobby's start timer, ticking on under the game, starts nothing.
            EXPECT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Waiting);
            if (end != NetEnd::None) net.model.End(end);
            return false;
        };
        host.lobby.PlayGame(options);
    };
    play(NetEnd::None);
    EXPECT_TRUE(ran);
    EXPECT_EQ(test::CountKind(host.session.sent, BlockKind::Start), 1);  // the server starts the game
    EXPECT_FALSE(host.view.running);
    EXPECT_EQ(host.view.mapsHidden, 1);  // the game's map is not the lobby's
    EXPECT_EQ(host.lobby.Model().phase, NetPhase::Lobby);
    EXPECT_EQ(host.lobby.Model().lobbyServerId, 1u);
    EXPECT_EQ(host.lobby.Model().serverId, 0u);
    EXPECT_FALSE(host.lobby.Model().Ended() || host.lobby.Model().fullStateReceived);
    EXPECT_TRUE(host.lobby.Model().backup.empty());  // the game's last backup went with it
    EXPECT_FALSE(host.lobby.Model().ready.on);
    EXPECT_FALSE(host.lobby.Model().EveryoneReady());
    // A newcomer hears no ready tick left over from the game.
    Computer& newcomer = Open("Vera");
    EXPECT_FALSE(newcomer.lobby.Model().Find(1)->ready);

    // A client goes back to the lobby of whoever served the game last, if he is still there.
    Computer& client = *computers[1];
    for (PlayerId last : {3u, 99u}) {
        client.lobby.Net().model.phase = NetPhase::Starting;
        client.lobby.PlayGame({.serverPause = {}, .yearBegins = [&](NetContext& net) {
                                   net.model.serverId = last;  // Vera took the game over; then one who is gone
                                   return false;
                               }});
        EXPECT_EQ(client.lobby.Model().lobbyServerId, 3u);
    }
    EXPECT_EQ(test::CountKind(client.session.sent, BlockKind::Start), 0);

    // A game whose server was lost leaves no session to go back to.
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    host.lobby.Net().model.phase = NetPhase::Starting;
    play(NetEnd::ServerLost);
    EXPECT_FALSE(host.session.IsOpen());
    EXPECT_EQ(host.lobby.Model().phase, NetPhase::Closed);
    EXPECT_EQ(host.view.closes, 1);
}

TEST_F(LobbyTest, AsManyPlayersAsStatesStart) {
    Computer& host = Open("Anna");
    host.lobby.SetStateCount(3);
    host.lobby.NewMap();
    Open("Boris");
    Open("Vera");
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    ASSERT_EQ(host.lobby.StartTick(), Lobby::StartCheck::Start);
    for (int s = 1; s <= 3; ++s) EXPECT_NE(host.game->mGos[s].Human, 0);
}

// The server that leaves its lobby hands it to the last remote player, also when it is itself the
// newest member; the others see the same heir, and a lobby whose server vanished finds one too.
TEST_F(LobbyTest, TheLobbyPassesToTheLastRemotePlayerWhenItsServerLeaves) {
    Computer& first = Open("Anna");
    Computer& second = Open("Boris");
    Computer& third = Open("Vera");
    // The role went to Vera once before; now she leaves as the newest member.
    first.game->GameMode = ModeNetClient;
    third.game->GameMode = ModeNetServer;
    for (auto& c : computers) c->lobby.Net().model.lobbyServerId = 3;
    third.lobby.Close();
    network.Deliver();
    EXPECT_FALSE(third.session.IsOpen());
    EXPECT_EQ(third.lobby.Model().phase, NetPhase::Closed);
    EXPECT_EQ(test::CountKind(third.session.sent, BlockKind::BecomeServer), 1);
    EXPECT_EQ(third.session.sent.back().to, 2u);  // not to herself
    EXPECT_EQ(second.game->GameMode, ModeNetServer);
    for (Computer* c : {&first, &second}) c->lobby.OnDeletePlayer({3, "Vera", true});
    EXPECT_EQ(first.lobby.Model().lobbyServerId, 2u);
    EXPECT_EQ(first.game->GameMode, ModeNetClient);

    // Boris vanishes without a word: Anna, the last player left, serves the lobby.
    first.lobby.OnDeletePlayer({2, "Boris", true});
    EXPECT_EQ(first.lobby.Model().lobbyServerId, 1u);
    EXPECT_EQ(first.game->GameMode, ModeNetServer);
    EXPECT_EQ(first.controls.serverPage, true);
    EXPECT_EQ(first.lobby.Model().ready, ReadySwitch{});  // until she makes a map
    // Alone, she has nobody to hand the lobby to.
    second.session.Close();
    network.Deliver();
    first.lobby.Close();
    EXPECT_EQ(test::CountKind(first.session.sent, BlockKind::BecomeServer), 0);
}

TEST_F(LobbyTest, ANewcomerHearsWhoIsReadyAndListsEveryoneOnce) {
    Computer& host = Open("Anna");
    host.lobby.SetReady(true);
    Computer& late = Open("Boris");
    const std::vector<NetMember>& roster = late.lobby.Model().roster;
    ASSERT_EQ(roster.size(), 2u);
    EXPECT_TRUE(roster[0].ready);
    EXPECT_FALSE(roster[1].ready);
    // The session reports its own player after the open too, and may report a player twice.
    late.lobby.OnAddPlayer({late.session.LocalId(), "Boris", false});
    late.lobby.OnAddPlayer({host.session.LocalId(), "Anna", true});
    EXPECT_EQ(roster.size(), 2u);
    EXPECT_TRUE(roster[0].ready);
    // Who took his ready back does not say it again to the next newcomer.
    late.lobby.SetReady(true);
    late.lobby.SetReady(false);
    const std::vector<NetMember>& third = Open("Vera").lobby.Model().roster;
    ASSERT_EQ(third.size(), 3u);
    EXPECT_TRUE(third[0].ready);
    EXPECT_FALSE(third[1].ready);
}

// The saved game's persons are Player1..Player3; state 4 belonged to "Gone", who left it.
TEST_F(LobbyTest, ASavedGameStartsAtOnceForExactlyItsPersonsAndReportsWhoBelongsOtherwise) {
    const auto saved = test::MakeNetGame(1);
    saved->mGos[4].PlayerName.set("Gone");
    for (int s = 1; s <= 3; ++s) saved->mGos[s].Human = 100 + s;  // ids of the session it was saved in
    // A person whose state fell before the game was saved is nobody to wait for.
    saved->GosCount = 5;
    saved->mGos[5].Human = 105;
    saved->mGos[5].PlayerName.set("Fallen");
    saved->mGos[5].Alive = 0;
    const auto load = [&](Game& g) {
        g.GosCount = saved->GosCount;
        g.mGos = saved->mGos;
    };
    Computer& host = Open("Player1");
    Open("player2");
    Open("Player3");
    load(*host.game);
    // Whoever loads it serves it, at the normal level, and no map of the lobby is offered.
    host.game->GameMode = ModeNetClient;
    host.game->DiffLevel = DiffExpert;
    host.lobby.SetReady(true);
    EXPECT_TRUE(host.lobby.AcceptLoadedGame());
    EXPECT_EQ(host.game->GameMode, ModeNetServer);
    EXPECT_EQ(host.game->DiffLevel, DiffNormal);
    EXPECT_EQ(host.lobby.Model().ready, ReadySwitch{});
    EXPECT_EQ(host.lobby.Model().phase, NetPhase::Starting);
    EXPECT_EQ(host.view.mapsHidden, 1);
    EXPECT_TRUE(host.ui.log.empty());
    EXPECT_EQ(host.game->mGos[2].Human, 2);

    // One of its persons is missing: he is reported, and a person of the game is asked.
    host.lobby.OnDeletePlayer({3, "Player3", true});
    load(*host.game);
    EXPECT_TRUE(host.lobby.AcceptLoadedGame());
    ASSERT_EQ(host.ui.log.size(), 2u);
    EXPECT_EQ(host.ui.log[1], host.game->Msg(Msg::NotAllPlayersPresent));
    host.ui.log.clear();

    Open("Guest");
    load(*host.game);
    EXPECT_TRUE(host.lobby.AcceptLoadedGame());  // asked, and the person of the game said yes
    ASSERT_EQ(host.ui.log.size(), 2u);
    EXPECT_EQ(host.ui.log[0], host.game->Msg(Msg::SavedForPlayers) + "1. Player1\n2. Player2\n3. Player3\n" +
                                  host.game->Msg(Msg::PlayersWhoLeft) + "1. Gone\n");
    EXPECT_EQ(host.ui.log[1], host.game->Msg(Msg::NotAllPlayersPresent));

    // Loaded by a computer whose person is not of the game: only the report, nobody is asked.
    Computer& guest = *computers.back();
    load(*guest.game);
    EXPECT_FALSE(guest.lobby.AcceptLoadedGame());
    EXPECT_EQ(guest.ui.log.size(), 1u);

    saved->mGos[1].Alive = 0;  // a person whose state fell is seated nowhere
    load(*host.game);
    host.lobby.AcceptLoadedGame();
    EXPECT_EQ(host.game->mGos[1].Human, 0);
}

// A newcomer gets the host's map only while the host offers it; once a game starts he hears
// nothing of the lobby, and only the game's server tells him, once it plays, that a game runs.
TEST_F(LobbyTest, ANewcomerHearsTheLobbyOnlyBeforeTheStartAndTheGameOnlyFromItsServer) {
    Computer& host = Open("Anna");
    host.lobby.Show();
    host.lobby.Show();  // shown again after a game: no map is offered until the host makes one
    EXPECT_EQ(host.view.mapsHidden, 1);
    const int opened = test::CountKind(host.session.sent, BlockKind::Map);
    Computer& guest = Open("Boris");
    EXPECT_FALSE(guest.lobby.Model().ready.enabled);
    EXPECT_EQ(test::CountKind(host.session.sent, BlockKind::Map), opened);
    host.lobby.NewMap();
    for (auto& c : computers) c->lobby.SetReady(true);
    network.Deliver();
    const auto sentBy = [](Computer& c, BlockKind kind) { return test::CountKind(c.session.sent, kind); };
    const int maps = sentBy(host, BlockKind::Map), readies = sentBy(host, BlockKind::Ready);
    for (auto& c : computers) c->lobby.Net().model.phase = NetPhase::Starting;
    Open("Vera");
    for (auto& c : computers) c->lobby.Net().model.phase = NetPhase::Playing;
    const PlayerId late = Open("Gleb").session.LocalId();
    EXPECT_EQ(sentBy(host, BlockKind::Map), maps);
    EXPECT_EQ(sentBy(host, BlockKind::Ready), readies);
    EXPECT_EQ(sentBy(guest, BlockKind::GameRuns), 0);
    ASSERT_EQ(sentBy(host, BlockKind::GameRuns), 1);
    EXPECT_EQ(host.session.sent.back().to, late);
}

// The server of two hands the lobby to the other when it leaves; a leaving client hands nothing.
TEST_F(LobbyTest, AServerLeavingALobbyOfTwoHandsItOnAndALeavingClientHandsNothing) {
    Computer& host = Open("Anna");
    Computer& guest = Open("Boris");
    Computer& third = Open("Vera");
    third.lobby.Close();
    network.Deliver();
    EXPECT_EQ(test::CountKind(third.session.sent, BlockKind::BecomeServer), 0);
    host.lobby.Close();
    network.Deliver();
    EXPECT_EQ(test::CountKind(host.session.sent, BlockKind::BecomeServer), 1);
    EXPECT_EQ(guest.game->GameMode, ModeNetServer);
    // The lobby's new server, not the computer that opened the session, gives a newcomer its map.
    guest.lobby.SetStateCount(3);
    guest.lobby.NewMap();
    Computer& late = Open("Dmitri");
    EXPECT_TRUE(late.lobby.Model().ready.enabled);
    EXPECT_EQ(late.game->GosCount, 3);
}

// A saved game whose last state is a person's seats him there; the game's persons with a stranger
// besides are not the game's persons alone, so a person of the game is asked.
TEST_F(LobbyTest, ASavedGamesLastStateSeatsItsPersonAndAStrangerBesidesIsReported) {
    auto saved = test::MakeNetGame(1);
    saved->mGos[4].Human = 103;  // Player3 moved to the last state, the computer took his
    saved->mGos[4].PlayerName.set("Player3");
    saved->mGos[3].Human = 0;
    saved->mGos[3].PlayerName.clear();
    Open("Player1");
    Open("Player2");
    Computer& last = Open("Player3");
    Open("Guest");
    last.game->GosCount = saved->GosCount;
    last.game->mGos = saved->mGos;
    EXPECT_TRUE(last.lobby.AcceptLoadedGame());
    ASSERT_EQ(last.ui.log.size(), 2u);
    EXPECT_EQ(last.ui.log[0], last.game->Msg(Msg::SavedForPlayers) + "1. Player1\n2. Player2\n3. Player3\n");
    EXPECT_EQ(last.ui.log[1], last.game->Msg(Msg::NotAllPlayersPresent));
    EXPECT_EQ(last.game->mGos[4].Human, 3);
    EXPECT_EQ(last.game->mGos[3].Human, 0);
}

TEST_F(LobbyTest, AClientWhoseServerVanishesEndsItsGameButNotWhenTheServerLeftOrEndedItFirst) {
    Open("Player1");
    Computer& lost = Open("Player2");
    Computer& told = Open("Player3");
    Computer& ended = Open("Player4");
    for (Computer* c : {&lost, &told, &ended}) {
        c->lobby.Net().model.phase = NetPhase::Playing;
        c->lobby.Net().model.serverId = 1;
    }
    told.session.Listener()->OnMessage(1, EncodeSmall(BlockKind::Leave));
    ended.session.Listener()->OnMessage(1, EncodeSmall(BlockKind::GameOver));
    for (Computer* c : {&lost, &told, &ended}) c->lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(told.lobby.Model().end, NetEnd::None);
    // The first reason the game ended is the one it ended for: the session stays open.
    EXPECT_EQ(ended.lobby.Model().end, NetEnd::EndedByServer);
    EXPECT_TRUE(told.ui.log.empty());

    EXPECT_EQ(lost.lobby.Model().end, NetEnd::ServerLost);
    EXPECT_EQ(lost.lobby.Model().serverId, 0u);
    EXPECT_EQ(lost.ui.log, std::vector<std::string>{"Error. Server not found."});
    EXPECT_EQ(lost.controls.chat.Lines(ChatPane::Wait).back().text, "Player1> " + lost.game->Msg(Msg::ServerVanished));
}

TEST_F(LobbyTest, AClientNoticesItsLobbysServerVanishingBeforeTheFirstFullState) {
    Computer& host = Open("Player1");
    Computer& client = Open("Player2");
    host.lobby.SetTurnMinutes(3);
    network.Deliver();
    client.lobby.Net().model.phase = NetPhase::Starting;
    // No windows: the first wait closes at once, and the server vanishes under it.
    client.lobby.PlayGame({.yearBegins = [&](NetContext&) {
        EXPECT_EQ(client.lobby.Model().serverId, 1u);
        client.lobby.OnDeletePlayer({1, "Player1", true});
        EXPECT_EQ(client.lobby.Model().end, NetEnd::ServerLost);
        return false;
    }});
    EXPECT_EQ(client.ui.log, std::vector<std::string>{"Error. Server not found."});
}

// A game of three whose server, player 1, is about to be lost in year 7.
class LostComputerTest : public LobbyTest {
protected:
    void SetUp() override {
        for (Computer* c : all) InGame(*c);
    }
    // The computer plays its state of the net game, whose server is player 1.
    static void InGame(Computer& c) {
        Game& g = *c.game;
        const auto net = test::MakeNetGame(int(c.session.LocalId()));
        ForEachField(state::Saved, [&](const auto& f) { f.of(g) = f.of(*net); });
        g.Rules = net->Rules;
        g.GameMode = net->GameMode;
        g.CurGos = net->CurGos;
        c.lobby.Net().model.phase = NetPhase::Playing;
        c.lobby.Net().model.serverId = 1;
    }
    Computer& server = Open("Player1");
    Computer& heir = Open("Player2");
    Computer& other = Open("Player3");
    std::vector<Computer*> all{&server, &heir, &other};
};

// The server sent its backup with the year's data and got the third person's turn; the heir is
// still making his. The server vanishes: the heir serves the year from the backup with his own
// turn as he left it, and the third person, who hears of it before he sees the server go, sends
// his turn again.
TEST_F(LostComputerTest, TheHeirTakesOverFromTheBackupAndTheYearsTurnsAreSentAgain) {
    {
        const StateChange change(*server.game);
        server.game->mGos[4].Money = 4444;  // what only the server's game knows
    }
    server.lobby.Net().model.dropped[4] = "Vera";
    ASSERT_TRUE(SendBackup(server.lobby.Net()));
    network.Deliver();
    other.game->mGos[3].Money = 777;
    SendPlayerTurn(other.lobby.Net());
    SendTurnDone(other.lobby.Net());
    network.Deliver();
    {
        const StateChange change(*heir.game);
        heir.game->mGos[2].Money = 555;
        heir.game->mGeneral[2].Knowledge = 77;
    }
    heir.lobby.Net().model.keptTurn = {1, 2, 3};  // a turn of his, kept for a server that might vanish
    EXPECT_TRUE(heir.lobby.Model().Find(3)->turnFinished);

    heir.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(heir.game->GameMode, ModeNetServer);
    EXPECT_EQ(heir.lobby.Model().serverId, 2u);
    EXPECT_EQ(heir.game->mGos[4].Money, 4444);
    EXPECT_EQ(heir.lobby.Model().dropped.at(4), "Vera");
    EXPECT_EQ(heir.game->mGos[2].Money, 555);  // his own turn, generals too, as he made it
    EXPECT_EQ(heir.game->mGeneral[2].Knowledge, 77);
    EXPECT_EQ(heir.game->mGos[3].Money, 503);  // the year began so; his turn is asked for again
    EXPECT_FALSE(heir.lobby.Model().Find(3)->turnFinished);
    EXPECT_EQ(heir.game->mGos[1].Human, 0);
    EXPECT_TRUE(heir.game->mGos[1].PlayerName.utf8().empty());
    EXPECT_EQ(heir.game->CurGos, 2);
    EXPECT_EQ(heir.lobby.Model().dropped.at(1), "Player1");
    EXPECT_EQ(heir.lobby.Model().end, NetEnd::None);
    EXPECT_EQ(heir.lobby.Model().heir, 0u);
    EXPECT_TRUE(heir.lobby.Model().keptTurn.empty());
    EXPECT_EQ(heir.controls.chat.Lines(ChatPane::Command).back().text,
              "Player2> " + heir.game->Msg(Msg::TookOverServer));

    network.Deliver();  // the takeover reaches the third person while the server is listed there
    EXPECT_EQ(other.lobby.Model().earlyTakeover, 2u);
    other.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(other.lobby.Model().serverId, 2u);
    EXPECT_EQ(other.lobby.Model().heir, 0u);         // no heir awaited any more: the next loss is a new one
    EXPECT_EQ(other.game->GameMode, ModeNetClient);  // the last player takes no lobby's role in a game
    EXPECT_TRUE(other.lobby.Model().earlyBlocks.empty());
    EXPECT_TRUE(other.Chatted("Player1> " + FormatText(other.game->Msg(Msg::ServerVanishedHeirFollows), {"Player2"})));
    network.Deliver();
    EXPECT_EQ(heir.game->mGos[3].Money, 777);
    EXPECT_TRUE(heir.lobby.Model().Find(3)->turnFinished);
    EXPECT_EQ(other.lobby.Model().end, NetEnd::None);
    EXPECT_EQ(other.controls.chat.Lines(ChatPane::Command).back().text,
              "Player2> " + other.game->Msg(Msg::TookOverServer));
    // The new server's heir has the game at once.
    EXPECT_FALSE(other.lobby.Model().backup.empty());
}

// A takeover heard early from the heir of that moment is forgotten when another is the heir once
// the server goes (the first one's state fell meanwhile): his later blocks are heard again.
TEST_F(LostComputerTest, AnEarlyTakeoverByWhoIsNoLongerTheHeirIsForgotten) {
    Computer& fourth = Open("Player4");
    InGame(fourth);
    fourth.game->mGos[4].Human = 4;
    network.Deliver();
    fourth.session.Listener()->OnMessage(2, EncodeSmall(BlockKind::TookOver, fourth.game->Year));
    ASSERT_EQ(fourth.lobby.Model().earlyTakeover, 2u);
    fourth.session.Listener()->OnMessage(2, EncodeChat("held back", 0));
    ASSERT_EQ(fourth.lobby.Model().earlyBlocks.size(), 1u);
    fourth.game->mGos[2].Alive = 0;
    fourth.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(fourth.lobby.Model().heir, 3u);
    EXPECT_TRUE(fourth.lobby.Model().earlyBlocks.empty());  // what he sent then is forgotten too
    fourth.session.Listener()->OnMessage(2, EncodeChat("still here", 0));
    EXPECT_TRUE(fourth.lobby.Model().earlyBlocks.empty());
}

// While the heir is awaited, another person leaving is no vanished server: the heir stays.
TEST_F(LostComputerTest, AnotherPersonLeavingWhileTheHeirIsAwaitedLeavesTheHeir) {
    Computer& fourth = Open("Player4");
    InGame(fourth);
    fourth.game->mGos[4].Human = 4;
    network.Deliver();
    fourth.lobby.OnDeletePlayer({1, "Player1", true});
    ASSERT_EQ(fourth.lobby.Model().heir, 2u);
    fourth.lobby.OnDeletePlayer({3, "Player3", true});
    EXPECT_EQ(fourth.lobby.Model().heir, 2u);
    EXPECT_EQ(fourth.lobby.Model().end, NetEnd::None);
}

// While the game starts (its first full state has come), a leaving person's state is kept for
// his return, and a vanished server is awaited from its heir as in any year, not left as a lobby.
TEST_F(LostComputerTest, WhileTheGameStartsALeaverKeepsHisStateAndAVanishedServerHasAnHeir) {
    for (Computer* c : all) c->lobby.Net().model.phase = NetPhase::Starting;
    heir.lobby.OnDeletePlayer({3, "Player3", true});
    EXPECT_EQ(heir.lobby.Model().dropped.at(3), "Player3");
    other.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(other.lobby.Model().heir, 2u);
    EXPECT_EQ(other.game->GameMode, ModeNetClient);
}

// Only the heir's takeover counts, and only once the server is gone; the server keeps a turn
// counted done only with the turn itself.
TEST_F(LostComputerTest, NobodyButTheHeirTakesOverAndATurnIsDoneOnlyWithItsTurn) {
    auto refused = [&](Computer& c, PlayerId from, BlockKind kind) {
        const std::size_t before = c.controls.chat.Lines(ChatPane::Lobby).size();
        c.session.Listener()->OnMessage(from, EncodeSmall(kind, 7));
        return c.controls.chat.Lines(ChatPane::Lobby).size() == before + 1;
    };
    EXPECT_TRUE(refused(heir, 3, BlockKind::TookOver));
    // The heir is the next living person after the server in the session's order.
    other.game->mGos[2].Alive = 0;
    EXPECT_EQ(HeirOf(other.lobby.Model(), *other.game, 1), 3u);
    other.game->mGos[3].Alive = 0;  // and with nobody but the server alive, nobody
    EXPECT_EQ(HeirOf(other.lobby.Model(), *other.game, 1), 0u);
    other.game->mGos[2].Alive = other.game->mGos[3].Alive = 1;
    // A backup of a year gone by is no game to serve: nobody can take over here.
    server.game->Year -= 1;
    ASSERT_TRUE(SendBackup(server.lobby.Net()));
    network.Deliver();
    ASSERT_FALSE(heir.lobby.Model().backup.empty());
    heir.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(heir.lobby.Model().end, NetEnd::ServerLost);
    EXPECT_EQ(heir.game->GameMode, ModeNetClient);
    other.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(other.lobby.Model().heir, 2u);  // waits for him; he will end his game and leave
    const std::size_t sentBefore = other.session.sent.size();
    EXPECT_TRUE(SendPlayerTurn(other.lobby.Net()));  // kept for the heir, not a lost server
    EXPECT_EQ(other.lobby.Model().end, NetEnd::None);
    EXPECT_FALSE(other.lobby.Model().keptTurn.empty());
    EXPECT_EQ(other.session.sent.size(), sentBefore);  // nobody to send it to yet
    EXPECT_EQ(other.lobby.Model().serverId, 0u);
    EXPECT_EQ(other.lobby.Model().end, NetEnd::None);
    // The heir he waits for vanishes too: he is the heir now, and has no backup to serve from.
    other.lobby.OnDeletePlayer({2, "Player2", true});
    EXPECT_EQ(other.lobby.Model().end, NetEnd::ServerLost);

    server.session.Listener()->OnMessage(3, EncodeSmall(BlockKind::TurnDone));
    EXPECT_FALSE(server.lobby.Model().Find(3)->turnFinished);
    server.session.Listener()->OnMessage(3, EncodePlayerTurn(*other.game));
    server.session.Listener()->OnMessage(3, EncodeSmall(BlockKind::TurnDone));
    EXPECT_TRUE(server.lobby.Model().Find(3)->turnFinished);
    // A new year: last year's turn does not make this year's done.
    server.lobby.Net().model.ClearTurns();
    server.session.Listener()->OnMessage(3, EncodeSmall(BlockKind::TurnDone));
    EXPECT_FALSE(server.lobby.Model().Find(3)->turnFinished);
}

// The heir cannot take over (no backup came), but the year's results are here: he plays them, and
// his game ends only when his turn finds no server.
TEST_F(LostComputerTest, AnHeirWhoCannotTakeOverPlaysTheResultsHeHas) {
    heir.lobby.Net().model.turnResultReceived = true;
    heir.lobby.OnDeletePlayer({1, "Player1", true});
    EXPECT_EQ(heir.lobby.Model().end, NetEnd::None);
    EXPECT_TRUE(heir.ui.log.empty());
    EXPECT_EQ(heir.game->GameMode, ModeNetClient);
    EXPECT_FALSE(SendPlayerTurn(heir.lobby.Net()));
    EXPECT_EQ(heir.lobby.Model().end, NetEnd::ServerLost);
    // So does the third person, waiting for an heir who has gone too, with the year's full state.
    other.lobby.Net().model.fullStateReceived = true;
    other.lobby.OnDeletePlayer({1, "Player1", true});
    other.lobby.OnDeletePlayer({2, "Player2", true});
    EXPECT_EQ(other.lobby.Model().end, NetEnd::None);
    EXPECT_TRUE(other.ui.log.empty());
}

// The heir leaves: the server's backup goes at once to the person who is heir now.
TEST_F(LostComputerTest, TheNextHeirGetsTheBackupWhenTheHeirLeaves) {
    ASSERT_TRUE(SendBackup(server.lobby.Net()));
    network.Deliver();
    EXPECT_TRUE(other.lobby.Model().backup.empty());
    heir.session.Close();
    network.Deliver();
    EXPECT_FALSE(other.lobby.Model().backup.empty());
}

// Anybody else leaving sends no backup: not the server, whose heir has it already, nor the heir,
// who only keeps his.
TEST_F(LostComputerTest, NobodyButTheHeirLeavingSendsTheBackupAgain) {
    ASSERT_TRUE(SendBackup(server.lobby.Net()));
    network.Deliver();
    ASSERT_FALSE(heir.lobby.Model().backup.empty());
    other.session.Close();
    network.Deliver();
    EXPECT_EQ(test::CountKind(server.session.sent, BlockKind::Backup), 1);
    EXPECT_EQ(test::CountKind(heir.session.sent, BlockKind::Backup), 0);
}

// Player 3 dropped out of the session. Under his name, in any letter case, he is offered his
// state, asks for it and is seated when the next year begins; a stranger, or one who takes the
// name of a person still playing, gets nothing.
// The heir is the first person after the vanished server in session order, also when the server
// is not the first player: the player before him waits for the one after.
TEST_F(LostComputerTest, TheHeirOfAServerLaterInTheOrderIsThePersonAfterHim) {
    EXPECT_EQ(HeirOf(other.lobby.Model(), *other.game, 3), 1u);  // after the last, the order begins again
    for (Computer* c : all) c->lobby.Net().model.serverId = 2;
    server.game->GameMode = ModeNetClient;
    server.lobby.OnDeletePlayer({2, "Player2", true});
    EXPECT_EQ(server.lobby.Model().heir, 3u);
    EXPECT_EQ(server.game->GameMode, ModeNetClient);
}

// A backup of the next year in which the heir's own state has fallen is no game for him to serve.
TEST_F(LostComputerTest, AnHeirWhoseStateFellInTheBackupsYearDoesNotTakeOver) {
    auto next = test::MakeNetGame(1);
    next->Year = heir.game->Year + 1;
    for (int alive : {0, 1}) {
        next->mGos[2].Alive = alive;
        heir.lobby.Net().model.backup = EncodeBackup(*next, {});
        EXPECT_EQ(TakeOver(heir.lobby.Net()), alive == 1);
    }
}

// A newcomer who asked for his state and left again takes his request with him: back once more,
// he gets his state.
TEST_F(LostComputerTest, ARequestForAStateLeavesWithItsAsker) {
    other.session.Close();
    network.Deliver();
    Computer& first = Open("Player3");
    first.lobby.Rejoin();
    network.Deliver();
    ASSERT_EQ(server.lobby.Model().rejoining.size(), 1u);
    first.session.Close();
    network.Deliver();
    EXPECT_TRUE(server.lobby.Model().rejoining.empty());
    Computer& again = Open("Player3");
    again.lobby.Rejoin();
    network.Deliver();
    EXPECT_EQ(again.lobby.Model().rejoin, RejoinOffer::Asked);
    EXPECT_EQ(SeatRejoiners(server.lobby.Net()), std::vector<PlayerId>{again.session.LocalId()});
}

// A request for his state that cannot reach the game's server, gone since the offer, is not
// taken for asked: he is not told that he plays again next year.
TEST_F(LostComputerTest, ARequestThatCannotGoOutIsNotTakenForAsked) {
    other.session.Close();
    network.Deliver();
    Computer& back = Open("Player3");
    ASSERT_EQ(back.lobby.Model().rejoin, RejoinOffer::Offered);
    server.session.Close();
    network.Deliver();
    back.lobby.Rejoin();
    EXPECT_EQ(back.lobby.Model().rejoin, RejoinOffer::Offered);
    EXPECT_FALSE(back.Chatted(back.game->Msg(Msg::RejoinNextYear)));
}

TEST_F(LostComputerTest, ADroppedPersonTakesBackHisOwnStateAndNobodyElsesFromTheNextYear) {
    {
        // The state keeps a name cut short; the session's whole name is the one he comes back with.
        const StateChange cut(*server.game);
        server.game->mGos[3].PlayerName.set("Play");
    }
    other.session.Close();
    network.Deliver();
    EXPECT_EQ(server.lobby.Model().dropped.at(3), "Player3");
    EXPECT_TRUE(server.game->mGos[3].PlayerName.utf8().empty());
    Computer& back = Open("player3");
    EXPECT_EQ(back.lobby.Model().rejoin, RejoinOffer::Offered);
    back.lobby.Rejoin();
    network.Deliver();
    EXPECT_EQ(back.lobby.Model().rejoin, RejoinOffer::Asked);
    back.lobby.Rejoin();  // once asked is enough
    EXPECT_EQ(test::CountKind(back.session.sent, BlockKind::Rejoin), 1);
    EXPECT_TRUE(back.Chatted(back.game->Msg(Msg::RejoinNextYear)));
    EXPECT_EQ(server.game->mGos[3].Human, 0);  // the computer plays it until the year ends

    Computer& stranger = Open("Mallory");
    EXPECT_EQ(stranger.lobby.Model().rejoin, RejoinOffer::NoState);
    Computer& impostor = Open("PLAYER2");  // a hostile peer that skips the taken-name rule
    for (Computer* c : {&stranger, &impostor}) {
        c->lobby.Net().model.serverId = 1;
        c->lobby.Rejoin();  // his lobby offers nothing to ask for
        EXPECT_EQ(test::CountKind(c->session.sent, BlockKind::Rejoin), 0);
        SendRejoin(c->lobby.Net());
    }
    // A hostile twin of his name asks for the same state: he is told that nothing waits for him.
    test::FakeSession& twin = network.NewSession();
    twin.Open("PLAYER3");
    network.Deliver();
    twin.Send(1, EncodeSmall(BlockKind::Rejoin));
    network.Deliver();
    EXPECT_EQ(server.lobby.Model().rejoining, (std::map<PlayerId, int>{{4, 3}}));
    ASSERT_EQ(server.session.sent.back().to, twin.LocalId());
    EXPECT_EQ(server.session.sent.back().block, EncodeSmall(BlockKind::GameRuns, 0));

    // Had the state fallen since he asked, nobody would be seated on it.
    const std::map<PlayerId, int> asked = server.lobby.Model().rejoining;
    {
        const StateChange fall(*server.game);
        server.game->mGos[3].Alive = 0;
    }
    EXPECT_TRUE(SeatRejoiners(server.lobby.Net()).empty());
    EXPECT_EQ(server.game->mGos[3].Human, 0);
    {
        const StateChange rise(*server.game);
        server.game->mGos[3].Alive = 1;
    }
    server.lobby.Net().model.rejoining = asked;

    EXPECT_EQ(SeatRejoiners(server.lobby.Net()), std::vector<PlayerId>{4});
    network.Deliver();
    for (Computer* c : {&server, &heir}) {
        EXPECT_EQ(c->game->mGos[3].Human, 4);
        EXPECT_EQ(c->game->mGos[3].PlayerName.utf8(), "player3");
        EXPECT_TRUE(c->lobby.Model().dropped.empty());
        EXPECT_EQ(c->controls.chat.Lines(ChatPane::Lobby).back().text, "player3> " + c->game->Msg(Msg::PlayerRejoined));
    }
    // A second seating of the state, forged or late, is refused everywhere.
    heir.session.Listener()->OnMessage(1, EncodeRejoined(3, 5));
    EXPECT_EQ(heir.game->mGos[3].Human, 4);

    // A state that fell after its person left waits for nobody.
    heir.session.Close();
    network.Deliver();
    ASSERT_EQ(server.lobby.Model().dropped.at(2), "Player2");
    {
        const StateChange change(*server.game);
        server.game->mGos[2].Alive = 0;
    }
    EXPECT_EQ(Open("Player2").lobby.Model().rejoin, RejoinOffer::NoState);
}

// The person of the last state is remembered under his name when he leaves; one whose state has
// fallen is not: nothing waits for him.
TEST_F(LostComputerTest, ThePersonOfTheLastStateIsRememberedButNotOneWhoseStateFell) {
    {
        const StateChange change(*server.game);
        server.game->mGos[4].Human = 3;
        server.game->mGos[4].PlayerName.set("Player3");
        server.game->mGos[3].Human = 0;
        server.game->mGos[2].Alive = 0;
    }
    other.session.Close();
    heir.session.Close();
    network.Deliver();
    EXPECT_EQ(server.lobby.Model().dropped, (std::map<int, std::string>{{4, "Player3"}}));
    EXPECT_EQ(server.game->mGos[4].Human, 0);
    EXPECT_TRUE(server.game->mGos[4].PlayerName.utf8().empty());
}

// Back in the lobby after a game, the server leaving is no lost game: the last player serves the
// lobby, and nobody is remembered for a state.
TEST_F(LostComputerTest, TheServerLeavingTheLobbyAfterAGameEndsNoGame) {
    for (Computer* c : all) c->lobby.Net().model.phase = NetPhase::Lobby;
    server.session.Close();
    network.Deliver();
    for (Computer* c : {&heir, &other}) {
        EXPECT_EQ(c->lobby.Model().end, NetEnd::None);
        EXPECT_TRUE(c->ui.log.empty());
        EXPECT_TRUE(c->lobby.Model().dropped.empty());
        EXPECT_EQ(c->game->mGos[1].Human, 0);
    }
    EXPECT_EQ(other.game->GameMode, ModeNetServer);
}

}  // namespace
}  // namespace korvant
