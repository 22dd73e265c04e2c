#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/music.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

class FakeDevice : public MusicDevice {
public:
    bool HasOutput() override { return output; }
    bool Play(const std::filesystem::path& file) override {
        played.push_back(file.filename().string());
        return opens;
    }
    void Close() override { ++closed; }

    bool output = true;
    bool opens = true;
    std::vector<std::string> played;
    int closed = 0;
};

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"a.mid", "b.mid", "c.mid"}) std::ofstream(dir / f) << "x";
    }

    IniFile Ini(const std::string& text) {
        std::ofstream(dir / "k.ini") << text;
        return IniFile(dir / "k.ini");
    }

    test::TempFolder folder;
    std::filesystem::path dir = folder.path();
    FakeDevice device;
};

TEST_F(MusicTest, PlaysTheListInOrderForEverAndSkipsMissingFiles) {
    Music m(device);
    m.Load(Ini("[Music]\nCount=4\n0=a.mid\n1=gone.mid\n2=b.mid\n3=c.mid\n"), dir);
    ASSERT_EQ(m.Playlist().size(), 3u);
    m.PlayNext();
    m.PieceEnded();
    m.PieceEnded();
    m.PieceEnded();
    EXPECT_EQ(device.played, (std::vector<std::string>{"a.mid", "b.mid", "c.mid", "a.mid"}));
}

TEST_F(MusicTest, OffAndOnResumesWithTheNextPiece) {
    Music m(device);
    m.Load(Ini("[Music]\nCount=3\n0=a.mid\n1=b.mid\n2=c.mid\n"), dir);
    m.PlayNext();  // a
    m.SetEnabled(false);
    EXPECT_FALSE(m.Playing());
    EXPECT_EQ(device.closed, 1);
    m.SetEnabled(true);  // b, not a again
    EXPECT_EQ(device.played, (std::vector<std::string>{"a.mid", "b.mid"}));
}

TEST_F(MusicTest, MusicOffInTheFileOpensNothingUntilSwitchedOn) {
    Music m(device);
    m.Load(Ini("[Preferences]\nMusic=0\n[Music]\nCount=1\n0=a.mid\n"), dir);
    m.PlayNext();
    EXPECT_TRUE(device.played.empty());
    m.SetEnabled(true);
    EXPECT_EQ(device.played.size(), 1u);
}

TEST_F(MusicTest, NoOutputDeviceNeverOpensAndAFailedOpenStaysSilent) {
    Music m(device);
    m.Load(Ini("[Music]\nCount=2\n0=a.mid\n1=b.mid\n"), dir);
    device.output = false;
    m.PlayNext();
    EXPECT_TRUE(device.played.empty());
    device.output = true;
    device.opens = false;
    m.PlayNext();
    EXPECT_FALSE(m.Playing());
    m.Stop();
    EXPECT_EQ(device.closed, 0);  // nothing was open
}

TEST_F(MusicTest, NoListPlaysNothing) {
    Music m(device);
    m.Load(Ini("[Music]\nCount=-1\n"), dir);
    m.PlayNext();
    EXPECT_TRUE(device.played.empty());
}

}  // namespace
}  // namespace korvant
