// The delivered language file against the program's message table: every message has a line
// in every language, every numbered line is a message or a help line, and the built-in texts and
// the languages agree on the values each text takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/language_file.h"
#include "core/cp1251.h"
#include "core/message_table.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

const fs::path IniPath = fs::path(KORVANT_BIN_DIR) / "korvant.ini";

std::vector<std::string> LanguageSections(const IniFile& ini) {
    std::vector<std::string> out;
    long n = ini.ReadInteger("Languages", "Count", 0);
    for (long i = 0; i < n; ++i) out.push_back(ini.ReadString("Languages", std::to_string(i), ""));
    return out;
}

// The "%s" / "%d" marks of a text in order, as the message formatter reads them ("%%" is a percent sign).
std::string Marks(const std::string& text) {
    std::string marks;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%') continue;
        char m = text[i + 1];
        if (m == 's' || m == 'd') marks += m;
        if (m == 's' || m == 'd' || m == '%') ++i;
    }
    return marks;
}

class LanguageCoverage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ini_.Loaded()) << IniPath << " is missing: build the korvant_data target";
        sections_ = LanguageSections(ini_);
        ASSERT_EQ(sections_.size(), 2u);
    }
    static std::string Key(Msg id) { return std::to_string(static_cast<int>(id)); }
    std::string Text(const std::string& section, int id) const {
        return ini_.ReadString(section, std::to_string(id), "");
    }

    IniFile ini_{IniPath};
    std::vector<std::string> sections_;
};

TEST_F(LanguageCoverage, EveryMessageOfTheTableHasALineInEveryLanguage) {
    for (const std::string& section : sections_) {
        for (const MessageEntry& m : MessageTable) {
            EXPECT_TRUE(ini_.HasKey(section, Key(m.id)))
                << m.name << " (" << Key(m.id) << ") has no line in [" << section << "] of data/korvant.ini";
        }
    }
}

TEST_F(LanguageCoverage, EveryNumberedLineIsAMessageOfTheTableOrAHelpLine) {
    for (const std::string& section : sections_) {
        std::set<long> help;
        for (int n = 0; n <= 3; ++n) {
            long first = ini_.ReadInteger(section, "FirstIDIntro" + std::to_string(n), -1);
            long count = ini_.ReadInteger(section, "CountIntro" + std::to_string(n), -1);
            for (long id = first; first >= 0 && id < first + count; ++id) help.insert(id);
        }
        for (const std::string& key : ini_.Keys(section)) {
            if (key.find_first_not_of("0123456789") != std::string::npos) continue;
            const int id = std::stoi(key);
            EXPECT_TRUE(help.count(id) || !BuiltInText(Msg{id}).empty())
                << key << " in [" << section << "] is neither a message of core/message_list.inc nor a help line";
        }
    }
}

// A built-in text takes the values its callers pass, as the first language's text does (the
// languages are compared with each other below).
TEST_F(LanguageCoverage, BuiltInTextsTakeTheSameValuesAsTheFirstLanguage) {
    for (const MessageEntry& m : MessageTable) {
        EXPECT_EQ(Marks(std::string(m.text)), Marks(ini_.ReadString(sections_[0], Key(m.id), ""))) << m.name;
    }
}

