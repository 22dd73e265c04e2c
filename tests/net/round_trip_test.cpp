// Blocks sent by one computer's senders and taken in by another's receive handler.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/check_state.h"
#include "core/rule_data.h"
#include "core/state_guard.h"
#include "game/new_game.h"
#include "game/turn_cycle.h"
#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/heir.h"
#include "net/packed_envelope.h"
#include "net/persons.h"
#include "net/senders.h"
#include "net/turn_result_block.h"
#include "save/saved_body.h"
#include "support/net_game.h"
#include "support/net_peer.h"

namespace korvant {
namespace {

using test::NetPeer;

std::unique_ptr<Game> ClientGame() {
    auto game = std::make_unique<Game>();
    game->GameMode = ModeNetClient;
    game->Rules.KindCount = 3;
    return game;
}

TEST(NetRoundTrip, FullStateLeavesTheGamesEqualInEveryCarriedField) {
    test::FakeNetwork network;
    NetPeer server{network.Join("Player1"), test::MakeNetGame(1)};
    NetPeer client{network.Join("Player2"), ClientGame()};
    NetPeer third{network.Join("Player3"), ClientGame()};
    server.game->TurnMinutes = 5;
    server.game->mGos[3].Alive = 0;  // a dead person's state gets no full state

    SendFullState(server.net);
    EXPECT_EQ(server.controls.sendingNotices, 1);
    EXPECT_FALSE(server.controls.sendingNoticeShown);
    network.Deliver();

    EXPECT_EQ(FirstDifference(*server.game, *client.game, full_state_block::Carried), "");
    EXPECT_EQ(client.game->TurnMinutes, 5);
    EXPECT_EQ(client.model.serverId, 1u);
    EXPECT_TRUE(client.model.fullStateReceived);
    EXPECT_EQ(client.game->GameMode, ModeNetClient);
    EXPECT_FALSE(third.model.fullStateReceived);
}

// Only the heir gets the backup; it carries every saved field, the generator, the turn length and
// the persons' table, and a damaged one is refused as a whole.
TEST(NetRoundTrip, TheBackupGoesToTheHeirAndCarriesWhatTheYearNeeds) {
    test::FakeNetwork network;
    NetPeer server{network.Join("Player1"), test::MakeNetGame(1)};
    NetPeer heir{network.Join("Player2"), ClientGame()};
    NetPeer third{network.Join("Player3"), ClientGame()};
    Game& g = *server.game;
    g.Rng.setSeed(0xC0FFEE);
    g.TurnMinutes = 4;
    g.PeopleCount = 0;  // a network game's: the resume byte travels beside the body
    g.ResumePlayer = 1;
    server.model.dropped[4] = "Ушедший";

    // The first backup goes out before the first full state names the game's server.
    heir.model.phase = NetPhase::Starting;
    heir.model.serverId = 0;
    server.Meet();
    ASSERT_TRUE(SendBackup(server.net));
    network.Deliver();
    ASSERT_FALSE(heir.model.backup.empty());
    EXPECT_TRUE(third.model.backup.empty());
    const Backup b = DecodeBackup(heir.model.backup);
    Game restored;
    ApplyBackup(b, restored);
    EXPECT_EQ(FirstDifference(g, restored, state::Saved), "");
    EXPECT_EQ(restored.Rng.seed(), 0xC0FFEEu);
    EXPECT_EQ(restored.TurnMinutes, 4);
    EXPECT_EQ(b.dropped, (DroppedPersons{{4, "Ушедший"}}));
    // A longer name keeps its first 255 characters; the last state of a full session keeps its person.
    {
        Game full;
        ApplyBackup(b, full);
        full.GosCount = MaxStates;
        EXPECT_EQ(DecodeBackup(EncodeBackup(full, {{1, std::string(300, 'x')}, {MaxStates, "Last"}})).dropped,
                  (DroppedPersons{{1, std::string(255, 'x')}, {MaxStates, "Last"}}));
    }

    std::vector<uint8_t> damaged = heir.model.backup;
    damaged[backup_block::Body + saved_body::States + 56] ^= 1;  // the first state's money
    EXPECT_THROW(DecodeBackup(damaged), BlockError);
    damaged = heir.model.backup;
    damaged.pop_back();
    EXPECT_THROW(DecodeBackup(damaged), BlockError);
    damaged = heir.model.backup;
    damaged.push_back(0);
    EXPECT_THROW(DecodeBackup(damaged), BlockError);
    // Nobody but the game's server sends it.
    EXPECT_EQ(heir.Receive(3, PackEnvelope(EncodeBackup(g, {}))), BlockOutcome::Refused);
    // Nor is one without this computer's person taken: the one held stays.
    const std::vector<uint8_t> held = heir.model.backup;
    g.mGos[2].Human = 0;
    EXPECT_EQ(heir.Receive(1, PackEnvelope(EncodeBackup(g, {}))), BlockOutcome::Refused);
    EXPECT_EQ(heir.model.backup, held);
}

TEST(NetRoundTrip, TheServerRoleChangesHandsDuringTheGame) {
    test::FakeNetwork network;
    NetPeer old{network.Join("Player1"), test::MakeNetGame(1)};
    NetPeer next{network.Join("Player2"), test::MakeNetGame(2)};
    NetPeer third{network.Join("Player3"), test::MakeNetGame(3)};

    // The old server names player 2 the server in the full state it sends him alone.
    old.game->GameMode = ModeNetClient;
    SendFullState(old.net, 2);
    SendLeave(old.net);
    network.Deliver();
    EXPECT_EQ(next.game->GameMode, ModeNetServer);
    EXPECT_EQ(next.model.serverId, 2u);
    EXPECT_EQ(old.model.serverId, 2u);  // back in the lobby, the old server takes its maps from him
    EXPECT_FALSE(third.model.fullStateReceived);

    // His first turn results reach a client that still knows the old server, and whose game is
    // guarded: the block is a legitimate change.
    const GuardedGame guarded(*third.game);
    next.game->Year = 8;
    next.game->mGos[3].Money = 4242;
    SendTurnResults(next.net);
    network.Deliver();
    EXPECT_TRUE(third.model.turnResultReceived);
    EXPECT_EQ(third.model.serverId, 2u);
    EXPECT_EQ(third.game->mGos[3].Money, 4242);
    EXPECT_NO_THROW(CheckState(*third.game, "after the turn result"));

    // And that client's turn now goes to the new server.
    {
        const StateChange order(*third.game);
        third.game->mGos[3].Money = 4343;
    }
    SendPlayerTurn(third.net);
    network.Deliver();
    EXPECT_EQ(next.game->mGos[3].Money, 4343);
}

TEST(NetRoundTrip, ATurnWithNoServerKnownIsNotSent) {
    test::FakeNetwork network;
    NetPeer client{network.Join("Player2"), test::MakeNetGame(2)};
    client.model.serverId = 0;
    EXPECT_FALSE(SendPlayerTurn(client.net));
    EXPECT_EQ(client.model.end, NetEnd::ServerLost);
    EXPECT_TRUE(client.session.sent.empty());
}

// A year played by the server's rules: each person's computer gets exactly his own messages and state.
TEST(NetRoundTrip, AYearsTurnResultsGiveEachPersonHisOwn) {
    test::FakeNetwork network;
    NetPeer server{network.Join("Player1"), std::make_unique<Game>()};
    Game& game = *server.game;
    ASSERT_TRUE(LoadRuleData(std::filesystem::path(KORVANT_BIN_DIR) / "tav.dat", game.Rules).ok());
    game.Rng.setSeed(15);
    game.GosCount = 8;
    game.MapSize = 50;
    NewMap(game);
    ASSERT_TRUE(ChooseTerritories(game, 3));  // persons 1..3, who are session players 1..3
    const std::vector<uint8_t> start = EncodeFullState(game, 1);

    struct YearDone {};
    TurnCycleOptions options;
    options.records.reset();
    options.yearDone = [](Game&, int) { throw YearDone{}; };
    EXPECT_THROW(RunGame(game, options), YearDone);
    ASSERT_GT(game.MesList.Count(), 0);

    std::vector<std::unique_ptr<NetPeer>> clients;
    for (PlayerId id = 2; id <= 3; ++id) {
        auto& peer = *clients.emplace_back(std::make_unique<NetPeer>(network.Join("P"), ClientGame()));
        ASSERT_EQ(peer.Receive(1, start), BlockOutcome::Applied);
        peer.game->CurGos = uint8_t(StateOf(game, id));
    }
    game.CurGos = uint8_t(StateOf(game, 1));
    int fallen = 1;
    while (game.mGos[fallen].Human != 0) ++fallen;
    game.mGos[fallen].Alive = 0;                                                // a computer's state fell in the year
    for (int s = 1; s <= game.GosCount; ++s) game.mGos[s].Scientists = 10 * s;  // a count of its own each
    SendTurnResults(server.net);
    network.Deliver();
    // Whoever watches from the lobby sees the year's map too.
    EXPECT_EQ(test::CountKind(server.session.sent, BlockKind::MapUpdate), 1);

    for (auto& peer : clients) {
        const Game& mine = *peer->game;
        const int r = mine.CurGos;
        EXPECT_TRUE(peer->model.turnResultReceived);
        EXPECT_EQ(mine.Year, game.Year);
        EXPECT_TRUE(SameValue(mine.mGos[r], game.mGos[r])) << r;
        EXPECT_TRUE(SameValue(mine.Map, game.Map));
        int own = 0;
        for (const TMesRec& m : game.MesList.entries()) {
            if (m.Gos != r) continue;
            ASSERT_LT(own, mine.MesList.Count());
            EXPECT_EQ(mine.MesList[own].Text.raw(), m.Text.raw());
            ++own;
        }
        EXPECT_EQ(own, mine.MesList.Count());
        for (int s = 1; s <= game.GosCount; ++s) {
            EXPECT_TRUE(SameValue(mine.History[s][game.Year - 1], game.History[s][game.Year - 1]));
            EXPECT_EQ(mine.mGos[s].Soldiers, game.mGos[s].Soldiers);
            EXPECT_EQ(mine.mGos[s].Peasants, game.mGos[s].Peasants);
            EXPECT_EQ(mine.mGos[s].Scientists, game.mGos[s].Scientists);
            EXPECT_EQ(mine.mGos[s].Alive, game.mGos[s].Alive);
        }
        for (int g = r; g <= 200; g += MaxStates) EXPECT_TRUE(SameValue(mine.mGeneral[g], game.mGeneral[g]));
    }
}

// The game's full state goes from its server to every other living person, not to one whose state
// fell; a person seated again gets it from the server too, not as the game's next server.
TEST(NetRoundTrip, TheFullStateReachesEveryOtherLivingPersonAndNamesItsServer) {
    test::FakeNetwork network;
    NetPeer server{network.Join("Player1"), test::MakeNetGame(1)};
    network.Join("Player2");
    network.Join("Player3");
    server.game->mGos[3].Alive = 0;
    EXPECT_TRUE(SendFullState(server.net));
    ASSERT_EQ(server.session.sent.size(), 1u);
    EXPECT_EQ(server.session.sent[0].to, 2u);
    EXPECT_EQ(DecodeFullState(UnpackEnvelope(server.session.sent[0].block)).serverId, 1u);
    EXPECT_TRUE(SendFullStateTo(server.net, 3));
    EXPECT_EQ(server.session.sent.back().to, 3u);
    EXPECT_EQ(DecodeFullState(UnpackEnvelope(server.session.sent.back().block)).serverId, 1u);
}

// A server no longer listed: its heir is looked for from the first player on, up to the last.
TEST(NetRoundTrip, TheHeirOfAnUnlistedServerMayBeTheFirstOrTheLastPlayer) {
    NetModel model;
    model.SetRoster({{2, "Player2", true}, {3, "Player3", true}});
    auto game = test::MakeNetGame(2);
    EXPECT_EQ(HeirOf(model, *game, 1), 2u);
    game->mGos[2].Alive = 0;
    EXPECT_EQ(HeirOf(model, *game, 1), 3u);
}

// A chat line goes without the blanks around it, tabs and line ends among them; a line of blanks
// does not go at all.
TEST(NetRoundTrip, AChatLineGoesWithoutItsBlanks) {
    test::FakeNetwork network;
    NetPeer server{network.Join("Player1"), test::MakeNetGame(1)};
    NetPeer client{network.Join("Player2"), test::MakeNetGame(2)};
    EXPECT_FALSE(SendChat(server.net, " \t\r\n ", 0));
    EXPECT_TRUE(server.session.sent.empty());
    EXPECT_TRUE(SendChat(server.net, "\t\r\nhi there\t\n", 7));
    network.Deliver();
    EXPECT_EQ(client.controls.chat.Lines(ChatPane::Command).back(), (ChatPaneLine{"Player1> hi there", 7}));
}

// A chat text longer than its length can say is cut to the longest it can, length and text alike.
TEST(NetRoundTrip, AChatTextIsCutToTheLongestItsLengthCanSay) {
    const std::string text(70000, 'a');
    const std::vector<uint8_t> block = EncodeChat(text, 5);
    EXPECT_EQ(block.size(), 0xFFFFu + chat_block::Overhead);
    EXPECT_EQ(DecodeChat(block).text, text.substr(0, 0xFFFF));
}

}  // namespace
}  // namespace korvant
