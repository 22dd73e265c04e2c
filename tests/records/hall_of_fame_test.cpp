#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/game.h"
#include "records/hall_of_fame.h"
#include "support/full_disk.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

class HallOfFame : public testing::Test {
protected:
    void SetUp() override { game.Ui = &ui; }

    // A one-person game that just ended: the person plays state 2 of `states`.
    void EndGame(int states, int destroyed, int year, int scienceSum, int saves, int level, bool won) {
        game.GosCount = uint8_t(states);
        game.mGos[2].Human = 1;
        game.mGos[2].PlayerName.set("Ярослав Мудрый");  // 14 letters, stored as 13
        game.mGos[2].Conquests = uint8_t(destroyed);
        for (int i = 1; i <= 6; ++i) game.mGos[2].Science[i].Level = scienceSum / 6 + (i == 1 ? scienceSum % 6 : 0);
        game.Year = uint8_t(year);
        game.SaveCount = uint16_t(saves);
        game.DiffLevel = uint8_t(level);
        game.HumanWon = won;
    }

    std::vector<int32_t> Scores(const THallTable& t) {
        std::vector<int32_t> s;
        for (const THallEntry& e : t) s.push_back(e.Score);
        return s;
    }

    test::TempFolder folder;
    fs::path dir = folder.path(), file = dir / "tav.rec";
    HeadlessUi ui;
    Game game;
};

TEST_F(HallOfFame, BuiltInTableScoresItsEntriesByTheRule) {
    THallTable t = BuiltInHallTable(game);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{81070, 77010, 65700, 43850, 18580, 5492, 1544, 0}));
    for (const THallEntry& e : t) {
        EXPECT_EQ(e.Difficulty, DiffExpert);
        EXPECT_EQ(e.AccessCode, 0);
    }
}

TEST_F(HallOfFame, AccessCodeSumsItsDigitsPlacesAndSquares) {
    // X = A + 1 with Y = 1 and nothing else: 123 -> (66+1) + (132+4) + (198+9).
    EXPECT_EQ(AccessCode(122, 7, 0, 0, 0, 1), 410);
    EXPECT_EQ(AccessCode(-1, 0, 0, 0, 0, 1), 66);  // X = 0 is the one digit 0
    EXPECT_EQ(AccessCode(-3, 0, 0, 0, 0, 1), std::nullopt);
    // The product wraps in 32 bits: 2^30 * 2 is negative, not a huge code.
    EXPECT_EQ(AccessCode(1 << 30, 0, 0, 0, 0, 2), std::nullopt);
}

TEST_F(HallOfFame, FirstReadCreatesTheFileWithTheBuiltInTable) {
    ASSERT_FALSE(fs::exists(file));
    std::optional<THallTable> t = ReadHallOfFame(game, file);
    ASSERT_TRUE(t);
    EXPECT_EQ(fs::file_size(file), 384u);
    EXPECT_EQ(Scores(*t)[0], 81070);
    EXPECT_TRUE(ui.log.empty());
}

TEST_F(HallOfFame, OnlyAWinAboveNormalScores) {
    EndGame(20, 14, 80, 150, 0, DiffTraining, true);
    THallTable t = *RecordLastGame(game, file);
    EXPECT_EQ(t[8].Score, 0);
    EXPECT_EQ(t[8].Year, 80);
    EXPECT_EQ(t[8].Name.utf8(), "Ярослав Мудры");
    EXPECT_EQ(Scores(t), Scores(BuiltInHallTable(game)));

    EndGame(20, 14, 80, 150, 0, DiffExpert, false);
    t = *RecordLastGame(game, file);
    EXPECT_EQ(t[8].Score, 0);
    EXPECT_EQ(t[8].AccessCode, 0);
    EXPECT_EQ(t[1].Score, 81070);
}

TEST_F(HallOfFame, NormalIgnoresSavesAndExpertDividesByThem) {
    EndGame(15, 8, 80, 130, 5, DiffNormal, true);
    THallTable t = *RecordLastGame(game, file);
    EXPECT_EQ(game.SaveCount, 0);
    EXPECT_EQ(t[8].Score, 37160);
    EXPECT_EQ(t[8].Saves, 0);
    EXPECT_EQ(t[8].AccessCode, 0);

    EndGame(15, 8, 80, 130, 5, DiffExpert, true);
    t = *RecordLastGame(game, file);
    EXPECT_EQ(t[8].Score, 6193);  // 37160 / 6 = 6193.3
    EXPECT_EQ(t[8].Saves, 5);
    EXPECT_EQ(t[8].AccessCode, AccessCode(6193, 130, 8, 15, 5, 80));
    EXPECT_GT(t[8].AccessCode, 0);
}

TEST_F(HallOfFame, ANewcomerRisesAboveEqualScoresButMustBeatPlaceSeven) {
    // 1544 is place 7's score exactly: (260 + 35 * 13^2) / 4.
    EndGame(10, 3, 115, 260, 3, DiffExpert, true);
    THallTable t = *RecordLastGame(game, file);
    EXPECT_EQ(t[8].Score, 1544);
    EXPECT_EQ(t[7].Name.utf8(), "Ярослава");  // the built-in entry, untouched

    // 65700 equals place 3: the newcomer takes place 3, the old one moves down to 4.
    EndGame(18, 9, 60, 90, 0, DiffNormal, true);
    t = *RecordLastGame(game, file);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{81070, 77010, 65700, 65700, 43850, 18580, 5492, 65700}));
    EXPECT_EQ(t[3].Name.utf8(), "Ярослав Мудры");
    EXPECT_EQ(t[3].Difficulty, DiffNormal);
    EXPECT_EQ(t[4].Difficulty, DiffExpert);

    // What was written is what is read back.
    THallTable again = *ReadHallOfFame(game, file);
    EXPECT_EQ(std::memcmp(&again, &t, sizeof t), 0);
}

TEST_F(HallOfFame, ANegativeAccessNumberKeepsTheResultWithoutACode) {
    // Science sum 1000 with one save: X = 1121 + (640 + 3 - 1000 - 3 - 2) * 119 < 0.
    EndGame(2, 1, 119, 1000, 1, DiffExpert, true);
    THallTable t = *RecordLastGame(game, file);
    EXPECT_EQ(t[8].Score, 640);
    EXPECT_EQ(t[8].AccessCode, 0);
    EXPECT_EQ(t[8].Year, 119);
}

TEST_F(HallOfFame, YearZeroCountsAsOneAndAGameWithoutAPersonRecordsNothing) {
    EndGame(20, 0, 0, 0, 0, DiffNormal, false);
    EXPECT_EQ((*RecordLastGame(game, file))[8].Year, 1);
    EXPECT_EQ(game.Year, 1);

    fs::remove(file);
    game.mGos[2].Human = 0;
    EXPECT_EQ(RecordLastGame(game, file), std::nullopt);
    EXPECT_FALSE(fs::exists(file));
}

void WriteBytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

TEST_F(HallOfFame, AShortOrDamagedFileIsReportedAndLeftAlone) {
    WriteBytes(file, std::string(100, '\0'));
    EndGame(20, 14, 80, 150, 0, DiffExpert, true);
    EXPECT_EQ(RecordLastGame(game, file), std::nullopt);
    ASSERT_EQ(ui.log.size(), 1u);
    EXPECT_NE(ui.log[0].find("100"), std::string::npos) << ui.log[0];
    EXPECT_EQ(fs::file_size(file), 100u);

    // A name longer than its field cannot come from the game.
    THallTable t = BuiltInHallTable(game);
    t[5].Name.len = 200;
    WriteBytes(file, std::string(reinterpret_cast<const char*>(&t), sizeof t));
    EXPECT_EQ(ReadHallOfFame(game, file), std::nullopt);
    EXPECT_EQ(ui.log.size(), 2u);

    // A reset repairs it.
    ASSERT_TRUE(ResetHallOfFame(game, file));
    EXPECT_EQ(Scores(*ReadHallOfFame(game, file))[4], 18580);
}

TEST_F(HallOfFame, ALongerFileIsReadByItsFirst384Bytes) {
    THallTable t = BuiltInHallTable(game);
    t[2].Score = 99999;
    WriteBytes(file, std::string(reinterpret_cast<const char*>(&t), sizeof t) + "trailing");
    ASSERT_TRUE(ReadHallOfFame(game, file));
    EXPECT_EQ((*ReadHallOfFame(game, file))[2].Score, 99999);
}

TEST_F(HallOfFame, AFailedWriteIsReportedAndKeepsTheOldFile) {
    EXPECT_FALSE(WriteHallOfFame(game, BuiltInHallTable(game), dir / "missing" / "tav.rec"));
    ASSERT_EQ(ui.log.size(), 1u);

    // The disk is full: the table on disk stays as it was.
    ASSERT_TRUE(ReadHallOfFame(game, file));
    EndGame(20, 14, 80, 160, 0, DiffExpert, true);
    std::optional<THallTable> t;
    {
        test::FullDisk full;
        t = RecordLastGame(game, file);
    }
    ASSERT_TRUE(t);
    EXPECT_EQ((*t)[1].Score, 81070);
    EXPECT_EQ((*ReadHallOfFame(game, file))[1].Score, 81070);
    EXPECT_EQ(ui.log.size(), 2u);
}

TEST_F(HallOfFame, AFolderThatTakesNoFileIsReportedOnceAtTheGamesEnd) {
    EndGame(20, 14, 80, 160, 0, DiffExpert, true);
    std::optional<THallTable> t = RecordLastGame(game, dir / "missing" / "tav.rec");
    ASSERT_TRUE(t);
    EXPECT_EQ(Scores(*t), Scores(BuiltInHallTable(game)));
    EXPECT_EQ(ui.log.size(), 1u);
}

TEST_F(HallOfFame, RowsShowZerosAsDashesAndSavesOnlyForExperts) {
    THallTable t = BuiltInHallTable(game);
    EXPECT_EQ(HallRow(t[6]), (std::array<std::string, 8>{"Всеволод", "5492", "15", "4", "105", "230", "2", "-"}));
    EXPECT_EQ(HallRow(t[1])[6], "-");
    t[6].Difficulty = DiffNormal;
    EXPECT_EQ(HallRow(t[6])[6], "-");
    EXPECT_EQ(HallRow(t[8])[1], "-");
}

// Texts whose rulers have Latin names, as a language section gives them.
class LatinRulers final : public TextSource {
public:
    std::string Lookup(Msg id) const override {
        for (int k = 0; k < LastGameEntry; ++k)
            if (id == MsgAt(Msg::FameRuler1, k)) return "Ruler" + std::to_string(k + 1);
        return std::string(BuiltInText(id));
    }
};

TEST_F(HallOfFame, BuiltInRulersTakeTheNamesOfTheLanguageShownAndPlayersKeepTheirs) {
    // The file was made in Russian; a better game has pushed the built-in rulers down one place.
    ASSERT_TRUE(ReadHallOfFame(game, file));
    EndGame(20, 19, 20, 300, 0, DiffExpert, true);
    const std::optional<THallTable> t = RecordLastGame(game, file);
    ASSERT_TRUE(t);
    const THallTable russian = BuiltInHallTable(game);
    EXPECT_EQ((*t)[2].Name.utf8(), russian[1].Name.utf8());  // the bytes stay as written

    LatinRulers latin;
    game.Texts = &latin;
    EXPECT_EQ(HallName(game, (*t)[1]), "Ярослав Мудры");
    EXPECT_EQ(HallName(game, (*t)[LastGameEntry]), "Ярослав Мудры");
    for (int e = 2; e <= HallPlaces; ++e) EXPECT_EQ(HallName(game, (*t)[e]), "Ruler" + std::to_string(e - 1)) << e;
    EXPECT_EQ(HallName(game, russian[LastGameEntry]), "Ruler8");
    // The same figures under another difficulty are somebody's game.
    THallEntry played = russian[3];
    played.Difficulty = DiffNormal;
    EXPECT_EQ(HallName(game, played), played.Name.utf8());
}

}  // namespace
}  // namespace korvant
