#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "app/ini_file.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/app/preference_window.h"

namespace korvant {
namespace {

class SettingsWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    TPreference& prefs() { return app->Preference(); }
    Settings OnDisk() {
        Settings s;
        s.Read(IniFile(dir / "korvant.ini"));
        return s;
    }
    void FlipAll() {
        for (QCheckBox* b : {prefs().MusicBox(), prefs().SinglePlayerBox(), prefs().HideGraphicsBox(),
                             prefs().ShowHintBox(), prefs().ScrollBox()})
            b->setChecked(!b->isChecked());
    }
};

TEST_F(SettingsWindowTest, CloseChangesNothingAndTheWindowReopensWithTheSettingsInForce) {
    const Settings before = app->CurrentSettings();
    const bool musicBefore = app->MusicPlayer().Enabled();
    prefs().show();
    FlipAll();
    prefs().CloseButton()->click();

    // Nothing changes, in the program or in the file: the turn cycle and the help panels read
    // the settings, not the boxes.
    EXPECT_EQ(app->MusicPlayer().Enabled(), musicBefore);
    const Settings now = app->CurrentSettings();
    EXPECT_EQ(now.SinglePlayer, before.SinglePlayer);
    EXPECT_EQ(now.HideGraphics, before.HideGraphics);
    EXPECT_EQ(now.ShowHint, before.ShowHint);
    EXPECT_EQ(now.ShowScrollHelp, before.ShowScrollHelp);
    EXPECT_EQ(app->TheGame().Ui->SkipYourTurnForOnePerson(), before.SinglePlayer);
    const Settings disk = OnDisk();
    EXPECT_EQ(disk.Music, before.Music);
    EXPECT_EQ(disk.SinglePlayer, before.SinglePlayer);
    EXPECT_EQ(disk.ShowScrollHelp, before.ShowScrollHelp);

    // Reopened, the boxes show the settings again, not what was left unapplied.
    test::ModalAnswerer answers;
    answers.Expect<TPreference>([&](TPreference& w) {
        EXPECT_EQ(w.SinglePlayerBox()->isChecked(), before.SinglePlayer);
        EXPECT_EQ(w.ScrollBox()->isChecked(), before.ShowScrollHelp);
        w.CloseButton()->click();
    });
    app->ShowSettings(true);
}

TEST_F(SettingsWindowTest, ApplyWritesTheFileAndAppliesEverything) {
    const Settings before = app->CurrentSettings();
    prefs().show();
    FlipAll();
    prefs().ApplyButton()->click();
    const Settings disk = OnDisk();
    EXPECT_EQ(disk.Music, !before.Music);
    EXPECT_EQ(disk.SinglePlayer, !before.SinglePlayer);
    EXPECT_EQ(disk.HideGraphics, !before.HideGraphics);
    EXPECT_EQ(disk.ShowHint, !before.ShowHint);
    EXPECT_EQ(disk.ShowScrollHelp, !before.ShowScrollHelp);
    EXPECT_EQ(app->MusicPlayer().Enabled(), !before.Music);
    EXPECT_EQ(app->CurrentSettings().HideGraphics, !before.HideGraphics);
    EXPECT_EQ(app->TheGame().Ui->SkipYourTurnForOnePerson(), !before.SinglePlayer);
    // The rest of the file is still there.
    EXPECT_TRUE(TLanguageFile(dir / "korvant.ini", dir).HasLanguages());
}

TEST_F(SettingsWindowTest, AnUnwritableFileStillAppliesForThisRun) {
    std::filesystem::remove(dir / "korvant.ini");
    std::filesystem::create_directory(dir / "korvant.ini");  // a folder where the file was: no write can succeed
    prefs().show();
    prefs().HideGraphicsBox()->setChecked(!prefs().HideGraphicsBox()->isChecked());
    prefs().ApplyButton()->click();
    EXPECT_EQ(app->CurrentSettings().HideGraphics, prefs().HideGraphicsBox()->isChecked());
    std::filesystem::remove(dir / "korvant.ini");
}

}  // namespace
}  // namespace korvant
