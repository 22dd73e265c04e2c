// Generating a new map, as a player clicking "new map" does it. Every repetition
// draws one map from a seed of its own, so the median is the median map.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "core/game.h"
#include "map/map_generation.h"

namespace {

void BM_GenerateMap(benchmark::State& state) {
    static uint32_t seed = 20240601;
    korvant::Game game;
    game.GosCount = uint8_t(state.range(0));
    game.MapSize = uint8_t(state.range(1));
    game.Rng.setSeed(seed++);
    int attempts = 0;
    for (auto _ : state) {
        attempts = korvant::GenerateMap(game).attempts;
        benchmark::DoNotOptimize(game.Map);
    }
    state.counters["attempts"] = attempts;
}

BENCHMARK(BM_GenerateMap)
    ->ArgNames({"states", "size"})
    ->Args({20, 100})
    ->Args({20, 50})
    ->Args({10, 100})
    ->Args({2, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(51)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

}  // namespace