TEST_F(LanguageCoverage, LanguagesHoldTheSameKeysAndHelpLines) {
    std::vector<std::string> firstKeys = ini_.Keys(sections_[0]);
    std::set<std::string> a(firstKeys.begin(), firstKeys.end());
    for (const std::string& section : sections_) {
        std::vector<std::string> keys = ini_.Keys(section);
        std::set<std::string> b(keys.begin(), keys.end());
        for (const std::string& k : a) EXPECT_TRUE(b.count(k)) << k << " is missing in [" << section << "]";
        for (const std::string& k : b) EXPECT_TRUE(a.count(k)) << k << " is only in [" << section << "]";
        for (const char* key : {"Title", "Image", "tav.dat"}) EXPECT_NE(ini_.ReadString(section, key, ""), "");
    }

    // Help texts 0..3 (the start window's panel and the command screen's three) are complete.
    for (const std::string& section : sections_) {
        for (int n = 0; n <= 3; ++n) {
            long first = ini_.ReadInteger(section, "FirstIDIntro" + std::to_string(n), -1);
            long count = ini_.ReadInteger(section, "CountIntro" + std::to_string(n), -1);
            EXPECT_GE(first, 0) << "help text " << n << " in [" << section << "]";
            EXPECT_GT(count, 0) << "help text " << n << " in [" << section << "]";
            for (long id = first; first >= 0 && id < first + count; ++id) {
                EXPECT_NE(Text(section, int(id)), "")
                    << "help text " << n << " line " << id << " in [" << section << "]";
            }
        }
    }
}

TEST_F(LanguageCoverage, TranslationsTakeTheSameValuesInTheSameOrder) {
    const std::string& reference = sections_[0];
    for (const std::string& key : ini_.Keys(reference)) {
        std::string ru = Marks(ini_.ReadString(reference, key, ""));
        for (const std::string& section : sections_) {
            std::string other = Marks(ini_.ReadString(section, key, ""));
            EXPECT_TRUE(other == ru) << key << " takes \"" << ru << "\" in [" << reference << "] but \"" << other
                                     << "\" in [" << section << "]";
        }
    }
}

TEST_F(LanguageCoverage, TextsFitTheRecordsTheyAreStoredIn) {
    for (const std::string& section : sections_) {
        SCOPED_TRACE(section);
        for (const std::string& key : ini_.Keys(section)) {
            std::string v = ini_.ReadString(section, key, "");
            // Names and messages are kept in Windows-1251; a character it lacks would turn into "?".
            EXPECT_EQ(std::count(v.begin(), v.end(), '?'), std::ranges::count(Utf8ToCp1251(v), '?')) << key << "=" << v;
        }
        // A message of the year is cut to 255 characters, with names of up to 13 and numbers filled in.
        for (int id = 3200; id <= 3321; ++id) {
            std::string v = Text(section, id);
            EXPECT_LE(Utf8Length(v) + 13 * Marks(v).size(), 255u) << id;
        }
        // Names are cut to 13 characters; a general's stem leaves room for his two-digit number.
        std::set<std::string> states, stems;
        for (int id = 1100; id <= 1110; ++id) {
            EXPECT_LE(Utf8Length(Text(section, id)), 11u) << id;
            stems.insert(Text(section, id));
        }
        for (int id = 1111; id <= 1130; ++id) {
            EXPECT_LE(Utf8Length(Text(section, id)), 13u) << id;
            states.insert(Text(section, id));
        }
        for (int id : {1140, 1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148, 1149, 1180, 1181, 1182, 1183, 1184, 1185,
                       1186, 1187, 3310}) {
            EXPECT_LE(Utf8Length(Text(section, id)), 13u) << id;
        }
        // States are told apart by name in the neighbour list, generals by stem and number.
        EXPECT_EQ(states.size(), 20u);
        EXPECT_EQ(stems.size(), 11u);
        // The battle-report button finds each report by the text the report opens with.
        EXPECT_FALSE(Text(section, 3321).empty());
        EXPECT_TRUE(Text(section, 3305).starts_with(Text(section, 3321)));
    }
}

