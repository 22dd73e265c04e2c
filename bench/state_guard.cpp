// The state guard's work in one simulated year of a 20-state game on the largest map, in the
// middle of the game: the check when the year begins and the seal when it ends. Set beside
// BM_ObservedGame's time per year (bench_autoplay) it gives the guard's share of a year.
#include <benchmark/benchmark.h>

#include "core/state_guard.h"
#include "support/late_game.h"

namespace korvant {
namespace {

void BM_GuardOfAYear(benchmark::State& state) {
    static Game game;
    static const bool built = (test::BuildLateGame(game, 7, 20, 100), true);
    (void)built;
    game.Year = MaxYears / 2;
    GuardedGame guarded(game);
    for (auto _ : state) {
        StateChange year(game);
        game.mGos[1].Money ^= 1;
    }
}

BENCHMARK(BM_GuardOfAYear)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvant
