#include "app/language_file.h"

#include <algorithm>

namespace korvant {

std::string BarsToLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '|') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

TLanguageFile::TLanguageFile(std::filesystem::path iniPath, std::filesystem::path programDir,
                             std::string_view systemLanguage)
    : ini_(std::move(iniPath)), programDir_(std::move(programDir)) {
    long n = ini_.ReadInteger("Languages", "Count", 0);
    if (n < 1) return;
    // A damaged count must not make a list of millions of languages.
    constexpr long MaxLanguages = 1000;
    n = std::min(n, MaxLanguages);
    for (long i = 0; i < n; ++i) {
        std::string section = ini_.ReadString("Languages", std::to_string(i), "");
        titles_.push_back(ini_.ReadString(section, "Title", ""));
        sections_.push_back(section);
    }
    const long d = ini_.HasKey("Languages", "Default") ? ini_.ReadInteger("Languages", "Default", 0)
                                                       : systemChoice(systemLanguage);
    if (d >= 0 && d < n) {
        currentIndex_ = int(d);
        currentSection_ = sections_[std::size_t(d)];
    }
}

long TLanguageFile::systemChoice(std::string_view systemLanguage) const {
    if (systemLanguage.empty()) return 0;
    for (std::string_view wanted : {systemLanguage, std::string_view("en")}) {
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            if (ini_.ReadString(sections_[i], "Locale", "") == wanted) return long(i);
        }
    }
    return 0;
}

std::string TLanguageFile::Line(long key, std::string_view fallback) const {
    if (currentSection_.empty()) return std::string(fallback);
    return ini_.ReadString(currentSection_, std::to_string(key), fallback);
}

std::string TLanguageFile::RawLookup(Msg id) const { return Line(static_cast<long>(id), BuiltInText(id)); }

std::string TLanguageFile::Lookup(Msg id) const { return BarsToLineBreaks(RawLookup(id)); }

bool TLanguageFile::IntroText(int n, std::vector<std::string>& lines) const {
    // Without a current language, keys above the first section must not pass for one.
    if (currentSection_.empty()) return false;
    long first = ini_.ReadInteger(currentSection_, "FirstIDIntro" + std::to_string(n), -1);
    long count = ini_.ReadInteger(currentSection_, "CountIntro" + std::to_string(n), -1);
    if (first == -1 || count == -1) return false;
    // A damaged count must not make a list of millions of lines.
    constexpr long MaxIntroLines = 1000;
    count = std::min(count, MaxIntroLines);
    lines.clear();
    for (long id = first; id < first + count; ++id) lines.push_back(BarsToLineBreaks(Line(id, "Ошибка")));
    return true;
}

std::filesystem::path TLanguageFile::pathInDir(std::string_view key) const {
    if (currentSection_.empty()) return {};
    std::string v = ini_.ReadString(currentSection_, key, "");
    if (v.empty()) return {};
    return programDir_ / v;
}

std::filesystem::path TLanguageFile::ImagePath() const { return pathInDir("Image"); }
std::filesystem::path TLanguageFile::DataFilePath() const { return pathInDir("tav.dat"); }

bool TLanguageFile::SelectLanguage(int index) {
    if (index < 0 || index >= int(sections_.size())) return true;
    currentIndex_ = index;
    currentSection_ = sections_[std::size_t(index)];
    // A separate reader of the same file, so that nothing else this object holds is written back.
    IniFile writer(ini_.Path());
    // A file that can no longer be read must not be replaced by one that holds only the choice.
    if (!writer.Loaded()) return false;
    writer.WriteInteger("Languages", "Default", index);
    bool ok = writer.Flush();
    if (ok) ini_.WriteInteger("Languages", "Default", index);
    return ok;
}

}  // namespace korvant
