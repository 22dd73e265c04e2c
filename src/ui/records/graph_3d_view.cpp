#include "ui/records/graph_3d_view.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QWidget>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

#include "ui/app/window_ui_qt.h"
#include "ui/records/state_colour.h"

namespace korvant {

namespace {

// The floor is as deep as this many percent of its width, divided by the depth percent: the
// design depth of 13 gives a floor about 2.3 times as wide as deep, 30 nearly a square.
constexpr double DepthScale = 30.0;
// A label for every tenth year keeps the year axis readable over a long game.
constexpr int YearLabelStep = 10;

}  // namespace

bool ThreeDViewAvailable() {
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal") return false;
        QOpenGLContext context;
        return context.create();
    }();
    return available;
}

TGraph3D::TGraph3D(QWidget* parent) : bars_(new Q3DBars), series_(new QBar3DSeries) {
    bars_->activeTheme()->setType(Q3DTheme::ThemeQt);
    // Row colours apply only to a uniform colour style.
    bars_->activeTheme()->setColorStyle(Q3DTheme::ColorStyleUniform);
    bars_->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    bars_->setSelectionMode(QAbstract3DGraph::SelectionItem);
    // From the front left and above, so the rows of later states show over the earlier ones.
    bars_->scene()->activeCamera()->setCameraPosition(-30.0f, 40.0f, 95.0f);
    bars_->setAspectRatio(3.0);  // lower bars, so the camera sees over the rows in front
    QFont labels = bars_->activeTheme()->font();
    labels.setPointSize(34);
    bars_->activeTheme()->setFont(labels);
    bars_->valueAxis()->setLabelFormat("%.0f");
    bars_->valueAxis()->setTitleVisible(true);
    series_->setMesh(QAbstract3DSeries::MeshBar);
    series_->setItemLabelFormat("@rowLabel: @valueLabel");
    bars_->addSeries(series_);
    SetDepth(13);
    // The container owns the graph's window from here on.
    container_ = QWidget::createWindowContainer(bars_, parent);
    container_->setMinimumSize(400, 300);
    container_->setFocusPolicy(Qt::StrongFocus);
}

void TGraph3D::Draw(const Game& game, ChartCriterion criterion, ChartFilters filters, const QString& title) {
    const int years = RecordedYears(game);
    auto* rows = new QBarDataArray;
    QStringList rowLabels, columnLabels;
    QList<QColor> colours;
    for (int y = 1; y <= years; ++y)
        columnLabels << (y == 1 || y % YearLabelStep == 0 ? QString::number(y) : QString());
    for (int s = 1; s <= ChartStates(game) && years > 0; ++s) {
        if (!ChartLineDrawn(game, s, filters)) continue;
        auto* row = new QBarDataRow(years);
        for (int y = 1; y <= years; ++y) (*row)[y - 1].setValue(float(ChartValue(game.History, s, criterion, y)));
        rows->append(row);
        rowLabels << ShownText(ChartLineTitle(game, s, filters));
        colours << StateColour(s);
    }
    series_->dataProxy()->resetArray(rows, rowLabels, columnLabels);
    series_->setRowColors(colours);
    bars_->valueAxis()->setTitle(title);
}

void TGraph3D::SetDepth(int percent) { bars_->setHorizontalAspectRatio(DepthScale / std::max(percent, 1)); }

QImage TGraph3D::Picture(QSize size) { return bars_->renderToImage(0, size); }

}  // namespace korvant
