#include "sim/computer_relations.h"

#include "sim/computer_mood.h"

namespace korvant {

namespace {

void Warm(uint8_t& attitude) { attitude = attitude >= 95 ? 100 : attitude + 5; }
void Cool(uint8_t& attitude) { attitude = attitude <= 2 ? 0 : attitude - 2; }

// A grudge costs its cube in attitude. Computed exactly: the floating power lands a hair
// below whole cubes (3 ^ 3 gives 26.999...), which would truncate to one point less.
int GrudgeCost(int grudge) { return grudge * grudge * grudge; }

}  // namespace

void UpdateRelations(Game& game, int i) {
    TGos& gos = game.mGos[i];
    for (int k = 1; k <= game.GosCount; ++k) {
        if (gos.Grudge(k) > 0) --gos.Grudge(k);
    }

    for (int o = 1; o <= game.GosCount; ++o) {
        if (game.mGos[o].Alive == 0) continue;
        uint8_t& attitude = gos.Attitude(o);
        const int cost = GrudgeCost(gos.Grudge(o));
        attitude = cost >= attitude ? 0 : static_cast<uint8_t>(attitude - cost);

        if (!IsNeighbour(game, i, o)) {
            Warm(attitude);
            continue;
        }
        if (gos.Grudge(o) == 0 && game.mGos[o].Grudge(i) == 0) {
            if (Strength(game, o, i) < 0.7L) Warm(attitude);
            if (Strength(game, o, i) < 1.01L) Warm(attitude);
        }
        if (Strength(game, o, i) > 1.2L) Cool(attitude);
        if (Strength(game, o, i) > 1.6L) Cool(attitude);
        if (Strength(game, o, i) > 1.8L) Cool(attitude);
    }
}

}  // namespace korvant
