// A network year's packed blocks in a 20-state game on the full map at year 40: the server
// packing every person's turn result and the map update with either coder, and a client taking
// his (unpacking, checking and applying it, and unpacking the map update it then passes over).
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/program_files.h"
#include "core/game.h"
#include "core/rule_data.h"
#include "game/autoplay.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/turn_result_block.h"
#include "save/container.h"
#include "sim/name_stems.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int Year = 40;

struct Stop {};

// The computer playing all twenty states, stopped once year 40 has been played.
Game* MidGame() {
    static const std::unique_ptr<Game> game = [] {
        auto g = std::make_unique<Game>();
        LoadNameStems(*g);
        if (!LoadGameRules(*g, ProgramFile(nullptr).parent_path() / "tav.dat")) return std::unique_ptr<Game>();
        AutoplaySettings settings;
        settings.states = 20;
        settings.size = 100;
        settings.seed = 11;
        settings.observe = true;
        try {
            Autoplay(*g, settings, [](const AutoplayYear& y) {
                if (y.year >= Year) throw Stop{};
            });
        } catch (const Stop&) {
        }
        return g;
    }();
    return game.get();
}

// What the server packs in a year: a turn result for each of 19 persons, and the map update.
std::vector<Bytes> YearBlocks(const Game& game) {
    std::vector<Bytes> blocks;
    for (int s = 2; s <= game.GosCount; ++s) blocks.push_back(EncodeTurnResult(game, s));
    blocks.push_back(EncodeMap(game, BlockKind::MapUpdate));
    return blocks;
}

void PackYear(benchmark::State& state, TCompressMode mode) {
    const Game* game = MidGame();
    if (!game) return state.SkipWithError("no rule data");
    std::size_t plain = 0, packed = 0;
    for (auto _ : state) {
        plain = packed = 0;
        for (const Bytes& block : YearBlocks(*game)) {
            const Bytes envelope = PackBlock(block, mode);
            plain += block.size();
            packed += envelope.size();
            benchmark::DoNotOptimize(envelope.data());
        }
    }
    state.counters["plain_kB"] = double(plain) / 1000;
    state.counters["packed_kB"] = double(packed) / 1000;
}

void TakeTurnResult(benchmark::State& state, TCompressMode mode) {
    Game* game = MidGame();
    if (!game) return state.SkipWithError("no rule data");
    game->CurGos = 2;
    const Bytes result = PackBlock(EncodeTurnResult(*game, 2), mode);
    const Bytes map = PackBlock(EncodeMap(*game, BlockKind::MapUpdate), mode);
    for (auto _ : state) {
        ApplyTurnResult(DecodeTurnResult(UnpackEnvelope(result), *game), *game);
        benchmark::DoNotOptimize(UnpackEnvelope(map).data());
    }
}

void BM_ServerPacksYear_Good(benchmark::State& s) { PackYear(s, TCompressMode::Good); }
void BM_ServerPacksYear_Fast(benchmark::State& s) { PackYear(s, TCompressMode::Fast); }
void BM_ClientTakesTurnResult_Good(benchmark::State& s) { TakeTurnResult(s, TCompressMode::Good); }
void BM_ClientTakesTurnResult_Fast(benchmark::State& s) { TakeTurnResult(s, TCompressMode::Fast); }

BENCHMARK(BM_ServerPacksYear_Good)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerPacksYear_Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientTakesTurnResult_Good)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClientTakesTurnResult_Fast)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvant
