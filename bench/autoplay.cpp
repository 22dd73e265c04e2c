// A whole observed game of 20 states on the largest field, played by the
// computer from the first map to a victory or the draw.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "app/program_files.h"
#include "core/game.h"
#include "core/rule_data.h"
#include "game/new_game.h"
#include "game/turn_cycle.h"

namespace {

double CpuMs() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

void BM_ObservedGame(benchmark::State& state) {
    const auto rules = korvant::ProgramFile(nullptr).parent_path() / "tav.dat";
    uint32_t seed = 1;
    double slowestYear = 0, years = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<korvant::Game>();
        if (!korvant::LoadRuleData(rules, game->Rules)) {
            state.SkipWithError("tav.dat is missing beside the benchmark");
            return;
        }
        game->GosCount = 20;
        game->MapSize = 100;
        game->Rng.setSeed(seed++);
        state.ResumeTiming();

        korvant::NewMap(*game);
        korvant::ChooseTerritories(*game, 0);
        korvant::TurnCycleOptions options;
        options.observe = true;
        options.records.reset();
        double last = CpuMs();
        options.yearDone = [&](korvant::Game&, int) {
            const double now = CpuMs();
            slowestYear = std::max(slowestYear, now - last);
            last = now;
            years += 1;
        };
        korvant::RunGame(*game, options);
    }
    state.counters["years"] = benchmark::Counter(years, benchmark::Counter::kAvgIterations);
    state.counters["slowest_year_cpu_ms"] = slowestYear;
}

BENCHMARK(BM_ObservedGame)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

}  // namespace
