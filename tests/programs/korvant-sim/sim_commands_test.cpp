// The simulator's container and saved-game commands, run as a person would run them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/turn_result_block.h"
#include "save/saved_game.h"
#include "support/net_game.h"
#include "support/program_run.h"
#include "support/sample_data.h"
#include "support/saved_game_files.h"
#include "support/small_game.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

using ::testing::HasSubstr;

test::ProgramRun sim(const std::string& args) { return test::RunProgram("korvant-sim", args, /*withErrors=*/true); }

class SimCommands : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::ProgramBuilt("korvant-sim")) GTEST_SKIP() << "no korvant-sim";
    }
    std::string at(const std::string& name) { return "'" + (folder / name).string() + "'"; }
    test::TempFolder folder;
};

TEST_F(SimCommands, PackAndUnpackInBothModes) {
    const auto data = testing::Words(100000, 5);
    testing::WriteBytes(folder / "in", data);
    ASSERT_EQ(sim("pack --fast " + at("in") + " " + at("fast")).status, 0);
    ASSERT_EQ(sim("pack --good " + at("in") + " " + at("good")).status, 0);
    EXPECT_EQ(testing::ReadBytes(folder / "fast")[0], 'W');
    EXPECT_EQ(testing::ReadBytes(folder / "good")[0], '!');
    for (const char* mode : {"fast", "good"}) {
        ASSERT_EQ(sim(std::string("unpack ") + at(mode) + " " + at("out")).status, 0);
        EXPECT_EQ(testing::ReadBytes(folder / "out"), data) << mode;
    }

    const test::ProgramRun bad = sim("unpack " + at("in") + " " + at("out"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.output, HasSubstr("Lzrw1 decompression : input stream contains no valid header !"));
    EXPECT_NE(sim("pack " + at("in") + " " + at("x")).status, 0);
}

TEST_F(SimCommands, InspectShowsTheGameAndItsCheckValue) {
    auto game = test::MakeGame({"112", "122", "333"});
    game->Year = 9;
    game->PeopleCount = 1;
    game->CurPlayer = 1;
    game->LivingCount = 3;
    game->mGos[2].Human = 1;
    game->mGos[2].PlayerName.set("Vera");
    SaveGame(*game, folder / "g.gen");

    test::ProgramRun run = sim("inspect " + at("g.gen"));
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.output, HasSubstr("Год 9\n"));
    EXPECT_THAT(run.output, HasSubstr("year: 9\nstates: 3\npersons: 1\n"));
    EXPECT_THAT(run.output, HasSubstr("save count: 1\n"));
    EXPECT_THAT(run.output, HasSubstr("person Vera"));
    EXPECT_THAT(run.output, HasSubstr("check value: holds"));

    // A money field changed in the body.
    auto body = testing::BodyOf(folder / "g.gen");
    body[504 + 56] ^= 4;
    const auto bytes = testing::ReadBytes(folder / "g.gen");
    testing::WriteSavedFile(folder / "e.gen", std::vector(bytes.begin(), bytes.begin() + 200), body);
    run = sim("inspect " + at("e.gen"));
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.output, HasSubstr("check value: does not hold"));
}

TEST_F(SimCommands, HistoryPrintsTheYearlyTableAsCsv) {
    auto game = test::MakeGame({"12", "12"});
    game->Year = 3;
    game->LivingCount = 2;
    game->History[1][2].Territory = 2;
    game->History[1][2].Peasants = 40;
    SaveGame(*game, folder / "g.gen");

    test::ProgramRun run = sim("history " + at("g.gen") + " --csv");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.output, HasSubstr("state,year,density,"));
    EXPECT_THAT(run.output, HasSubstr("\n1,2,0,0,0,0,0,0,0,2,40,0,0,40\n"));
    EXPECT_THAT(run.output, HasSubstr("\n2,2,"));
    EXPECT_THAT(run.output, ::testing::Not(HasSubstr("\n1,3,")));

    testing::WriteBytes(folder / "bad.gen", testing::Words(300, 1));
    run = sim("history " + at("bad.gen") + " --csv");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.output, HasSubstr("bad.gen"));
    EXPECT_EQ(sim("history " + at("g.gen")).status, 2);
}

// The blocks korvant-sim writes are the senders' blocks of the saved game.
TEST_F(SimCommands, BlockWritesTheSendersBlocks) {
    auto game = test::MakeNetGame(1);
    game->GameMode = ModeLocal;
    SaveGame(*game, folder / "g.gen");
    auto saved = std::make_unique<Game>();
    ReadSavedGame(folder / "g.gen", *saved);

    ASSERT_EQ(sim("block " + at("g.gen") + " --kind 10 --server-id 7 " + at("full")).status, 0);
    EXPECT_EQ(testing::ReadBytes(folder / "full"), EncodeFullState(*saved, 7));
    ASSERT_EQ(sim("block " + at("g.gen") + " --kind 11 --for 2 --packed " + at("turn")).status, 0);
    EXPECT_EQ(UnpackEnvelope(testing::ReadBytes(folder / "turn")), EncodeTurnResult(*saved, 2));
    ASSERT_EQ(sim("block " + at("g.gen") + " --kind 12 --for 3 " + at("player")).status, 0);
    saved->CurGos = 3;
    EXPECT_EQ(testing::ReadBytes(folder / "player"), EncodePlayerTurn(*saved));
    ASSERT_EQ(sim("block " + at("g.gen") + " --kind 3 " + at("map")).status, 0);
    EXPECT_EQ(testing::ReadBytes(folder / "map"), EncodeMap(*saved, BlockKind::Map));

    EXPECT_EQ(sim("block " + at("g.gen") + " --kind 11 " + at("x")).status, 2);  // for which state?
    EXPECT_EQ(sim("block " + at("g.gen") + " --kind 5 " + at("x")).status, 2);
    const test::ProgramRun beyond = sim("block " + at("g.gen") + " --kind 12 --for 9 " + at("x"));
    EXPECT_EQ(beyond.status, 1);
    EXPECT_THAT(beyond.output, HasSubstr("4 states"));
}

}  // namespace
}  // namespace korvant
