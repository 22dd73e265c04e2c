#pragma once
// A position late in a game: a generated map whose borders years of fighting have made
// ragged, every state with armies on its borders, and many generals ordered to attack.
// Used by the capture tests and the generals' year benchmark.
#include <cstdint>
#include <string>

#include "core/game.h"
#include "map/map_generation.h"
#include "sim/borders.h"
#include "support/battle_fixture.h"

namespace korvant::test {

inline void BuildLateGame(Game& game, uint32_t seed, int gosCount, int mapSize) {
    game.GosCount = static_cast<uint8_t>(gosCount);
    game.MapSize = static_cast<uint8_t>(mapSize);
    game.Year = 80;
    game.Rng.setSeed(seed);
    GenerateMap(game);

    // Years of battles: cells go over to a neighbour's owner.
    for (int flips = 0; flips < mapSize * mapSize * 2; ++flips) {
        const int i = 1 + game.Random(mapSize), j = 1 + game.Random(mapSize);
        const int di[4] = {1, -1, 0, 0}, dj[4] = {0, 0, 1, -1};
        const int d = game.Random(4);
        const int owner = game.Map[i + di[d]][j + dj[d]];
        if (owner != 0) game.Map[i][j] = static_cast<uint8_t>(owner);
    }

    SetBattleRules(game, 12.0);  // a strike kills 12 % of the striking army
    for (int s = 1; s <= gosCount; ++s) {
        TGos& gos = game.mGos[s];
        gos.Name.set("Gos" + std::to_string(s));
        gos.Alive = 1;
        for (int k = 1; k <= MaxStates; ++k) gos.Attitude(k) = 100;
        for (int i = 1; i <= ScienceCount; ++i) gos.Science[i] = TScience{0, 1, 0.1f, 0, 100, 0};
        gos.Science[SciMilitary].Effect = static_cast<float>(100 + 10 * game.Random(6));
    }
    for (int g = 1; g <= GeneralSlots; ++g) game.mGeneral[g].Number = static_cast<uint8_t>(g);
    CheckFronts(game);

    for (int s = 1; s <= gosCount; ++s) {
        TGos& gos = game.mGos[s];
        int slot = s;
        auto hire = [&](int front, int order) {
            TCommander& c = game.mGeneral[slot];
            c.Name.set("Gen" + std::to_string(slot));
            c.Owner = static_cast<uint8_t>(s);
            c.Front = static_cast<uint8_t>(front);
            c.Order = static_cast<uint8_t>(order);
            c.Age = 40;
            c.MaxAge = 90;
            c.Speed = static_cast<uint8_t>(1 + game.Random(200));
            c.Knowledge = static_cast<uint8_t>(game.Random(60));
            c.Spirit = static_cast<uint8_t>(50 + game.Random(51));
            c.Attestation = 3;
            gos.Border[front].Commander = static_cast<uint8_t>(slot);
            gos.GeneralCount += 1;
            slot += MaxStates;
        };
        auto station = [&](int k, int count) {
            for (int t = 1; t <= 3; ++t) gos.Border[k].Troops[t] = count / 3 + (t <= count % 3 ? 1 : 0);
            gos.Soldiers += count;
        };
        station(s, 200 + game.Random(2000));
        hire(s, game.Random(2) != 0 ? OrderDefend : OrderRest);
        for (int k = 1; k <= gosCount && slot <= 200; ++k) {
            if (gos.Border[k].Touches == 0) continue;
            station(k, 100 + game.Random(6000));
            if (game.Random(10) < 7) hire(k, OrderAttack);
        }
    }
    CheckFronts(game);
}

}  // namespace korvant::test
