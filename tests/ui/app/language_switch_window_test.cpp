// Switching the language re-labels more than the windows' own texts: the
// proposed names, the battles' words from the language's rule file, and Qt's
// standard buttons.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

#include "support/ui/gui_app.h"
#include "ui/map/select_gos_window.h"

namespace korvant {
namespace {

class LanguageSwitchTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    void Switch(int index) {
        ASSERT_TRUE(lang->SelectLanguage(index));
        app->RetextAll();
    }
    const TRuleRecord& Rules() { return app->TheGame().Rules; }
};

// Qt's "Cancel" as a standard button shows it.
QString QtCancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel"); }

TEST_F(LanguageSwitchTest, TheChosenLanguageGivesItsNamesBattleWordsAndQtButtons) {
    const bool qtRussian = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm");
    EXPECT_TRUE(app->SelectGos().Suggestions().contains("Император"));
    EXPECT_EQ(Rules().KindNames[1].utf8(), "Пехота");
    if (qtRussian) {
        EXPECT_EQ(QtCancel(), "Отмена");
    }

    Switch(1);
    EXPECT_TRUE(app->SelectGos().Suggestions().contains("Emperor"));
    EXPECT_FALSE(app->SelectGos().Suggestions().contains("Император"));
    EXPECT_EQ(Rules().KindNames[1].utf8(), "Infantry");
    EXPECT_EQ(Rules().TacticTable[6].Name.utf8(), "Ambush");
    EXPECT_EQ(QtCancel(), "Cancel");

    Switch(0);
    EXPECT_EQ(Rules().KindNames[1].utf8(), "Пехота");
    if (qtRussian) {
        EXPECT_EQ(QtCancel(), "Отмена");
    }
}

}  // namespace
}  // namespace korvant
