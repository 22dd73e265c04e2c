// The statistics charts switching criterion for a full game: 20 states over 119 recorded years,
// the data alone and the data with the chart painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtCharts/QChart>

#include <filesystem>

#include "app/language_file.h"
#include "core/random.h"
#include "ui/app/game_windows_qt.h"
#include "ui/records/graph_window.h"

namespace {

using namespace korvant;

// Every record of every state and year filled with values of a growing civilisation.
void FillHistory(Game& game) {
    game.GosCount = MaxStates;
    game.Year = MaxYears;
    RandomGenerator rng(11);
    for (int s = 1; s <= MaxStates; ++s) {
        game.mGos[s].Name.set("State " + std::to_string(s));
        for (int y = 1; y < MaxYears; ++y) {
            THistoryRec& r = game.History[s][y];
            for (uint8_t& level : r.Level) level = uint8_t(y / 3 + rng.Random(10));
            r.Grown = 1000 * y + rng.Random(5000);
            r.Peasants = 200 * y + rng.Random(1000);
            r.Territory = int16_t(50 + rng.Random(400));
            r.Scientists = int16_t(10 * y + rng.Random(100));
            r.Soldiers = int16_t(30 * y + rng.Random(300));
        }
    }
}

struct Charts {
    Charts() : lang(std::filesystem::path(KORVANT_BIN_DIR) / "korvant.ini", KORVANT_BIN_DIR), windows(lang) {
        windows.MusicPlayer().SetEnabled(false);
        FillHistory(windows.TheGame());
        windows.Graph().resize(1060, 640);
        windows.Graph().Activate();
    }
    TLanguageFile lang;
    GameWindows windows;
};

Charts& TheCharts() {
    static Charts charts;
    return charts;
}

void BM_SwitchCriterion(benchmark::State& state) {
    TGraph& graph = TheCharts().windows.Graph();
    int c = 0;
    for (auto _ : state) {
        graph.Draw(ChartCriterion(c));
        c = (c + 1) % ChartCriterionCount;
    }
}
BENCHMARK(BM_SwitchCriterion)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_SwitchCriterionAndPaint(benchmark::State& state) {
    TGraph& graph = TheCharts().windows.Graph();
    QImage picture(1000, 620, QImage::Format_ARGB32_Premultiplied);
    int c = 0;
    for (auto _ : state) {
        graph.Draw(ChartCriterion(c));
        QPainter painter(&picture);
        graph.Chart()->scene()->render(&painter);
        c = (c + 1) % ChartCriterionCount;
    }
}
BENCHMARK(BM_SwitchCriterionAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