// A group of word forms follows the number it agrees with and holds as many forms as the
// language's rule chooses among: one / few / many in Russian, one / other in English.
TEST_F(LanguageCoverage, WordFormGroupsFollowANumberAndHoldTheLanguagesForms) {
    const std::map<std::string, std::size_t> forms = {{"ru", 3}, {"en", 2}};
    for (const std::string& section : sections_) {
        const std::size_t wanted = forms.at(ini_.ReadString(section, "Locale", ""));
        for (const std::string& key : ini_.Keys(section)) {
            const std::string text = ini_.ReadString(section, key, "");
            for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
                const std::size_t close = text.find('}', open);
                ASSERT_NE(close, std::string::npos) << section << " " << key;
                const std::string group = text.substr(open + 1, close - open - 1);
                EXPECT_EQ(std::size_t(std::count(group.begin(), group.end(), '/')) + 1, wanted)
                    << section << " " << key;
                EXPECT_NE(text.rfind("%d", open), std::string::npos) << section << " " << key;
            }
        }
    }
}

TEST_F(LanguageCoverage, EachLanguageNamesItsOwnBuiltPictureRuleFileAndQtLocale) {
    std::set<std::string> pictures, ruleFiles, locales;
    for (const std::string& section : sections_) {
        const std::string picture = ini_.ReadString(section, "Image", "");
        const std::string rules = ini_.ReadString(section, "tav.dat", "");
#ifdef KORVANT_WITH_PICTURES  // the pictures are painted by a Qt tool, left out of builds without windows
        EXPECT_TRUE(fs::exists(fs::path(KORVANT_BIN_DIR) / picture)) << section << ": " << picture;
#endif
        EXPECT_TRUE(fs::exists(fs::path(KORVANT_BIN_DIR) / rules)) << section << ": " << rules;
        pictures.insert(picture);
        ruleFiles.insert(rules);
        locales.insert(ini_.ReadString(section, "Locale", ""));
    }
    // The picture carries the title and the rule file the battles' words: a language needs its own.
    EXPECT_EQ(pictures.size(), sections_.size());
    EXPECT_EQ(ruleFiles.size(), sections_.size());
    EXPECT_EQ(locales, (std::set<std::string>{"ru", "en"}));
}

TEST_F(LanguageCoverage, TheEnglishSectionIsTranslatedThroughout) {
    static const std::regex cyrillic("[\xd0\xd1][\x80-\xbf]");
    for (const std::string& key : ini_.Keys("English")) {
        std::string v = ini_.ReadString("English", key, "");
        EXPECT_FALSE(std::regex_search(v, cyrillic)) << key << "=" << v;
    }
}

// The delivered file itself: the built copy also keeps what a player chose since.
TEST(LanguageFileAsDelivered, StartsInTheSystemsLanguageWithTheDefaultSettings) {
    const fs::path source = fs::path(KORVANT_SOURCE_DIR) / "data" / "korvant.ini";
    EXPECT_EQ(TLanguageFile(source, source.parent_path(), "ru").CurrentSection(), "Russian");
    EXPECT_EQ(TLanguageFile(source, source.parent_path(), "en").CurrentSection(), "English");
    EXPECT_EQ(TLanguageFile(source, source.parent_path(), "de").CurrentSection(), "English");
    TLanguageFile lang(source, source.parent_path());
    EXPECT_EQ(lang.CurrentSection(), "Russian");
    EXPECT_EQ(lang.Titles(), (std::vector<std::string>{"Русский", "English"}));
    const IniFile& ini = lang.Ini();
    EXPECT_TRUE(ini.ReadBool("Preferences", "Music", false));
    EXPECT_FALSE(ini.ReadBool("Preferences", "SinglePlayer", true));
    EXPECT_FALSE(ini.ReadBool("Preferences", "HideGraphics", true));
    EXPECT_FALSE(ini.ReadBool("Preferences", "ShowHint", true));
    EXPECT_TRUE(ini.ReadBool("Preferences", "ShowScrollHelp", false));
    EXPECT_TRUE(ini.ReadBool("Debug", "PaintRounded", false));
    long pieces = ini.ReadInteger("Music", "Count", -1);
    ASSERT_GT(pieces, 0);
    for (long i = 0; i < pieces; ++i) EXPECT_NE(ini.ReadString("Music", std::to_string(i), ""), "") << i;
}

}  // namespace
}  // namespace korvant
