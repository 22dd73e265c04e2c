// Speed of the LZHUF coder on the two kinds of data it packs: the body of a
// saved game (about 90 KB, mostly zero bytes) and English text.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/records.h"
#include "save/lzhuf.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t nextRandom(uint32_t& seed, uint32_t n) {
    seed = seed * 134775813u + 1;
    return uint32_t((uint64_t(seed) * n) >> 32);
}

// The tables of a saved game thirty years into a game of eight states on a
// 60-cell map: state records with their opening fields set, a few dozen
// generals, the map in patches of owners, thirty years of history.
Bytes SavedGameBody() {
    constexpr int States = 8, Side = 60, Years = 30, Generals = 40;
    uint32_t seed = 7;
    Arr1<TGos, MaxStates> gos{};
    Arr1<TCommander, GeneralSlots> generals{};
    TMapGrid map{};
    THistory history{};
    for (int s = 1; s <= States; ++s) {
        auto* raw = reinterpret_cast<uint8_t*>(&gos[s]);
        for (int i = 0; i < 160; ++i)
            raw[i] = uint8_t(nextRandom(seed, 4) ? nextRandom(seed, 16) : nextRandom(seed, 256));
    }
    for (int g = 1; g <= Generals; ++g) {
        generals[g].Number = uint8_t(g);
        generals[g].Owner = uint8_t(1 + nextRandom(seed, States));
        generals[g].Age = uint8_t(30 + nextRandom(seed, 30));
        generals[g].Knowledge = uint8_t(nextRandom(seed, 100));
    }
    for (int x = 1; x <= Side; ++x)
        for (int y = 1; y <= Side; ++y) map[x][y] = uint8_t(1 + ((x / 15) * 3 + (y / 20) + (x * y) % 7 / 6) % States);
    for (int s = 1; s <= States; ++s)
        for (int y = 1; y <= Years; ++y) {
            THistoryRec& h = history[s][y];
            for (auto& level : h.Level) level = uint8_t(y / 3 + nextRandom(seed, 3));
            h.Grown = int32_t(20000 + nextRandom(seed, 5000) * y);
            h.Peasants = int32_t(10000 + 300 * y + nextRandom(seed, 100));
            h.Territory = int16_t(400 + nextRandom(seed, 50));
            h.Scientists = int16_t(100 + 5 * y);
            h.Soldiers = int16_t(500 + nextRandom(seed, 200));
        }
    Bytes body;
    auto put = [&](const auto& table) {
        auto raw = reinterpret_cast<const uint8_t*>(&table);
        body.insert(body.end(), raw, raw + sizeof table);
    };
    put(gos);
    put(generals);
    put(map);
    put(history);
    return body;
}

// 1 MiB of the licence texts every Debian system carries.
Bytes EnglishText() {
    Bytes text;
    const std::filesystem::path folder = "/usr/share/common-licenses";
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    while (!files.empty() && text.size() < (1u << 20))
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            text.insert(text.end(), std::istreambuf_iterator<char>(in), {});
        }
    text.resize(std::min<std::size_t>(text.size(), 1u << 20));
    return text;
}

void encode(benchmark::State& state, const Bytes& in) {
    if (in.empty()) return state.SkipWithError("no input data");
    for (auto _ : state) benchmark::DoNotOptimize(LzhufEncode(in));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
    state.counters["ratio"] = double(LzhufEncode(in).size()) / double(in.size());
}

void decode(benchmark::State& state, const Bytes& in) {
    if (in.empty()) return state.SkipWithError("no input data");
    Bytes coded = LzhufEncode(in);
    for (auto _ : state) benchmark::DoNotOptimize(LzhufDecode(coded, in.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_EncodeSavedGame(benchmark::State& state) { encode(state, SavedGameBody()); }
void BM_DecodeSavedGame(benchmark::State& state) { decode(state, SavedGameBody()); }
void BM_EncodeText(benchmark::State& state) { encode(state, EnglishText()); }
void BM_DecodeText(benchmark::State& state) { decode(state, EnglishText()); }

BENCHMARK(BM_EncodeSavedGame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeSavedGame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvant
