#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "support/ui/gui_app.h"
#include "ui/game/start_window.h"

namespace korvant {
namespace {

class StartWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    TStart& start() { return app->Start(); }
};

TEST_F(StartWindowTest, FewerStatesResetAndCapThePersons) {
    start().show();
    start().Persons()->setValue(5);
    ASSERT_EQ(start().Persons()->value(), 5);
    start().StatesSlider()->setValue(4);
    EXPECT_EQ(start().Persons()->value(), 1);
    EXPECT_EQ(start().Persons()->maximum(), 4);
    start().Persons()->setValue(9);
    EXPECT_EQ(start().Persons()->value(), 4);
    EXPECT_EQ(start().DifficultyValue()->text(), "20 %");
}

TEST_F(StartWindowTest, ExpertFixesTheSizeAndOtherLevelsFreeItKeepingTheValue) {
    start().show();
    start().SizeSlider()->setValue(70);
    start().SelectDifficulty(2);
    EXPECT_EQ(start().SizeSlider()->value(), 100);
    EXPECT_FALSE(start().SizeSlider()->isEnabled());
    EXPECT_EQ(app->TheGame().DiffLevel, DiffExpert);
    start().SelectDifficulty(0);
    EXPECT_TRUE(start().SizeSlider()->isEnabled());
    EXPECT_EQ(start().SizeSlider()->value(), 100);
    EXPECT_EQ(app->TheGame().DiffLevel, DiffTraining);
}

TEST_F(StartWindowTest, TerritoryButtonAppearsOnlyAfterAMap) {
    start().show();
    EXPECT_FALSE(start().TerritoryButton()->isVisible());
    EXPECT_FALSE(start().Preview()->isVisible());
    start().StatesSlider()->setValue(5);
    start().SizeSlider()->setValue(50);
    start().NewMapClicked();
    EXPECT_TRUE(start().TerritoryButton()->isVisible());
    EXPECT_TRUE(start().Preview()->isVisible());
    EXPECT_EQ(app->TheGame().GosCount, 5);
    EXPECT_EQ(app->TheGame().MapSize, 50);
    // Any change of the set-up asks for a new map first.
    start().SizeSlider()->setValue(55);
    EXPECT_FALSE(start().TerritoryButton()->isVisible());
}

}  // namespace
}  // namespace korvant
