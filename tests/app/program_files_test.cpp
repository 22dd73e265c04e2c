#include "app/program_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/ini_file.h"
#include "app/language_file.h"
#include "support/saved_game_files.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

const std::string Shipped = "[Languages]\nCount=1\n0=En\n[En]\nTitle=English\n1=one\n[Preferences]\nMusic=1\n";

class ProgramFilesTest : public ::testing::Test {
protected:
    test::TempFolder root;
    fs::path bin() const { return root / "usr/bin"; }
    fs::path share() const { return root / "usr/share/korvant"; }
    UserFolders user() const { return {root / "home/.config/korvant", root / "home/.local/share/korvant"}; }
    FilePlaces places() const { return ChooseFilePlaces(bin() / "korvant", user(), root / "opt/korvant"); }
};

TEST_F(ProgramFilesTest, DataIsFoundBesideThenBelowThenWhereInstalled) {
    const fs::path installed = root / "opt/korvant";
    EXPECT_EQ(FindDataDir(bin(), "korvant.ini", installed), std::nullopt);
    write(installed / "korvant.ini", Shipped);
    EXPECT_EQ(FindDataDir(bin(), "korvant.ini", installed), installed);
    write(share() / "korvant.ini", Shipped);
    EXPECT_EQ(FindDataDir(bin(), "korvant.ini", installed), share());
    write(bin() / "korvant.ini", Shipped);
    EXPECT_EQ(FindDataDir(bin(), "korvant.ini", installed), bin());
}

TEST_F(ProgramFilesTest, APortableCopyKeepsEverythingInItsOwnFolder) {
    write(bin() / "korvant.ini", Shipped);
    const FilePlaces p = places();
    EXPECT_TRUE(p.portable);
    EXPECT_EQ(p.data, bin());
    EXPECT_EQ(p.ini, bin() / "korvant.ini");
    // The autosave lies where the load dialog opens, whatever the current folder.
    EXPECT_EQ(p.saves, bin());
    EXPECT_EQ(p.dialogs, bin());
    EXPECT_FALSE(fs::exists(root / "home"));
}

TEST_F(ProgramFilesTest, WithoutDataTheProgramsOwnFileIsNamedAndNothingIsMade) {
    const FilePlaces p = places();
    EXPECT_EQ(p.ini, bin() / "korvant.ini");
    EXPECT_FALSE(fs::exists(root / "home"));
}

TEST_F(ProgramFilesTest, AnInstalledCopyKeepsThePersonsFilesInHisFolders) {
    write(share() / "korvant.ini", Shipped);
    FilePlaces p = places();
    EXPECT_FALSE(p.portable);
    EXPECT_EQ(p.data, share());
    EXPECT_EQ(p.ini, user().config / "korvant.ini");
    EXPECT_EQ(p.saves, user().data);
    EXPECT_EQ(p.dialogs, user().data);
    EXPECT_TRUE(fs::is_directory(user().data));
    EXPECT_EQ(TLanguageFile(p.ini, p.data).Lookup(Msg{1}), "one");

    // His settings and his language stay in his copy from one start to the next.
    {
        IniFile mine(p.ini);
        mine.WriteBool("Preferences", "Music", false);
        mine.WriteInteger("Languages", "Default", 0);
        ASSERT_TRUE(mine.Flush());
    }
    p = places();
    EXPECT_FALSE(IniFile(p.ini).ReadBool("Preferences", "Music", true));

    // A newer installation brings its texts and keeps what he chose.
    write(share() / "korvant.ini", Shipped + "[En]\n2=two\n");
    p = places();
    const IniFile refreshed(p.ini);
    EXPECT_EQ(refreshed.ReadString("En", "2", ""), "two");
    EXPECT_FALSE(refreshed.ReadBool("Preferences", "Music", true));
    EXPECT_TRUE(refreshed.HasKey("Languages", "Default"));
    EXPECT_EQ(IniFile(share() / "korvant.ini").ReadBool("Preferences", "Music", false), true)
        << "shipped file untouched";
}

TEST_F(ProgramFilesTest, WhenNoCopyCanBeMadeTheInstalledFileIsRead) {
    write(share() / "korvant.ini", Shipped);
    write(root / "home/.config", "a file where the folder should be");
    const FilePlaces p = places();
    EXPECT_EQ(p.ini, share() / "korvant.ini");
    EXPECT_EQ(p.saves, user().data);
}

}  // namespace
}  // namespace korvant
