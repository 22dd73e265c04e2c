#pragma once
// The language file: every shown text by message id, several languages side
// by side, one INI section each, with the list of languages and the chosen one.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_file.h"
#include "core/text_source.h"

namespace korvant {

class TLanguageFile final : public TextSource {
public:
    // Opens the INI file at `iniPath`; `programDir` prefixes the image and data-file paths. Until
    // the person has chosen a language ("Default" absent), the one whose "Locale" is
    // `systemLanguage` (a two-letter code) is current, else the one whose "Locale" is "en",
    // else the first.
    TLanguageFile(std::filesystem::path iniPath, std::filesystem::path programDir,
                  std::string_view systemLanguage = {});

    // False when the file is missing or lists no language: the program must end (exit code 7).
    bool HasLanguages() const { return !sections_.empty(); }

    // Text of `id` from the current language with "|" turned into CR LF; its built-in text if absent.
    std::string Lookup(Msg id) const override;
    // The same without the "|" replacement.
    std::string RawLookup(Msg id) const;
    // Lines of help text n; false (and `lines` untouched) when the language does not define it.
    bool IntroText(int n, std::vector<std::string>& lines) const;
    // "Image" and "tav.dat" of the current language, prefixed with the program's folder; empty if absent.
    std::filesystem::path ImagePath() const;
    std::filesystem::path DataFilePath() const;

    // Makes language `index` current and stores the choice in the file; out of range changes nothing.
    // Returns false when the choice could not be written (it still holds for this run).
    bool SelectLanguage(int index);

    const std::vector<std::string>& Titles() const { return titles_; }
    const std::vector<std::string>& Sections() const { return sections_; }
    int CurrentIndex() const { return currentIndex_; }
    const std::string& CurrentSection() const { return currentSection_; }
    const std::filesystem::path& ProgramDir() const { return programDir_; }
    IniFile& Ini() { return ini_; }
    const IniFile& Ini() const { return ini_; }

private:
    std::filesystem::path pathInDir(std::string_view key) const;
    // The language of the system's locale, for a person who has not chosen one.
    long systemChoice(std::string_view systemLanguage) const;
    // Line `key` of the current language as written; `fallback` if absent.
    std::string Line(long key, std::string_view fallback) const;

    IniFile ini_;
    std::filesystem::path programDir_;
    std::string currentSection_;
    std::vector<std::string> titles_;
    std::vector<std::string> sections_;
    int currentIndex_ = 0;
};

// "|" in a language text means a line break.
std::string BarsToLineBreaks(std::string_view text);

}  // namespace korvant
