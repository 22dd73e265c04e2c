#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/language_file.h"
#include "support/full_disk.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, with the INI file written into it.
class LanguageFileTest : public ::testing::Test {
protected:
    void Write(const std::string& text) {
        std::ofstream out(ini_, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::string ReadBack() const {
        std::ifstream in(ini_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TLanguageFile Open() const { return TLanguageFile(ini_, dir_); }

    test::TempFolder folder_;
    fs::path dir_ = folder_.path();
    fs::path ini_ = dir_ / "korvant.ini";
};

const char* const TwoLanguages =
    "[Languages]\n"
    "Count=2\n"
    "Default=1\n"
    "0=Russian\n"
    "1=English\n"
    "\n"
    "[Russian]\n"
    "Title=Русский\n"
    "Image=korvant.png\n"
    "tav.dat=rules/tav.dat\n"
    "100=Один\n"
    "\n"
    "[English]\n"
    "Title=English\n"
    "100=a|b|c\n"
    "101=;not a comment\n"
    "102=#not a comment either\n"
    ";103=a comment\n"
    "FirstIDIntro1=200\n"
    "CountIntro1=3\n"
    "200=first\n"
    "202=third|part\n";

TEST_F(LanguageFileTest, BarsBecomeLineBreaksExceptInTheRawLookup) {
    Write(TwoLanguages);
    TLanguageFile lang = Open();
    ASSERT_TRUE(lang.HasLanguages());
    EXPECT_EQ(lang.Lookup(Msg{100}), "a\r\nb\r\nc");
    EXPECT_EQ(lang.RawLookup(Msg{100}), "a|b|c");
    // A missing key gives the message's built-in text, translated like a file text.
    EXPECT_EQ(lang.Lookup(Msg::GetReadyText),
              "Игрок номер\r\n\r\n\r\nПриготовьтесь выбирать карту\r\nПросьба к другим "
              "игрокам\r\nНе подсматривать !");
    EXPECT_EQ(lang.RawLookup(Msg::SavedGameFilter), "*.gen|*.gen");
    EXPECT_EQ(lang.RawLookup(Msg{999}), "");  // neither in the file nor in the table
    // ";" and "#" open a comment only at the start of a line, not at the start of a value.
    EXPECT_EQ(lang.Lookup(Msg{101}), ";not a comment");
    EXPECT_EQ(lang.Lookup(Msg{102}), "#not a comment either");
    EXPECT_EQ(lang.Lookup(Msg{103}), "");
}

TEST_F(LanguageFileTest, IntroTextFillsMissingLinesWithErrorAndAZeroCountEmptiesThePanel) {
    Write(TwoLanguages);
    TLanguageFile lang = Open();
    std::vector<std::string> lines{"old"};
    ASSERT_TRUE(lang.IntroText(1, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "Ошибка", "third\r\npart"}));

    // A help text the language does not define leaves the panel as it was.
    lines = {"keep"};
    EXPECT_FALSE(lang.IntroText(2, lines));
    EXPECT_EQ(lines, std::vector<std::string>{"keep"});

    std::string text = TwoLanguages;
    text.replace(text.find("CountIntro1=3"), 13, "CountIntro1=0");
    Write(text);
    TLanguageFile emptied = Open();
    lines = {"old"};
    ASSERT_TRUE(emptied.IntroText(1, lines));
    EXPECT_TRUE(lines.empty());
}

TEST_F(LanguageFileTest, TwoLanguagesWithOneTitleAreToldApartBySection) {
    Write(
        "[Languages]\nCount=2\nDefault=0\n0=Plain\n1=Fancy\n"
        "[Plain]\nTitle=Русский\n1=простой\n"
        "[Fancy]\nTitle=Русский\n1=нарядный\n");
    TLanguageFile lang = Open();
    EXPECT_EQ(lang.Titles(), (std::vector<std::string>{"Русский", "Русский"}));
    EXPECT_EQ(lang.Sections(), (std::vector<std::string>{"Plain", "Fancy"}));
    EXPECT_EQ(lang.Lookup(Msg{1}), "простой");
    lang.SelectLanguage(1);
    EXPECT_EQ(lang.Lookup(Msg{1}), "нарядный");
}

TEST_F(LanguageFileTest, UntilThePersonChoosesTheSystemsLanguageIsUsed) {
    const std::string languages =
        "[Languages]\nCount=3\n0=De\n1=En\n2=Ru\n"
        "[De]\nTitle=Deutsch\n[En]\nTitle=English\nLocale=en\n[Ru]\nTitle=Русский\nLocale=ru\n";
    Write(languages);
    EXPECT_EQ(TLanguageFile(ini_, dir_, "ru").CurrentSection(), "Ru");
    EXPECT_EQ(TLanguageFile(ini_, dir_, "fr").CurrentSection(), "En") << "no match: English";
    EXPECT_EQ(TLanguageFile(ini_, dir_).CurrentSection(), "De") << "no system language: the first";
    TLanguageFile lang(ini_, dir_, "ru");
    ASSERT_TRUE(lang.SelectLanguage(0));
    EXPECT_EQ(TLanguageFile(ini_, dir_, "ru").CurrentSection(), "De") << "the person's choice stays";

    Write("[Languages]\nCount=2\n0=A\n1=B\n[A]\nTitle=a\n[B]\nTitle=b\n");
    EXPECT_EQ(TLanguageFile(ini_, dir_, "ru").CurrentSection(), "A") << "no language names its locale";
}

TEST_F(LanguageFileTest, PathsAreTakenInTheProgramsFolder) {
    Write(TwoLanguages);
    TLanguageFile lang = Open();
    EXPECT_EQ(lang.ImagePath(), fs::path());  // English has no picture
    EXPECT_EQ(lang.DataFilePath(), fs::path());
    lang.SelectLanguage(0);
    EXPECT_EQ(lang.ImagePath(), dir_ / "korvant.png");
    EXPECT_EQ(lang.DataFilePath(), dir_ / "rules/tav.dat");
}

TEST_F(LanguageFileTest, DefaultOutOfRangeLeavesEveryTextAtItsDefault) {
    for (const char* def : {"2", "-1", "one"}) {
        SCOPED_TRACE(def);
        // Keys above the first section belong to no language and must not be read as one.
        Write(std::string("FirstIDIntro0=1000\nCountIntro0=1\nImage=stray.png\n1000=stray\n") +
              "[Languages]\nCount=2\nDefault=" + def + "\n0=A\n1=B\n[A]\nTitle=a\n1000=ru\n[B]\nTitle=b\n1000=en\n");
        TLanguageFile lang = Open();
        ASSERT_TRUE(lang.HasLanguages());
        EXPECT_EQ(lang.Titles().size(), 2u);
        // "one" is no number, so the default 0 holds and language A is current.
        bool none = std::string(def) != "one";
        EXPECT_EQ(lang.Lookup(Msg::AppName), none ? "Корвант" : "ru");
        if (none) {
            std::vector<std::string> lines{"keep"};
            EXPECT_FALSE(lang.IntroText(0, lines));
            EXPECT_EQ(lang.ImagePath(), fs::path());
        }
    }
}

TEST_F(LanguageFileTest, NoListedLanguageMeansTheProgramMustEnd) {
    EXPECT_FALSE(Open().HasLanguages());  // no file at all
    Write("[Languages]\nDefault=0\n0=Russian\n[Russian]\nTitle=Русский\n");
    EXPECT_FALSE(Open().HasLanguages());
    Write("[Languages]\nCount=0\n");
    EXPECT_FALSE(Open().HasLanguages());
    Write("[Languages]\nCount=-3\n");
    EXPECT_FALSE(Open().HasLanguages());
}

TEST_F(LanguageFileTest, SectionAndKeyNamesMatchWithoutRegardToCase) {
    Write(
        "[LANGUAGES]\ncount=1\nDEFAULT=0\n0=russian\n"
        "[Russian]\nTITLE=Русский\nfirstidintro0=5\ncountINTRO0=1\n5=строка\nIMAGE=pic.png\nTAV.DAT=tav.dat\n");
    TLanguageFile lang = Open();
    ASSERT_TRUE(lang.HasLanguages());
    EXPECT_EQ(lang.Titles(), std::vector<std::string>{"Русский"});
    std::vector<std::string> lines;
    ASSERT_TRUE(lang.IntroText(0, lines));
    EXPECT_EQ(lines, std::vector<std::string>{"строка"});
    EXPECT_EQ(lang.ImagePath(), dir_ / "pic.png");
    EXPECT_EQ(lang.DataFilePath(), dir_ / "tav.dat");
}

TEST_F(LanguageFileTest, SelectingALanguageStoresItAndKeepsTheRestOfTheFile) {
    Write(std::string("; the file's own note\n") + TwoLanguages + "[Preferences]\nMusic=0\n");
    {
        TLanguageFile lang = Open();
        EXPECT_EQ(lang.CurrentIndex(), 1);
        EXPECT_TRUE(lang.SelectLanguage(0));
        EXPECT_EQ(lang.CurrentSection(), "Russian");
        EXPECT_EQ(lang.Lookup(Msg{100}), "Один");
        EXPECT_TRUE(lang.SelectLanguage(7));  // out of range: nothing changes
        EXPECT_TRUE(lang.SelectLanguage(-1));
        EXPECT_EQ(lang.CurrentIndex(), 0);
    }
    TLanguageFile again = Open();
    EXPECT_EQ(again.CurrentIndex(), 0);
    EXPECT_EQ(again.CurrentSection(), "Russian");
    // The rewrite keeps every other key, the bars, the comments and the settings.
    again.SelectLanguage(1);
    EXPECT_EQ(again.RawLookup(Msg{100}), "a|b|c");
    EXPECT_EQ(again.RawLookup(Msg{101}), ";not a comment");
    EXPECT_EQ(again.Ini().ReadBool("Preferences", "Music", true), false);
    std::string text = ReadBack();
    EXPECT_NE(text.find("; the file's own note"), std::string::npos);
    EXPECT_NE(text.find(";103=a comment"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "only the file itself";
}

TEST_F(LanguageFileTest, AnUnwritableFileKeepsTheChoiceForThisRunOnly) {
    Write(TwoLanguages);
    std::string before = ReadBack();
    TLanguageFile lang = Open();
    {
        test::FullDisk full;
        EXPECT_FALSE(lang.SelectLanguage(0));
    }
    EXPECT_EQ(lang.CurrentIndex(), 0);
    EXPECT_EQ(lang.Lookup(Msg{100}), "Один");
    EXPECT_EQ(ReadBack(), before);
    EXPECT_EQ(Open().CurrentIndex(), 1);
}

TEST_F(LanguageFileTest, AFileGoneSinceStartIsNotReplacedByTheChoiceAlone) {
    Write(TwoLanguages);
    TLanguageFile lang = Open();
    fs::remove(ini_);
    EXPECT_FALSE(lang.SelectLanguage(0));
    EXPECT_EQ(lang.Lookup(Msg{100}), "Один");  // the texts read at start stay in use
    EXPECT_FALSE(fs::exists(ini_));
}

TEST_F(LanguageFileTest, DamagedFilesAreReadAsFarAsTheyMakeSense) {
    // Binary noise with a NUL byte, a broken section header, lines without "=", an absurd count.
    std::string noise("\x00\xff\xfe[\x01]=\n\x80\x81", 10);
    Write(noise +
          "\n[Languages\nCount=2000000000\nDefault=0\n0=Russian\njunk line\n"
          "[Languages]\nCount=2000000000\n0=Russian\n[Russian]\n=no key\n1=один\n"
          "FirstIDIntro0=2147483000\nCountIntro0=2000000000\n");
    TLanguageFile lang = Open();
    ASSERT_TRUE(lang.HasLanguages());
    EXPECT_LE(lang.Sections().size(), 1000u);  // a count beyond reason lists no ghost languages
    EXPECT_EQ(lang.CurrentSection(), "Russian");
    EXPECT_EQ(lang.Lookup(Msg{1}), "один");
    std::vector<std::string> lines;
    ASSERT_TRUE(lang.IntroText(0, lines));
    EXPECT_LE(lines.size(), 1000u);
    for (const std::string& l : lines) EXPECT_EQ(l, "Ошибка");

    Write(std::string("\xef\xbb\xbf") + "[Languages]\nCount=1\n0=Russian\n[Russian]\n1=после метки\n");
    EXPECT_EQ(Open().Lookup(Msg{1}), "после метки");  // a byte-order mark from a Windows editor
}

TEST(IniFile, ReadsNumbersAndSwitchesLikeTheTraditionalReader) {
    test::TempFolder folder;
    const fs::path p = folder / "k.ini";
    {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << "[S]\na= 12 \nb=$1F\nc=0x10\nd=12abc\ne=99999999999\nf=TRUE\ng=0\nh=maybe\ni=+7\n";
    }
    IniFile ini(p);
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.ReadInteger("S", "a", -1), 12);
    EXPECT_EQ(ini.ReadInteger("S", "b", -1), 31);
    EXPECT_EQ(ini.ReadInteger("S", "c", -1), 16);
    EXPECT_EQ(ini.ReadInteger("S", "d", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "e", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "i", -1), 7);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -1), -1);
    EXPECT_TRUE(ini.ReadBool("S", "f", false));
    EXPECT_FALSE(ini.ReadBool("S", "g", true));
    EXPECT_TRUE(ini.ReadBool("S", "h", true));
    EXPECT_FALSE(ini.ReadBool("S", "h", false));
}

}  // namespace
}  // namespace korvant
