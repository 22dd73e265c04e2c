#pragma once
// The statistics charts: for one of twelve criteria, a line per state over the years recorded
// so far, with switches for persons' states only and for hiding destroyed states, a 3D view
// where the display has OpenGL, and a picture of the chart saved as PNG.
#include <QDialog>

#include <array>
#include <memory>

#include "core/records.h"
#include "records/chart_series.h"

class QButtonGroup;
class QCheckBox;
class QChart;
class QChartView;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QValueAxis;
class QAction;

namespace korvant {

class TLanguageFile;
struct Game;
class TGraph3D;

class TGraph : public QDialog {
    Q_OBJECT
public:
    TGraph(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    ~TGraph() override;
    void ApplyTexts();
    // Activates the window and shows it modally.
    void Show();
    // Spans the recorded years and draws the territory in 2D with no filter and the design depth.
    void Activate();
    // Draws `criterion` under the switches' filters, in 2D and, when shown, in 3D.
    void Draw(ChartCriterion criterion);
    // Writes the chart as shown (2D or 3D) to `file` as PNG; false when it cannot be written.
    bool SavePicture(const QString& file);

    ChartCriterion Criterion() const { return criterion_; }
    QChart* Chart() const { return chart_; }
    QValueAxis* YearAxis() const { return years_; }
    QValueAxis* ValueAxis() const { return values_; }
    QLineSeries* Series(int s) const { return series_[std::size_t(s - 1)]; }
    // Whether state s's line has an entry in the legend, as laid out in the shown window.
    bool InLegend(int s) const;
    QRadioButton* CriterionButton(int c) const { return criteria_[std::size_t(c)]; }
    QCheckBox* HideDestroyed() const { return hideDestroyed_; }
    QCheckBox* PersonsOnly() const { return personsOnly_; }
    QCheckBox* ThreeD() const { return threeD_; }
    QSpinBox* Depth() const { return depth_; }
    // The 3D view, once the 3D switch has first been turned on.
    TGraph3D* ThreeDView() const { return view3d_.get(); }

private:
    ChartFilters filters() const;
    void redraw() { Draw(criterion_); }
    void showThreeD(bool on);
    void saveClicked();

    TLanguageFile& lang_;
    Game& game_;
    ChartCriterion criterion_ = FirstChartCriterion;
    QChart* chart_;
    QChartView* view_;
    QValueAxis* years_;
    QValueAxis* values_;
    std::array<QLineSeries*, MaxStates> series_;
    QStackedWidget* views_;
    std::unique_ptr<TGraph3D> view3d_;
    QGroupBox* criteriaBox_;
    QButtonGroup* criteriaGroup_;
    std::array<QRadioButton*, ChartCriterionCount> criteria_;
    QCheckBox* hideDestroyed_;
    QCheckBox* personsOnly_;
    QCheckBox* threeD_;
    QLabel* depthLabel_;
    QSpinBox* depth_;
    QAction* saveAction_;
    QPushButton* save_;
    QPushButton* exit_;
};

}  // namespace korvant
