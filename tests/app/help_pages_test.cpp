// The help pages laid beside the program: every topic the program opens exists in every
// language's help folder, reads as UTF-8, has a title, and links only to pages that exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/help_topics.h"
#include "app/ini_file.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

const fs::path BinDir = KORVANT_BIN_DIR;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Strict UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int n = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (n < 0 || i + n >= s.size()) return false;
        char32_t cp = n == 0 ? c : c & (0x3F >> n);
        for (int k = 1; k <= n; ++k) {
            unsigned char d = s[i + k];
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// Topics opened by the program: the table of them, and any a source still opens by a literal number.
std::set<int> TopicsInUse() {
    std::set<int> topics(std::begin(help_topic::All), std::end(help_topic::All));
    static const std::regex call(R"(\b(?:ShowHelp|ShowTopic)\s*\(\s*(\d+)\s*\))");
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(KORVANT_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file() || entry.path().extension() != ".cpp") continue;
        std::string text = ReadAll(entry.path());
        for (std::sregex_iterator m(text.begin(), text.end(), call), end; m != end; ++m) {
            topics.insert(std::stoi((*m)[1]));
        }
    }
    return topics;
}

std::vector<fs::path> HelpFolders() {
    IniFile ini(BinDir / "korvant.ini");
    std::vector<fs::path> out;
    if (!ini.Loaded()) return out;
    long n = ini.ReadInteger("Languages", "Count", 0);
    for (long i = 0; i < n; ++i) {
        std::string section = ini.ReadString("Languages", std::to_string(i), "");
        out.push_back(BinDir / ini.ReadString(section, "Help", "help/ru"));
    }
    return out;
}

TEST(HelpPages, EveryTopicExistsInEveryLanguageWithATitleWithoutTheGamesName) {
    std::vector<fs::path> folders = HelpFolders();
    ASSERT_EQ(folders.size(), 2u) << "build the korvant_data target";
    EXPECT_NE(folders[0], folders[1]) << "each language needs its own help folder";
    static const std::regex title(R"(<title>\s*([^<\s][^<]*)</title>)", std::regex::icase);
    for (const fs::path& folder : folders) {
        for (int topic : TopicsInUse()) {
            fs::path page = folder / (std::to_string(topic) + ".html");
            if (!fs::is_regular_file(page)) {
                ADD_FAILURE() << page << " is missing";
                continue;
            }
            std::string html = ReadAll(page);
            EXPECT_TRUE(ValidUtf8(html)) << page << " is not valid UTF-8";
            std::smatch m;
            EXPECT_TRUE(std::regex_search(html, m, title)) << page << " has no title";
            // The window system adds the game's name to every window's title already.
            const std::string t = m.size() > 1 ? m[1].str() : "";
            EXPECT_EQ(t.find("Korvant"), std::string::npos) << page << ": " << t;
            EXPECT_EQ(t.find("Корвант"), std::string::npos) << page << ": " << t;
        }
    }
}

TEST(HelpPages, RelativeLinksReachExistingPagesAndAnchors) {
    static const std::regex href(R"re(href\s*=\s*"([^"]*)")re", std::regex::icase);
    static const std::regex scheme(R"(^[A-Za-z][A-Za-z0-9+.-]*:)");
    for (const fs::path& folder : HelpFolders()) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".html") continue;
            std::string html = ReadAll(entry.path());
            for (std::sregex_iterator m(html.begin(), html.end(), href), end; m != end; ++m) {
                std::string link = (*m)[1];
                if (std::regex_search(link, scheme)) continue;  // outside the help, not ours to check
                std::size_t hash = link.find('#');
                std::string file = link.substr(0, hash);
                fs::path target = file.empty() ? entry.path() : folder / file;
                if (!fs::is_regular_file(target)) {
                    ADD_FAILURE() << entry.path() << " links to missing " << link;
                    continue;
                }
                if (hash == std::string::npos) continue;
                std::string anchor = link.substr(hash + 1);
                std::string text = ReadAll(target);
                bool found = text.find("name=\"" + anchor + "\"") != std::string::npos ||
                             text.find("id=\"" + anchor + "\"") != std::string::npos;
                EXPECT_TRUE(found) << entry.path() << " links to missing anchor " << link;
            }
        }
    }
}

TEST(HelpPages, Utf8CheckRejectsBrokenText) {
    EXPECT_TRUE(ValidUtf8("Корвант, ≤ 𝄞"));
    EXPECT_FALSE(ValidUtf8("\xCA\xEE\xF0"));  // Windows-1251 bytes
    EXPECT_FALSE(ValidUtf8("\xD0"));          // cut in the middle of a character
    EXPECT_FALSE(ValidUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(ValidUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace korvant
