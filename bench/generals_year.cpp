// The generals' year late in a 20-state game on a 100 x 100 map, with dozens of battles that
// take hundreds of cells each: once with the border walk the game uses to take cells, once
// with the plain scan of the whole map for every cell taken.
#include <benchmark/benchmark.h>

#include "core/state_fields.h"
#include "sim/generals.h"
#include "support/late_game.h"
#include "support/plain_capture.h"

namespace korvant {
namespace {

// What a generals' year changes, put back before every run.
constexpr std::tuple YearChanges{state::States,      state::Generals,  state::Map,
                                 state::LivingCount, state::Chronicle, state::Messages};

Game& LateGame() {
    static Game game;
    static bool built = false;
    if (!built) {
        test::BuildLateGame(game, 7, 20, 100);
        built = true;
    }
    return game;
}

void RunGeneralsYear(benchmark::State& state, CellTaker take) {
    Game& game = LateGame();
    const StateSnapshot start(game, YearChanges);
    const uint32_t seed = game.Rng.seed();
    int64_t cells = 0, battles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        start.RestoreInto(game);
        game.Rng.setSeed(seed);
        state.ResumeTiming();
        GeneralsYear(game, take);
        state.PauseTiming();
        for (int s = 1; s <= game.GosCount; ++s) cells += game.mGos[s].Captured;
        for (char c : game.Chronicle) battles += c == '\n';
        state.ResumeTiming();
    }
    start.RestoreInto(game);
    game.Rng.setSeed(seed);
    state.counters["cells_taken"] = benchmark::Counter(double(cells), benchmark::Counter::kAvgIterations);
    state.counters["chronicle_lines"] = benchmark::Counter(double(battles), benchmark::Counter::kAvgIterations);
}

void BM_GeneralsYear_BorderWalk(benchmark::State& state) { RunGeneralsYear(state, TakeCellsAlongBorder); }
void BM_GeneralsYear_PlainScan(benchmark::State& state) { RunGeneralsYear(state, test::TakeCellsByPlainScan); }

BENCHMARK(BM_GeneralsYear_BorderWalk)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_GeneralsYear_PlainScan)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace korvant
