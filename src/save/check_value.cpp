#include "save/check_value.h"

#include <algorithm>

namespace korvant {
namespace {

// Sign-extended to the sum's width; the sum itself wraps, so it runs unsigned.
uint64_t widen(int32_t v) { return uint64_t(int64_t(v)); }

// A 32-bit product that wraps, then widened with its sign.
uint64_t product32(uint32_t a, uint32_t b) { return widen(int32_t(a * b)); }

}  // namespace

int64_t CheckValue(const Game& game) {
    uint64_t v = 0;
    const int states = std::min<int>(game.GosCount, MaxStates);
    for (int s = 1; s <= states; ++s) {
        const TGos& g = game.mGos[s];
        for (int i = 0; i < ScienceCount; ++i) {
            const TScience& sc = g.Science[i + 1];
            const uint32_t p = uint32_t(sc.Level) * uint32_t(sc.Progress) * uint32_t(sc.Staff);
            v += widen(sc.Cost) + widen(int32_t(p)) + uint64_t(i);
        }
        v += product32(uint16_t(g.Territory), uint32_t(g.Money));
        v += uint64_t(g.Conquests) * g.GeneralCount;
        v += product32(g.Sown, uint32_t(g.Grain));
        v += widen(g.Peasants) + widen(g.Scientists) + widen(g.Soldiers) + widen(g.FreeSoldiers) +
             widen(g.FreeScientists) + widen(g.Character);
    }
    for (const TCommander& c : game.mGeneral) {
        v += uint64_t(c.Number) + c.Front + c.Owner + c.Age + c.MaxAge + c.Speed + c.Knowledge + c.Spirit +
             c.Attestation;
    }
    const int side = std::min<int>(game.MapSize, TMapGrid::high);
    for (int i = 1; i <= side; ++i)
        for (int j = 1; j <= side; ++j) v -= game.Map[i][j];
    const uint64_t scalars = (uint64_t(game.GosCount) + game.LivingCount + game.SaveCount) * game.Year * game.MapSize;
    v -= uint32_t(scalars);
    v += 12;
    return int64_t(v);
}

}  // namespace korvant
