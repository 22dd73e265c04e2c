// Painting a full 100 × 100 map of 20 states onto the 600 × 600 picture of the windows.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "map/map_painter.h"

namespace {

// Twenty states as the regions nearest to twenty random seeds: ragged borders everywhere.
korvant::TMap TwentyStates() {
    korvant::RandomGenerator rng(7);
    int sx[20], sy[20];
    for (int i = 0; i < 20; ++i) {
        sx[i] = rng.Random(100);
        sy[i] = rng.Random(100);
    }
    korvant::TMap m;
    m.Size(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            int best = 0, bestD = 1 << 30;
            for (int i = 0; i < 20; ++i) {
                int d = (x - sx[i]) * (x - sx[i]) + (y - sy[i]) * (y - sy[i]) + rng.Random(40);
                if (d < bestD) bestD = d, best = i;
            }
            m.SetCell(x, y, uint8_t(best));
        }
    m.count = 20;
    return m;
}

void BM_PaintRounded600(benchmark::State& state) {
    korvant::TMap m = TwentyStates();
    for (auto _ : state) {
        korvant::Picture p(600, 600);
        m.Paint(p, true, int(state.range(0)));
        benchmark::DoNotOptimize(p.data());
    }
}
BENCHMARK(BM_PaintRounded600)->Arg(korvant::TMap::NoHighlight)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_PaintSquare600(benchmark::State& state) {
    korvant::TMap m = TwentyStates();
    for (auto _ : state) {
        korvant::Picture p(600, 600);
        m.Paint(p, false, korvant::TMap::NoHighlight);
        benchmark::DoNotOptimize(p.data());
    }
}
BENCHMARK(BM_PaintSquare600)->Unit(benchmark::kMillisecond);

}  // namespace

// What a click on "new map" costs before the player sees it: a fresh map, states and
// generals, and the preview painted (the window then only shows the picture).
#include "game/new_game.h"

namespace {

void BM_NewMapWithPreview(benchmark::State& state) {
    static uint32_t seed = 77;
    korvant::Game game;
    game.GosCount = uint8_t(state.range(0));
    game.MapSize = uint8_t(state.range(1));
    game.Rng.setSeed(seed++);
    for (auto _ : state) {
        korvant::NewMap(game);
        korvant::Picture preview(300, 300);
        korvant::DrawMap(game, preview, true);
        benchmark::DoNotOptimize(preview.data());
    }
}
BENCHMARK(BM_NewMapWithPreview)
    ->ArgNames({"states", "size"})
    ->Args({20, 100})
    ->Args({20, 50})
    ->Args({10, 100})
    ->Args({2, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(31)
    ->ReportAggregatesOnly(true);

}  // namespace
