// Generating a new map, as a player clicking "new map" does it: one request per
// iteration, the generator running on from the previous map's draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "core/game.h"
#include "map/map_generation.h"

namespace {

void BM_GenerateMap(benchmark::State& state) {
    korvant::Game game;
    game.GosCount = uint8_t(state.range(0));
    game.MapSize = uint8_t(state.range(1));
    game.Rng.setSeed(20240601);
    long attempts = 0;
    for (auto _ : state) {
        attempts += korvant::GenerateMap(game).attempts;
        benchmark::DoNotOptimize(game.Map);
    }
    state.counters["attempts"] = benchmark::Counter(double(attempts), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_GenerateMap)
    ->ArgNames({"states", "size"})
    ->Args({20, 100})
    ->Args({20, 50})
    ->Args({10, 100})
    ->Args({2, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

}  // namespace
