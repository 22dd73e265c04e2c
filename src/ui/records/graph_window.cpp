#include "ui/records/graph_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "core/text_format.h"
#include "records/chart_axes.h"
#include "ui/app/window_ui_qt.h"
#include "ui/records/graph_3d_view.h"
#include "ui/records/state_colour.h"

namespace korvant {

namespace {

constexpr int MinDepth = 1, MaxDepth = 30, DesignDepth = 13;
constexpr int MostValueTicks = 6;

}  // namespace

TGraph::TGraph(TLanguageFile& lang, Game& game, QWidget* parent) : QDialog(parent), lang_(lang), game_(game) {
    resize(1060, 640);
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->legend()->setShowToolTips(true);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    chart_->setTitleFont(titleFont);
    years_ = new QValueAxis;
    years_->setLabelFormat("%d");
    years_->setTickType(QValueAxis::TicksDynamic);
    years_->setTickAnchor(0);
    values_ = new QValueAxis;
    values_->setLabelFormat("%.0f");
    chart_->addAxis(years_, Qt::AlignBottom);
    chart_->addAxis(values_, Qt::AlignLeft);
    for (int s = 1; s <= MaxStates; ++s) {
        auto* line = new QLineSeries;
        line->setPen(QPen(StateColour(s), 2));
        chart_->addSeries(line);
        line->attachAxis(years_);
        line->attachAxis(values_);
        series_[std::size_t(s - 1)] = line;
    }
    view_ = new QChartView(chart_);  // owns the chart
    view_->setRenderHint(QPainter::Antialiasing);
    saveAction_ = new QAction(this);
    view_->addAction(saveAction_);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    views_ = new QStackedWidget;
    views_->addWidget(view_);

    criteriaBox_ = new QGroupBox;
    auto* criteriaLayout = new QVBoxLayout(criteriaBox_);
    criteriaGroup_ = new QButtonGroup(this);
    for (int c = 0; c < ChartCriterionCount; ++c) {
        criteria_[std::size_t(c)] = new QRadioButton;
        criteriaGroup_->addButton(criteria_[std::size_t(c)], c);
        criteriaLayout->addWidget(criteria_[std::size_t(c)]);
    }
    hideDestroyed_ = new QCheckBox;
    personsOnly_ = new QCheckBox;
    threeD_ = new QCheckBox;
    depthLabel_ = new QLabel;
    depth_ = new QSpinBox;
    depth_->setRange(MinDepth, MaxDepth);
    depth_->setValue(DesignDepth);
    depthLabel_->setBuddy(depth_);
    if (!ThreeDViewAvailable()) {
        threeD_->setEnabled(false);
        depth_->setEnabled(false);
    }
    save_ = new QPushButton;
    exit_ = new QPushButton;

    auto* side = new QVBoxLayout;
    side->addWidget(criteriaBox_);
    side->addWidget(hideDestroyed_);
    side->addWidget(personsOnly_);
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(threeD_);
    depthRow->addStretch(1);
    depthRow->addWidget(depthLabel_);
    depthRow->addWidget(depth_);
    side->addLayout(depthRow);
    side->addStretch(1);
    side->addWidget(save_);
    side->addWidget(exit_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(views_, 1);
    layout->addLayout(side);

    connect(criteriaGroup_, &QButtonGroup::idClicked, this, [this](int c) { Draw(ChartCriterion(c)); });
    connect(hideDestroyed_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(personsOnly_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(threeD_, &QCheckBox::toggled, this, &TGraph::showThreeD);
    connect(depth_, &QSpinBox::valueChanged, this, [this](int percent) {
        if (view3d_) view3d_->SetDepth(percent);
    });
    connect(saveAction_, &QAction::triggered, this, &TGraph::saveClicked);
    connect(save_, &QPushButton::clicked, this, &TGraph::saveClicked);
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
    ApplyTexts();
}

TGraph::~TGraph() = default;

void TGraph::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    setWindowTitle(t(Msg::ChartsTitle));
    exit_->setText(t(Msg::ChartsClose));
    personsOnly_->setText(t(Msg::ChartsPeopleOnly));
    criteriaBox_->setTitle(t(Msg::ChartsChooseCriterion));
    for (int c = 0; c < ChartCriterionCount; ++c)
        criteria_[std::size_t(c)]->setText(ShownText(ChartCriterionName(l, ChartCriterion(c))));
    hideDestroyed_->setText(t(Msg::ChartsHideDestroyed));
    threeD_->setText(t(Msg::ChartsThreeD));
    depthLabel_->setText(t(Msg::ChartsDepth));
    save_->setText(t(Msg::ChartsSavePicture));
    saveAction_->setText(save_->text());
    if (!threeD_->isEnabled()) threeD_->setToolTip(t(Msg::ChartsNoOpenGl));
    years_->setTitleText(t(Msg::ChartsYearAxis));
}

void TGraph::Show() {
    Activate();
    exec();
}

void TGraph::Activate() {
    // Every opening starts alike, whatever the last one left: flat, unfiltered, the territory.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{hideDestroyed_, personsOnly_, threeD_}) {
        const QSignalBlocker quiet(b);
        b->setChecked(false);
    }
    {
        const QSignalBlocker quiet(depth_);
        depth_->setValue(DesignDepth);
    }
    if (view3d_) view3d_->SetDepth(DesignDepth);
    views_->setCurrentWidget(view_);
    Draw(FirstChartCriterion);
}

ChartFilters TGraph::filters() const {
    return {.personsOnly = personsOnly_->isChecked(), .hideDestroyed = hideDestroyed_->isChecked()};
}

void TGraph::Draw(ChartCriterion criterion) {
    criterion_ = criterion;
    criteria_[std::size_t(criterion)]->setChecked(true);
    const Game& game = game_;
    const ChartFilters f = filters();
    const QString name = ShownText(ChartCriterionName(lang_, criterion));
    chart_->setTitle(name);
    // Nothing is recorded in the first year: no line, no legend entry, no axes.
    const int years = RecordedYears(game);
    const int states = years > 0 ? ChartStates(game) : 0;
    int64_t top = 0;
    QList<QPointF> points;
    points.reserve(years);
    for (int s = 1; s <= MaxStates; ++s) {
        QLineSeries* line = series_[std::size_t(s - 1)];
        line->setName(ShownText(ChartLineTitle(game, s, f)));
        const bool listed = s <= states;
        const bool drawn = listed && ChartLineDrawn(game, s, f);
        points.clear();
        for (int y = 1; listed && y <= years; ++y) {
            const int64_t v = ChartValue(game.History, s, criterion, y);
            points.append(QPointF(y, double(v)));
            if (drawn) top = std::max(top, v);
        }
        line->replace(points);
        line->setVisible(drawn);
        // A hidden line hides its legend entry too; a filtered state keeps it.
        for (QLegendMarker* m : chart_->legend()->markers(line)) m->setVisible(listed);
    }
    years_->setVisible(years > 0);
    values_->setVisible(years > 0);
    years_->setRange(1, std::max(years, 2));
    years_->setTickInterval(YearLabelStep(years));
    const ValueTicks ticks = WholeValueTicks(top, MostValueTicks);
    values_->setRange(0, double(ticks.top));
    values_->setTickCount(ticks.count);
    if (view3d_ && threeD_->isChecked()) view3d_->Draw(game, criterion, f, name);
}

bool TGraph::InLegend(int s) const {
    const QList<QLegendMarker*> markers = chart_->legend()->markers(Series(s));
    return !markers.isEmpty() && markers.front()->isVisible();
}

void TGraph::showThreeD(bool on) {
    if (on && !view3d_) {
        view3d_ = std::make_unique<TGraph3D>(views_);
        view3d_->SetDepth(depth_->value());
        views_->addWidget(view3d_->Widget());
    }
    views_->setCurrentWidget(on ? view3d_->Widget() : static_cast<QWidget*>(view_));
    if (on) redraw();
}

bool TGraph::SavePicture(const QString& file) {
    const bool threeD = view3d_ && views_->currentWidget() == view3d_->Widget();
    const QImage picture = threeD ? view3d_->Picture(views_->size()) : view_->grab().toImage();
    // The old file stays whole until the new picture is completely written.
    QSaveFile out(file);
    return !picture.isNull() && out.open(QIODevice::WriteOnly) && picture.save(&out, "PNG") && out.commit();
}

void TGraph::saveClicked() {
    const TLanguageFile& l = lang_;
    QString file = QFileDialog::getSaveFileName(this, save_->text(), QDir::current().filePath("charts.png"),
                                                ShownText(l.Lookup(Msg::ChartsPictureFilter)));
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += ".png";
    if (!SavePicture(file))
        game_.Ui->MessageBox(FormatText(l.Lookup(Msg::ChartsPictureNotWritten), {file.toStdString()}));
}

}  // namespace korvant
