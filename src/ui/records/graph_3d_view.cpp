#include "ui/records/graph_3d_view.h"

#include <QGuiApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWidget>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

#include "records/chart_axes.h"
#include "ui/app/window_ui_qt.h"
#include "ui/records/state_colour.h"

namespace korvant {

namespace {

constexpr int DesignDepth = 13;
constexpr int MostValueTicks = 6;
constexpr int MostRowLabels = 8;

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
    // The bars' own title and legend are not drawn by the graph: labels above and below it.
    container_ = new QWidget(parent);
    auto* layout = new QVBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
    title_ = new QLabel;
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    legend_ = new QLabel;
    legend_->setWordWrap(true);
    legend_->setAlignment(Qt::AlignCenter);
    // The graph's window container owns the graph from here on.
    QWidget* graph = QWidget::createWindowContainer(bars_, container_);
    graph->setMinimumSize(400, 300);
    graph->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(title_);
    layout->addWidget(graph, 1);
    layout->addWidget(legend_);
    SetDepth(DesignDepth);
}

void TGraph3D::Draw(const Game& game, ChartCriterion criterion, ChartFilters filters, const QString& title) {
    const int years = RecordedYears(game);
    auto* rows = new QBarDataArray;
    QStringList rowLabels, columnLabels;
    QList<QColor> colours;
    for (int y = 1; y <= years; ++y) columnLabels << (YearLabelled(y, years) ? QString::number(y) : QString());
    QString legend;
    for (int s = 1; s <= ChartStates(game) && years > 0; ++s) {
        if (!ChartLineDrawn(game, s, filters)) continue;
        auto* row = new QBarDataRow(years);
        for (int y = 1; y <= years; ++y) (*row)[y - 1].setValue(float(ChartValue(game.History, s, criterion, y)));
        rows->append(row);
        const QString name = ShownText(ChartLineTitle(game, s, filters));
        rowLabels << name;
        colours << StateColour(s);
        legend += QString("<span style='color:%1'>&#9632;</span>&nbsp;%2&nbsp;&nbsp; ")
                      .arg(StateColour(s).name(), name.toHtmlEscaped());
    }
    int64_t top = 0;
    for (const QBarDataRow* row : *rows)
        for (const QBarDataItem& bar : *row) top = std::max(top, int64_t(bar.value()));
    series_->dataProxy()->resetArray(rows, rowLabels, columnLabels);
    // Whole-number ticks, as on the flat chart.
    const ValueTicks ticks = WholeValueTicks(top, MostValueTicks);
    bars_->valueAxis()->setRange(0, float(ticks.top));
    bars_->valueAxis()->setSegmentCount(ticks.count - 1);
    bars_->valueAxis()->setSubSegmentCount(1);
    // Many states' names pile up along the floor's depth: the legend below names them then.
    bars_->rowAxis()->setLabels(rowLabels.size() <= MostRowLabels ? rowLabels
                                                                  : QStringList(rowLabels.size(), QString(" ")));
    series_->setRowColors(colours);
    bars_->valueAxis()->setTitle(title);
    title_->setText(title);
    legend_->setText(legend);
    rows_ = int(rowLabels.size());
    columns_ = years;
    applyDepth();
}

void TGraph3D::SetDepth(int percent) {
    depth_ = percent;
    applyDepth();
}

// The graph ignores the horizontal aspect ratio for bars: their thickness shapes the floor.
void TGraph3D::applyDepth() { bars_->setBarThickness(BarThickness(depth_, rows_, columns_)); }

QImage TGraph3D::Picture(QSize size) { return bars_->renderToImage(0, size); }

}  // namespace korvant
