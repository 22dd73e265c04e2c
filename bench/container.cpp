// Speed of the compressed stream container in both modes on a saved game's
// body, taken from a whole game played headless, and on 1 MiB of English text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "app/program_files.h"
#include "core/game.h"
#include "core/rule_data.h"
#include "game/autoplay.h"
#include "save/container.h"
#include "save/saved_body.h"
#include "sim/name_stems.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;

// The body a save would write when the one person's state falls in year 42 of a 20-state
// game on the full map: about 70 % zero bytes.
const Bytes& SavedGameBody() {
    static const Bytes body = [] {
        auto game = std::make_unique<Game>();
        LoadNameStems(*game);
        if (!LoadGameRules(*game, ProgramFile(nullptr).parent_path() / "tav.dat")) return Bytes{};
        AutoplaySettings settings;
        settings.states = 20;
        settings.size = 100;
        settings.seed = 11;
        Autoplay(*game, settings);
        return WriteSavedBody(*game, 1);
    }();
    return body;
}

// 1 MiB of the licence texts every Debian system carries.
const Bytes& EnglishText() {
    static const Bytes text = [] {
        Bytes t;
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/usr/share/common-licenses", error))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        while (!files.empty() && t.size() < (1u << 20))
            for (const auto& file : files) {
                std::ifstream in(file, std::ios::binary);
                t.insert(t.end(), std::istreambuf_iterator<char>(in), {});
            }
        t.resize(std::min<std::size_t>(t.size(), 1u << 20));
        return t;
    }();
    return text;
}

void compress(benchmark::State& state, TCompressMode mode, const Bytes& in) {
    if (in.empty()) return state.SkipWithError("no input data");
    Tlzrw1 coder;
    coder.CompressMode = mode;
    for (auto _ : state) benchmark::DoNotOptimize(coder.Compress(in));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
    state.counters["ratio"] = double(coder.Compress(in).size()) / double(in.size());
}

void decompress(benchmark::State& state, TCompressMode mode, const Bytes& in) {
    if (in.empty()) return state.SkipWithError("no input data");
    Tlzrw1 coder;
    coder.CompressMode = mode;
    const Bytes container = coder.Compress(in);
    for (auto _ : state) benchmark::DoNotOptimize(coder.Decompress(container));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_FastCompressSavedGame(benchmark::State& s) { compress(s, TCompressMode::Fast, SavedGameBody()); }
void BM_FastDecompressSavedGame(benchmark::State& s) { decompress(s, TCompressMode::Fast, SavedGameBody()); }
void BM_GoodCompressSavedGame(benchmark::State& s) { compress(s, TCompressMode::Good, SavedGameBody()); }
void BM_GoodDecompressSavedGame(benchmark::State& s) { decompress(s, TCompressMode::Good, SavedGameBody()); }
void BM_FastCompressText(benchmark::State& s) { compress(s, TCompressMode::Fast, EnglishText()); }
void BM_FastDecompressText(benchmark::State& s) { decompress(s, TCompressMode::Fast, EnglishText()); }
void BM_GoodCompressText(benchmark::State& s) { compress(s, TCompressMode::Good, EnglishText()); }
void BM_GoodDecompressText(benchmark::State& s) { decompress(s, TCompressMode::Good, EnglishText()); }

BENCHMARK(BM_FastCompressSavedGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastDecompressSavedGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoodCompressSavedGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoodDecompressSavedGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastCompressText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastDecompressText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoodCompressText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoodDecompressText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvant
