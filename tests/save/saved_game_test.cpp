#include "save/saved_game.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/replace_file.h"
#include "core/state_fields.h"
#include "game/network_save.h"
#include "save/check_value.h"
#include "save/saved_body.h"
#include "support/full_disk.h"
#include "support/headless_log.h"
#include "support/saved_game_files.h"
#include "support/small_game.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

using testing::BodyOf;
using testing::ReadBytes;
namespace at = saved_body;

// Two persons on a 4 x 4 map of four states, in the second person's turn of year 12.
std::unique_ptr<Game> MidGame() {
    auto game = test::MakeGame({"1122", "1122", "3344", "3344"});
    game->Year = 12;
    game->DiffLevel = DiffNormal;
    game->PeopleCount = 2;
    game->CurPlayer = 2;
    game->LivingCount = 4;
    game->CostGrowth = 12.5f;
    game->mGos[1].Human = 1;
    game->mGos[1].PlayerName.set("Анна");
    game->mGos[3].Human = 2;
    game->mGos[3].PlayerName.set("Boris");
    for (int s = 1; s <= 4; ++s) {
        game->mGos[s].Money = 1000 * s;
        game->mGos[s].Grain = 300 + s;
        game->mGos[s].Peasants = 5000 + s;
        game->mGos[s].FreeSoldiers = 10;
        game->mGos[s].Soldiers = 10;
        game->History[s][11].Peasants = 4000 + s;
    }
    test::AddTroops(*game, 1, 2, {5, 6, 7});
    test::PostGeneral(*game, 1, 2, OrderAttack, "Кутузов");
    game->MesList.Add(MesForState, 1, 255, "Урожай собран");
    game->MesList.Add(MesBattle, 3, 0xFF0000, "Battle at the river");
    game->Chronicle = "Год 11: война";
    return game;
}

class SavedGameTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

TEST_F(SavedGameTest, LocalGameReloadsWholeAndResumesWithThePersonWhoSaved) {
    auto game = MidGame();
    const auto file = folder / "game.gen";
    SaveGame(*game, file);
    EXPECT_EQ(game->SaveCount, 1);
    EXPECT_EQ(game->CurPlayer, 2);

    Game loaded;
    ASSERT_TRUE(LoadGame(loaded, file)) << ::testing::PrintToString(test::Headless(loaded).log);
    EXPECT_EQ(loaded.ResumePlayer, 2);
    game->ResumePlayer = 2;  // the person who saved
    EXPECT_EQ(FirstDifference(*game, loaded, state::Saved), "");
    EXPECT_TRUE(test::Headless(loaded).log.empty());

    const auto bytes = ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin() + 200, bytes.begin() + 204), "WRZL");
    EXPECT_EQ(BodyOf(file).size(), at::Messages + 2 * sizeof(TMesRec));
}

TEST_F(SavedGameTest, DescriptionIsReadableText) {
    auto game = MidGame();
    game->DiffLevel = DiffExpert;
    const std::string expected =
        "Файл содежит сохраненную игру \"Корвант\", версии 4.4\n\rГод 12\n\rУровень сложности 2\n\r"
        "Стран 4 людей 2\n\rОдиночная игра\n\r";
    const std::string description = SaveDescription(*game);
    ASSERT_EQ(description.size(), 200u);
    const std::string cp = Utf8ToCp1251(expected);
    EXPECT_EQ(description.substr(0, cp.size()), cp);
    EXPECT_EQ(description.find_first_not_of('\r', cp.size()), std::string::npos);

    game->GameMode = ModeNetServer;
    EXPECT_NE(Cp1251ToUtf8(SaveDescription(*game)).find("\n\rСетевая игра\n\r"), std::string::npos);

    SaveGame(*game, folder / "d.gen");
    const auto bytes = ReadBytes(folder / "d.gen");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 200), SaveDescription(*game));
}

TEST_F(SavedGameTest, ChronicleKeepsAtMost495Characters) {
    auto game = MidGame();
    std::string chronicle;
    for (int i = 0; i < 300; ++i) chronicle += (i % 2 ? "ж" : "z");
    game->Chronicle = chronicle;
    SaveGame(*game, folder / "c300.gen");
    auto body = BodyOf(folder / "c300.gen");
    EXPECT_EQ(body[at::Chronicle1], 245);
    EXPECT_EQ(body[at::Chronicle2], 55);
    Game loaded;
    ASSERT_TRUE(LoadGame(loaded, folder / "c300.gen"));
    EXPECT_EQ(loaded.Chronicle, chronicle);

    game->Chronicle = chronicle + chronicle;
    SaveGame(*game, folder / "c600.gen");
    body = BodyOf(folder / "c600.gen");
    EXPECT_EQ(body[at::Chronicle2], 250);
    ASSERT_TRUE(LoadGame(loaded, folder / "c600.gen"));
    EXPECT_EQ(Utf8Length(loaded.Chronicle), 495u);
    EXPECT_EQ(loaded.Chronicle, Cp1251ToUtf8(Utf8ToCp1251(game->Chronicle).substr(0, 495)));
}

TEST_F(SavedGameTest, SavingTwiceChangesOnlyTheCountAndTheCheckValue) {
    auto game = MidGame();
    SaveGame(*game, folder / "a.gen");
    SaveGame(*game, folder / "b.gen");
    EXPECT_EQ(game->SaveCount, 2);
    const auto a = BodyOf(folder / "a.gen");
    const auto b = BodyOf(folder / "b.gen");
    ASSERT_EQ(a.size(), b.size());
    std::vector<std::size_t> differing;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) differing.push_back(i);
    ASSERT_FALSE(differing.empty());
    for (std::size_t i : differing)
        EXPECT_TRUE((i >= at::SaveCount && i < at::SaveCount + 2) || (i >= at::Check && i < at::Check + 8)) << i;
    EXPECT_EQ(a[at::SaveCount], 1);
    EXPECT_EQ(b[at::SaveCount], 2);
}

TEST_F(SavedGameTest, SaveOfTheWrongKindIsRefusedAndChangesNothing) {
    auto local = MidGame();
    SaveGame(*local, folder / "local.gen");
    auto network = MidGame();
    network->GameMode = ModeNetServer;
    SaveGame(*network, folder / "net.gen");
    EXPECT_EQ(network->CurPlayer, 0);
    EXPECT_EQ(BodyOf(folder / "net.gen")[at::Resume], 0);

    // The network game loads as its server and keeps the mode it had when the file is not a network save.
    Game game;
    game.Year = 77;
    game.GameMode = ModeNetClient;
    EXPECT_FALSE(LoadNetworkSave(game, folder / "local.gen"));
    EXPECT_THAT(test::Headless(game).log,
                ::testing::ElementsAre("Это одиночная игра. Попробуйте загрузить другую игру"));
    EXPECT_EQ(game.GameMode, ModeNetClient);
    EXPECT_TRUE(LoadNetworkSave(game, folder / "net.gen"));
    EXPECT_EQ(game.GameMode, ModeNetServer);
    EXPECT_EQ(game.ResumePlayer, 0);

    Game other;
    other.Year = 77;
    other.MesList.Add(MesForState, 1, 0, "kept");
    EXPECT_FALSE(LoadGame(other, folder / "net.gen"));
    EXPECT_THAT(test::Headless(other).log,
                ::testing::ElementsAre("Это сетевая игра. Попробуйте загрузить другую игру"));
    EXPECT_EQ(other.Year, 77);
    EXPECT_EQ(other.MesList.Count(), 1);
}

TEST_F(SavedGameTest, DamagedFilesAreRefusedAsOlderVersions) {
    auto game = MidGame();
    const auto file = folder / "g.gen";
    SaveGame(*game, file);
    const auto bytes = ReadBytes(file);
    const auto body = BodyOf(file);
    const std::vector<uint8_t> description(bytes.begin(), bytes.begin() + 200);
    const std::string older = "Эта сохраненная игра старой версии.\n\rС новой версией она работать не будет.";

    auto refused = [&](const std::vector<uint8_t>& fileBytes) {
        testing::WriteBytes(folder / "bad.gen", fileBytes);
        Game target;
        target.Year = 77;
        const bool ok = LoadGame(target, folder / "bad.gen");
        EXPECT_EQ(target.Year, 77);
        return !ok && test::Headless(target).log == std::vector<std::string>{older};
    };
    auto withBody = [&](std::vector<uint8_t> changed) {
        testing::WriteSavedFile(folder / "bad.gen", description, changed);
        return ReadBytes(folder / "bad.gen");
    };

    auto money = body;
    money[at::States + offsetof(TGos, Money)] ^= 1;
    EXPECT_TRUE(refused(withBody(money))) << "an edited field";
    auto cell = body;
    cell[at::Map + 102 * 2 + 3] = 4;
    EXPECT_TRUE(refused(withBody(cell))) << "an edited map cell";
    EXPECT_TRUE(refused(withBody(std::vector(body.begin(), body.begin() + at::Messages - 1)))) << "cut off";
    auto messages = body;
    messages[at::MessageCount] = 3;
    EXPECT_TRUE(refused(withBody(messages))) << "more messages than the body holds";
    auto states = body;
    states[at::GosCount] = 21;
    EXPECT_TRUE(refused(withBody(states))) << "more states than the tables hold";
    EXPECT_TRUE(refused(std::vector(bytes.begin(), bytes.end() - 5))) << "a truncated container";
    EXPECT_TRUE(refused(std::vector(bytes.begin(), bytes.begin() + 150))) << "no body";

    // The description is for people only.
    auto edited = bytes;
    edited[20] = 'X';
    testing::WriteBytes(folder / "desc.gen", edited);
    Game target;
    EXPECT_TRUE(LoadGame(target, folder / "desc.gen"));

    Game missing;
    EXPECT_FALSE(LoadGame(missing, folder / "none.gen"));
    EXPECT_THAT(test::Headless(missing).log, ::testing::ElementsAre(::testing::HasSubstr("none.gen")));
}

TEST_F(SavedGameTest, FailedWriteKeepsThePreviousFile) {
    auto game = MidGame();
    const auto file = folder / "keep.gen";
    SaveGame(*game, file);
    const auto before = ReadBytes(file);

    game->Year = 13;
    {
        test::FullDisk full;
        EXPECT_THROW(SaveGame(*game, file), FileWriteError);
        EXPECT_FALSE(TrySaveGame(*game, file));
    }
    EXPECT_EQ(game->SaveCount, 1);
    EXPECT_THAT(test::Headless(*game).log, ::testing::ElementsAre(::testing::HasSubstr("keep.gen")));
    EXPECT_EQ(ReadBytes(file), before);

    std::filesystem::create_directory(folder / "dir.gen");  // nor can a folder be replaced
    EXPECT_THROW(SaveGame(*game, folder / "dir.gen"), FileWriteError);
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        EXPECT_TRUE(e.path() == file || e.path() == folder / "dir.gen") << e.path() << " left behind";
}

}  // namespace
}  // namespace korvant
