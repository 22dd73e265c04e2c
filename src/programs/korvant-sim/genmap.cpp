// korvant-sim genmap: draws maps as the start window's "new map" button does and
// reports how many attempts each needed and how even the states came out.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "command.h"
#include "core/game.h"
#include "map/map_generation.h"

namespace korvant::sim {
namespace {

// One letter per state: A for state 1 up to T for state 20.
void PrintMap(const Game& game) {
    for (int y = 1; y <= game.MapSize; ++y) {
        std::string line;
        for (int x = 1; x <= game.MapSize; ++x) line += char('A' + game.Map[x][y] - 1);
        std::printf("%s\n", line.c_str());
    }
}

int GenMap(int argc, char** argv) {
    long long states = 20, size = 100, seed = 1, count = 1;
    bool print = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        auto value = [&](long long lo, long long hi, long long& out) {
            return NumberOption("genmap", argc, argv, i, lo, hi, out);
        };
        bool ok = true;
        if (a == "--states") {
            ok = value(2, MaxStates, states);
        } else if (a == "--size") {
            ok = value(MinGeneratedSize, MaxGeneratedSize, size);
        } else if (a == "--seed") {
            ok = value(0, UINT32_MAX, seed);
        } else if (a == "--count") {
            ok = value(1, 1000000, count);
        } else if (a == "--print") {
            print = true;
        } else {
            std::fprintf(stderr, "genmap: unknown option %s\n", argv[i]);
            ok = false;
        }
        if (!ok) return 2;
    }

    Game game;
    game.GosCount = uint8_t(states);
    game.MapSize = uint8_t(size);
    game.Rng.setSeed(uint32_t(seed));
    for (long long k = 1; k <= count; ++k) {
        MapGenerationResult r = GenerateMap(game);
        std::printf("map %lld: %d attempts, areas %d..%d (average %.1f)\n", k, r.attempts, r.smallest, r.largest,
                    double(size * size) / double(states));
        if (print) PrintMap(game);
    }
    return 0;
}

const SimCommand command("genmap", "genmap --states N --size M [--seed S] [--count K] [--print]", GenMap);

}  // namespace
}  // namespace korvant::sim
