#include "core/rule_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <string>

#include "core/game.h"
#include "core/rule_source.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

const fs::path kBuiltFile = fs::path(KORVANT_BIN_DIR) / "tav.dat";
const fs::path kShippedSource = fs::path(KORVANT_SOURCE_DIR) / "data" / "rules";

bool SameRecord(const TRuleRecord& a, const TRuleRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A small but complete source: three kinds, two tactics, values easy to tell apart.
const std::map<std::string, std::string> kSmallSource = {
    {"kinds.txt", "\xEF\xBB\xBF# kinds\nПехота\r\nКонница\n\nПушки\n"},
    {"tactics.txt",
     "1 | Первая | 0 0 0 | 2 1 3 | 1 1 1\n"
     "  # the second one\n"
     "2 | Вторая | 10 20 30 | 4 0.5 2 | 0.5 1 1.5\n"},
    {"matchups.txt", "damage\n1 1 0.5\n2 1.25 1\nspirit\n1 1 1\n2 2 0.5\n"},
    {"narration.txt", "1 1 | а | б\n1 2 | в | г\n2 1 | Удар с фланга | Враг дрогнул\n2 2 | д | е\n"},
};

class RuleFiles : public ::testing::Test {
protected:
    // Writes the small source into `dir`, with `replaced` files swapped for other contents.
    fs::path Source(const std::map<std::string, std::string>& replaced = {}) {
        fs::path src = dir / "src";
        fs::create_directories(src);
        for (const auto& [name, text] : kSmallSource) {
            auto it = replaced.find(name);
            std::ofstream(src / name, std::ios::binary) << (it == replaced.end() ? text : it->second);
        }
        return src;
    }

    test::TempFolder folder;
    fs::path dir = folder.path();
};

TEST(RuleData, BuiltFileIsOneRecordMadeFromTheShippedSource) {
    ASSERT_TRUE(fs::exists(kBuiltFile));
    EXPECT_EQ(fs::file_size(kBuiltFile), RuleRecordSize);

    TRuleRecord loaded, parsed;
    RuleDataResult load = LoadRuleData(kBuiltFile, loaded);
    ASSERT_TRUE(load) << load.problem;
    RuleDataResult parse = ReadRuleSource(kShippedSource, parsed);
    ASSERT_TRUE(parse) << parse.problem;
    EXPECT_TRUE(SameRecord(loaded, parsed));
    EXPECT_EQ(loaded.TacticCount, MaxTactics);
    EXPECT_GE(loaded.KindCount, 3);
}

TEST_F(RuleFiles, SourceBuildsTheTablesAndRoundTripsThroughTheFile) {
    TRuleRecord rules;
    RuleDataResult parse = ReadRuleSource(Source(), rules);
    ASSERT_TRUE(parse) << parse.problem;

    EXPECT_EQ(rules.TacticCount, 2);
    EXPECT_EQ(rules.KindCount, 3);
    EXPECT_EQ(rules.KindNames[1].utf8(), "Пехота");
    EXPECT_EQ(rules.KindNames[3].utf8(), "Пушки");
    EXPECT_EQ(rules.TacticTable[2].Name.utf8(), "Вторая");
    EXPECT_EQ(rules.TacticTable[2].MinKnowledge, 10);
    EXPECT_EQ(rules.TacticTable[2].MinSpirit, 20);
    EXPECT_EQ(rules.TacticTable[2].MinArmySpirit, 30);
    // Row = the striker's tactic, column = the opponent's: [2][1] uses 1.25 and 2, [1][2] uses 0.5 and 1.
    const TBattleCell& c = rules.BattleTable[2][1][3];
    EXPECT_DOUBLE_EQ(c.Damage, 4 * 1.5 * 1.25);
    EXPECT_DOUBLE_EQ(c.SpiritGain, 0.5);
    EXPECT_DOUBLE_EQ(c.SpiritLoss, 2 * 2);
    EXPECT_DOUBLE_EQ(rules.BattleTable[1][2][1].Damage, 2 * 1 * 0.5);
    EXPECT_EQ(rules.BattleTable[1][1][4].Damage, 0);  // kinds beyond the count stay empty
    EXPECT_EQ(rules.BattleTexts[2][1].utf8(), "Удар с фланга\r\nВраг дрогнул");

    ASSERT_TRUE(WriteRuleData(dir / "tav.dat", rules));
    EXPECT_EQ(fs::file_size(dir / "tav.dat"), RuleRecordSize);
    for (const auto& e : fs::directory_iterator(dir)) EXPECT_NE(e.path().extension(), ".tmp") << e.path();
    TRuleRecord back;
    ASSERT_TRUE(LoadRuleData(dir / "tav.dat", back));
    EXPECT_TRUE(SameRecord(rules, back));
}

TEST(RuleData, EnglishFileKeepsTheNumbersAndTellsTheBattlesInEnglish) {
    TRuleRecord ru, en;
    ASSERT_TRUE(LoadRuleData(kBuiltFile, ru));
    ASSERT_TRUE(LoadRuleData(fs::path(KORVANT_BIN_DIR) / "tav_en.dat", en));
    EXPECT_EQ(std::memcmp(&ru.BattleTable, &en.BattleTable, sizeof ru.BattleTable), 0);
    ASSERT_EQ(en.TacticCount, ru.TacticCount);
    ASSERT_EQ(en.KindCount, ru.KindCount);
    for (int t = 1; t <= en.TacticCount; ++t) {
        EXPECT_EQ(en.TacticTable[t].MinKnowledge, ru.TacticTable[t].MinKnowledge);
        EXPECT_EQ(en.TacticTable[t].MinSpirit, ru.TacticTable[t].MinSpirit);
        EXPECT_EQ(en.TacticTable[t].MinArmySpirit, ru.TacticTable[t].MinArmySpirit);
    }
    EXPECT_EQ(en.KindNames[2].utf8(), "Cavalry");
    EXPECT_EQ(en.TacticTable[10].Name.utf8(), "Encirclement and rout");
    EXPECT_EQ(en.BattleTexts[1][1].utf8().substr(0, 28), "The troops charge head-on!\r\n");
}

TEST_F(RuleFiles, TextFolderGivesNamesAndNarrationOverTheSameNumbers) {
    const std::map<std::string, std::string> texts = {
        {"kinds.txt", "Foot\nHorse\nGuns\n"},
        {"tactics.txt", "1 | First\n2 | Second\n"},
        {"narration.txt", "1 1 | a | b\n1 2 | c | d\n2 1 | Flank | They waver\n2 2 | e | f\n"},
    };
    auto write = [&](const std::map<std::string, std::string>& replaced) {
        fs::path en = dir / "en";
        fs::remove_all(en);
        fs::create_directories(en);
        for (const auto& [name, text] : texts) {
            auto it = replaced.find(name);
            std::ofstream(en / name, std::ios::binary) << (it == replaced.end() ? text : it->second);
        }
        return en;
    };
    TRuleRecord base, rules;
    ASSERT_TRUE(ReadRuleSource(Source(), base));
    RuleDataResult r = ReadRuleSource(Source(), rules, write({}));
    ASSERT_TRUE(r) << r.problem;
    EXPECT_EQ(rules.KindNames[3].utf8(), "Guns");
    EXPECT_EQ(rules.TacticTable[2].Name.utf8(), "Second");
    EXPECT_EQ(rules.BattleTexts[2][1].utf8(), "Flank\r\nThey waver");
    EXPECT_EQ(std::memcmp(&base.BattleTable, &rules.BattleTable, sizeof base.BattleTable), 0);
    EXPECT_EQ(rules.TacticTable[2].MinArmySpirit, 30);
    // The shorter English name leaves none of the longer one's bytes behind it.
    EXPECT_EQ(rules.TacticTable[1].Name.chars[5], 0);

    const std::pair<std::map<std::string, std::string>, const char*> mistakes[] = {
        {{{"kinds.txt", "Foot\nHorse\n"}}, "en/kinds.txt: 2 names for 3 troop kinds"},
        {{{"tactics.txt", "1 | First\n"}}, "en/tactics.txt: 1 names for 2 tactics"},
        {{{"tactics.txt", "2 | Second\n1 | First\n"}}, "en/tactics.txt:1: expected tactic 1"},
        {{{"tactics.txt", "1 | First | 0 0 0\n2 | Second\n"}}, "en/tactics.txt:1: expected number | name"},
        {{{"narration.txt", "1 1 | a | b\n"}}, "no text for tactics 1 2"},
    };
    for (const auto& [replaced, expected] : mistakes) {
        TRuleRecord kept{};
        kept.KindCount = 77;
        RuleDataResult m = ReadRuleSource(Source(), kept, write(replaced));
        EXPECT_NE(m.problem.find(expected), std::string::npos) << m.problem;
        EXPECT_EQ(kept.KindCount, 77);
    }
}

TEST_F(RuleFiles, SourceMistakesAreReportedWithTheirPlace) {
    struct Case {
        const char* file;
        std::string text;
        const char* expected;  // part of the message
    };
    const Case cases[] = {
        {"kinds.txt", "Пехота\nКонница\nАртиллерия1\n", "kinds.txt:3: "},
        {"tactics.txt", "2 | Вторая | 0 0 0 | 2 1 3 | 1 1 1\n", "tactics.txt:1: expected tactic 1"},
        {"tactics.txt", "1 | Первая | 0 0 0 | 2 1 3 | 1 1\n2 | Вторая | 0 0 0 | 1 1 1 | 1 1 1\n", "tactics.txt:1: "},
        {"tactics.txt", "1 | Первая | 0 0 1 | 2 1 3 | 1 1 1\n2 | Вторая | 0 0 0 | 1 1 1 | 1 1 1\n",
         "tactic 1 has minimums"},
        {"tactics.txt", "1 | Первая | 0 0 0 | 2 -1 3 | 1 1 1\n2 | Вторая | 0 0 0 | 1 1 1 | 1 1 1\n", "negative"},
        {"tactics.txt", "1 | Первая | 0 0 256 | 2 1 3 | 1 1 1\n", "tactics.txt:1: \"256\""},
        {"matchups.txt", "damage\n1 1 0.5\n2 1.25 x\nspirit\n1 1 1\n2 2 0.5\n", "matchups.txt:3: \"x\""},
        {"matchups.txt", "damage\n1 1 0.5\n2 1.25 1\nspirit\n1 1 1\n", "spirit grid has 1 rows"},
        {"narration.txt", "1 1 | а | б\n1 2 | в | г\n2 1 | д | е\n", "no text for tactics 2 2"},
        {"narration.txt", "1 1 | а | б\n1 1 | в | г\n", "narration.txt:2: a second text"},
        {"narration.txt", "1 1 | а ✓ | б\n", "narration.txt:1: \"а ✓\r\nб\" has characters"},
        {"narration.txt", "1 1 | " + std::string(200, 'x') + " | " + std::string(60, 'y') + "\n", "longer than 255"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir / "src");
        TRuleRecord rules{};
        rules.KindCount = 77;  // a refused source leaves the record alone
        RuleDataResult r = ReadRuleSource(Source({{c.file, c.text}}), rules);
        EXPECT_NE(r.problem.find(c.expected), std::string::npos) << c.file << " gave: " << r.problem;
        EXPECT_EQ(rules.KindCount, 77);
    }
}

TEST_F(RuleFiles, BrokenDataFilesAreRefusedAndKeepTheTables) {
    TRuleRecord good;
    ASSERT_TRUE(ReadRuleSource(Source(), good));

    const std::pair<const char*, std::function<void(TRuleRecord&)>> damages[] = {
        {"no tactics", [](TRuleRecord& r) { r.TacticCount = 0; }},
        {"eleven tactics", [](TRuleRecord& r) { r.TacticCount = 11; }},
        {"no kinds", [](TRuleRecord& r) { r.KindCount = 0; }},
        {"two kinds", [](TRuleRecord& r) { r.KindCount = 2; }},
        {"six kinds", [](TRuleRecord& r) { r.KindCount = 6; }},
        {"tactic 1 needs knowledge", [](TRuleRecord& r) { r.TacticTable[1].MinKnowledge = 1; }},
        {"tactic 1 needs army spirit", [](TRuleRecord& r) { r.TacticTable[1].MinArmySpirit = 5; }},
        {"damage not a number",
         [](TRuleRecord& r) { r.BattleTable[2][2][3].Damage = std::numeric_limits<double>::quiet_NaN(); }},
        {"infinite spirit loss",
         [](TRuleRecord& r) { r.BattleTable[1][2][1].SpiritLoss = std::numeric_limits<double>::infinity(); }},
        {"negative spirit gain", [](TRuleRecord& r) { r.BattleTable[2][1][2].SpiritGain = -1; }},
    };
    for (const auto& [what, damage] : damages) {
        TRuleRecord bad = good;
        damage(bad);
        EXPECT_FALSE(RulesUsable(bad)) << what;
        ASSERT_TRUE(WriteRuleData(dir / "bad.dat", bad));
        TRuleRecord rules = good;
        rules.TacticTable[1].Name.set("до");
        TRuleRecord before = rules;
        RuleDataResult r = LoadRuleData(dir / "bad.dat", rules);
        EXPECT_FALSE(r) << what;
        EXPECT_FALSE(r.problem.empty()) << what;
        EXPECT_TRUE(SameRecord(rules, before)) << what;
    }
    // A coefficient outside the kinds and tactics in use is never read, so it does no harm.
    TRuleRecord unused = good;
    unused.BattleTable[3][1][1].Damage = std::numeric_limits<double>::quiet_NaN();
    unused.BattleTable[1][1][4].SpiritGain = -5;
    EXPECT_TRUE(RulesUsable(unused));

    // Short and missing files; a longer one is read for its first record.
    std::string bytes(reinterpret_cast<const char*>(&good), sizeof good);
    std::ofstream(dir / "short.dat", std::ios::binary) << bytes.substr(0, RuleRecordSize - 1);
    std::ofstream(dir / "long.dat", std::ios::binary) << bytes << "more";
    TRuleRecord rules{};
    EXPECT_NE(LoadRuleData(dir / "short.dat", rules).problem.find("shorter"), std::string::npos);
    EXPECT_NE(LoadRuleData(dir / "missing.dat", rules).problem.find("cannot open"), std::string::npos);
    EXPECT_EQ(rules.TacticCount, 0);
    EXPECT_TRUE(LoadRuleData(dir / "long.dat", rules));
    EXPECT_TRUE(SameRecord(rules, good));
}

TEST_F(RuleFiles, GameShowsTheDamagedFileMessage) {
    Game game;
    HeadlessUi ui;
    game.Ui = &ui;
    EXPECT_FALSE(LoadGameRules(game, dir / "missing.dat"));
    ASSERT_EQ(ui.log.size(), 1u);
    EXPECT_EQ(ui.log[0], "У вас испорчен файл загрузки TAV.DAT");
    EXPECT_FALSE(RulesUsable(game.Rules));

    EXPECT_TRUE(LoadGameRules(game, kBuiltFile));
    EXPECT_EQ(ui.log.size(), 1u);
}

// The shipped tables as the battles read them.
TEST(RuleData, ShippedTablesPlayAsDesigned) {
    TRuleRecord r;
    ASSERT_TRUE(LoadRuleData(kBuiltFile, r));
    auto average = [&](int t) {  // over every opponent's tactic and every kind
        double sum = 0;
        for (int u = 1; u <= r.TacticCount; ++u)
            for (int k = 1; k <= r.KindCount; ++k) sum += r.BattleTable[t][u][k].Damage;
        return sum / (r.TacticCount * r.KindCount);
    };
    for (int u = 1; u <= r.TacticCount; ++u)
        for (int k = 1; k <= r.KindCount; ++k) {
            // Tactics 6 and 7 never out-score the frontal attack, so only an outnumbered side takes them.
            EXPECT_LT(r.BattleTable[6][u][k].Damage, r.BattleTable[1][u][k].Damage) << u << " " << k;
            EXPECT_LT(r.BattleTable[7][u][k].Damage, r.BattleTable[1][u][k].Damage) << u << " " << k;
            // No strike kills a fifth of an equal army, so no battle is over in one round.
            for (int t = 1; t <= r.TacticCount; ++t) EXPECT_LT(r.BattleTable[t][u][k].Damage, 20) << t;
        }
    // Apart from 6 and 7, each tactic asks more of the commander and hits harder than the one before.
    const int ladder[] = {1, 2, 3, 4, 5, 8, 9, 10};
    for (std::size_t i = 1; i < std::size(ladder); ++i) {
        const TTactic& lower = r.TacticTable[ladder[i - 1]];
        const TTactic& higher = r.TacticTable[ladder[i]];
        EXPECT_GT(higher.MinKnowledge, lower.MinKnowledge) << ladder[i];
        EXPECT_GT(higher.MinSpirit, lower.MinSpirit) << ladder[i];
        EXPECT_GT(average(ladder[i]), average(ladder[i - 1])) << ladder[i];
    }
    for (int t = 1; t <= r.TacticCount; ++t)
        for (int u = 1; u <= r.TacticCount; ++u) {
            std::string text = r.BattleTexts[t][u].utf8();
            std::size_t cr = text.find('\r');
            ASSERT_NE(cr, std::string::npos) << t << " " << u;
            EXPECT_GT(cr, 0u);
            EXPECT_EQ(text.substr(cr, 2), "\r\n");
            EXPECT_GT(text.size(), cr + 2);
        }
}

}  // namespace
}  // namespace korvant
