#include <gtest/gtest.h>

#include <cmath>

#include <QCheckBox>
#include <QImage>
#include <QRadioButton>
#include <QSpinBox>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "support/ui/gui_app.h"
#include "ui/records/graph_window.h"

namespace korvant {
namespace {

// Four states over five recorded years; every criterion's field holds a value of its own
// so that a wrong field shows.
class GraphWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    void SetUp() override {
        Game& g = app->TheGame();
        g.GosCount = 4;
        g.Year = 6;
        const char* names[] = {"Ардения", "Борея", "Вирия", "Гадея"};
        for (int s = 1; s <= 4; ++s) {
            g.mGos[s].Name.set(names[s - 1]);
            for (int y = 1; y <= 5; ++y) {
                THistoryRec& r = g.History[s][y];
                r.Territory = int16_t(100 * s + y);
                r.Soldiers = int16_t(1000 * s + y);
                r.Peasants = 5000;
            }
        }
        g.mGos[2].PlayerName.set("Ольга");
        g.History[3][5].Territory = 0;  // destroyed in the last recorded year
        // Leftovers of an earlier, larger game stay in the table.
        g.mGos[5].Name.set("Прежняя");
        g.History[5][1].Territory = 77;
    }
    void TearDown() override { graph().hide(); }
    TGraph& graph() {
        TGraph& g = app->Graph();
        if (!g.isVisible()) {
            g.resize(1060, 640);
            g.show();
        }
        QApplication::processEvents();
        return g;
    }
};

TEST_F(GraphWindowTest, FirstYearGivesAnEmptyChartWithOnlyTheTitle) {
    app->TheGame().Year = 1;
    graph().Activate();
    EXPECT_EQ(graph().Chart()->title(), QString::fromUtf8("Территория"));
    EXPECT_TRUE(graph().CriterionButton(CritTerritory)->isChecked());
    for (int s = 1; s <= MaxStates; ++s) {
        EXPECT_EQ(graph().Series(s)->count(), 0) << s;
        EXPECT_FALSE(graph().Series(s)->isVisible()) << s;
        EXPECT_FALSE(graph().InLegend(s)) << s;
    }
    EXPECT_FALSE(graph().YearAxis()->isVisible());
}

TEST_F(GraphWindowTest, ActivationDrawsTheTerritoryOfEachStateOverTheRecordedYears) {
    graph().Draw(CritSoldiers);
    graph().Activate();
    EXPECT_EQ(graph().Criterion(), CritTerritory);
    EXPECT_EQ(graph().YearAxis()->min(), 1);
    EXPECT_EQ(graph().YearAxis()->max(), 5);
    for (int s = 1; s <= 4; ++s) {
        QLineSeries* line = graph().Series(s);
        ASSERT_EQ(line->count(), 5) << s;
        EXPECT_EQ(line->at(0), QPointF(1, 100 * s + 1));
        EXPECT_TRUE(line->isVisible());
        EXPECT_TRUE(graph().InLegend(s));
    }
    // The state colours are 0x00BBGGRR; compared by name, which a pen's colour spec cannot change.
    EXPECT_EQ(graph().Series(1)->pen().color().name().toStdString(), "#ff0000");
    EXPECT_EQ(graph().Series(2)->pen().color().name().toStdString(), "#000080");
    EXPECT_EQ(graph().Series(2)->name(), QString::fromUtf8("Борея"));
    EXPECT_EQ(graph().Series(3)->at(4), QPointF(5, 0));
    // States above GosCount never appear, not even in the legend.
    for (int s = 5; s <= MaxStates; ++s) {
        EXPECT_EQ(graph().Series(s)->count(), 0) << s;
        EXPECT_FALSE(graph().Series(s)->isVisible()) << s;
        EXPECT_FALSE(graph().InLegend(s)) << s;
    }
}

TEST_F(GraphWindowTest, ChoosingACriterionRedrawsEverySeries) {
    graph().Activate();
    graph().CriterionButton(CritSoldiers)->click();
    EXPECT_EQ(graph().Criterion(), CritSoldiers);
    EXPECT_EQ(graph().Chart()->title(), QString::fromUtf8("Кол-во солдат"));
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(graph().Series(s)->at(2), QPointF(3, 1000 * s + 3)) << s;
    graph().CriterionButton(CritPopulation)->click();
    EXPECT_EQ(graph().Series(4)->at(0), QPointF(1, 5000 + 4001));
    for (int s = 5; s <= MaxStates; ++s) EXPECT_EQ(graph().Series(s)->count(), 0) << s;
}

TEST_F(GraphWindowTest, DestroyedFilterHidesTheLineButKeepsTheLegendEntry) {
    graph().Activate();
    graph().HideDestroyed()->setChecked(true);
    EXPECT_FALSE(graph().Series(3)->isVisible());
    EXPECT_TRUE(graph().InLegend(3));
    EXPECT_TRUE(graph().Series(4)->isVisible());
    graph().HideDestroyed()->setChecked(false);
    EXPECT_TRUE(graph().Series(3)->isVisible());
}

TEST_F(GraphWindowTest, PersonsOnlyDrawsPersonsLinesUnderTheirNames) {
    graph().Activate();
    graph().PersonsOnly()->setChecked(true);
    EXPECT_TRUE(graph().Series(2)->isVisible());
    EXPECT_EQ(graph().Series(2)->name(), QString::fromUtf8("Ольга"));
    for (int s : {1, 3, 4}) {
        EXPECT_FALSE(graph().Series(s)->isVisible()) << s;
        EXPECT_TRUE(graph().InLegend(s)) << s;
    }
    graph().PersonsOnly()->setChecked(false);
    EXPECT_EQ(graph().Series(2)->name(), QString::fromUtf8("Борея"));
}

TEST_F(GraphWindowTest, SmallWholeValuesGetWholeTicks) {
    Game& g = app->TheGame();
    for (int s = 1; s <= 4; ++s)
        for (int y = 1; y <= 5; ++y) g.History[s][y].Level[0] = uint8_t(y == 5 && s == 2);
    graph().Activate();
    graph().CriterionButton(CritDensity)->click();
    // A level of 1 at most: ticks 0 and 1, not 0, 0.2 ... shown as 0,0,0,1,1,1.
    EXPECT_EQ(graph().ValueAxis()->min(), 0);
    EXPECT_EQ(graph().ValueAxis()->max(), 1);
    EXPECT_EQ(graph().ValueAxis()->tickCount(), 2);
    graph().CriterionButton(CritTerritory)->click();
    const double step = graph().ValueAxis()->max() / (graph().ValueAxis()->tickCount() - 1);
    EXPECT_EQ(step, std::floor(step));
    EXPECT_GE(graph().ValueAxis()->max(), 405);
}

TEST_F(GraphWindowTest, OpeningStartsAfreshWhateverTheLastOpeningLeft) {
    graph().Activate();
    graph().CriterionButton(CritSoldiers)->click();
    graph().HideDestroyed()->setChecked(true);
    graph().PersonsOnly()->setChecked(true);
    graph().Depth()->setValue(30);
    graph().Activate();
    EXPECT_EQ(graph().Criterion(), CritTerritory);
    EXPECT_TRUE(graph().CriterionButton(CritTerritory)->isChecked());
    EXPECT_FALSE(graph().HideDestroyed()->isChecked());
    EXPECT_FALSE(graph().PersonsOnly()->isChecked());
    EXPECT_FALSE(graph().ThreeD()->isChecked());
    EXPECT_EQ(graph().Depth()->value(), 13);
    for (int s = 1; s <= 4; ++s) EXPECT_TRUE(graph().Series(s)->isVisible()) << s;
    EXPECT_EQ(graph().Series(2)->name(), QString::fromUtf8("Борея"));
}

TEST_F(GraphWindowTest, WithoutOpenGlThe3DSwitchIsOffAndExplained) {
    // The window tests run offscreen, where the 3D graph cannot be made.
    EXPECT_FALSE(graph().ThreeD()->isEnabled());
    EXPECT_FALSE(graph().Depth()->isEnabled());
    EXPECT_FALSE(graph().ThreeD()->toolTip().isEmpty());
    EXPECT_EQ(graph().Depth()->value(), 13);
    graph().ThreeD()->click();
    EXPECT_FALSE(graph().ThreeD()->isChecked());
    EXPECT_EQ(graph().ThreeDView(), nullptr);
}

TEST_F(GraphWindowTest, SavesTheChartAsPngOrSaysItCouldNot) {
    graph().Activate();
    const QString file = QString::fromStdString((dir / "chart.png").string());
    ASSERT_TRUE(graph().SavePicture(file));
    QImage saved(file, "PNG");
    EXPECT_FALSE(saved.isNull());
    EXPECT_GT(saved.width(), 100);

    const QString nowhere = QString::fromStdString((dir / "missing" / "chart.png").string());
    EXPECT_FALSE(graph().SavePicture(nowhere));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace korvant
