#pragma once
// The reference way of taking cells: a scan of the whole map, row by row and in each row
// column by column, for every cell taken. The game's border walk must take the same cells
// with the same draws; the capture tests and the generals' year benchmark compare the two.
#include "core/game.h"

namespace korvant::test {

inline int TakeCellsByPlainScan(Game& game, int a, int b, int n) {
    int taken = 0;
    for (int rep = 0; rep < n; ++rep) {
        int best = 0, bestI = 0, bestJ = 0;
        for (int i = 1; i <= game.MapSize; ++i) {
            for (int j = 1; j <= game.MapSize; ++j) {
                if (game.Map[i][j] != b) continue;
                const int count = (game.Map[i + 1][j] == a) + (game.Map[i - 1][j] == a) + (game.Map[i][j + 1] == a) +
                                  (game.Map[i][j - 1] == a);
                if (count > best) {
                    best = count;
                    bestI = i;
                    bestJ = j;
                } else if (count == best && count > 0 && game.Rng.Real() < 0.3L) {
                    bestI = i;
                    bestJ = j;
                }
            }
        }
        if (best > 0) {
            game.Map[bestI][bestJ] = static_cast<uint8_t>(a);
            ++taken;
        }
    }
    return taken;
}

}  // namespace korvant::test
