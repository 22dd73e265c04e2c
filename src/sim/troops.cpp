#include "sim/troops.h"

#include <algorithm>
#include <cstdint>

namespace korvant {

namespace {

// Soldiers are dealt over at most three kinds; a rule table with fewer kinds uses only those,
// so that every placed soldier stays in a counted slot.
constexpr int DealtKinds = 3;

}  // namespace

void PlaceTroops(Game& game, int s, int k, int n) {
    TGos& gos = game.mGos[s];
    TBorder& border = gos.Border[k];
    int64_t count = n;
    for (int t = 1; t <= game.KindCount(); ++t) {
        gos.FreeSoldiers += border.Troops[t];
        count += border.Troops[t];
        border.Troops[t] = 0;
    }

    const int kinds = std::min(DealtKinds, game.KindCount());
    if (kinds <= 0 || count <= 0 || gos.FreeSoldiers <= 0) return;
    // Dealing one soldier at a time until the count or the free pool runs out gives each kind
    // an equal share and the first (placed % kinds) kinds one more.
    const int64_t placed = std::min<int64_t>(count, gos.FreeSoldiers);
    for (int t = 1; t <= kinds; ++t) border.Troops[t] += static_cast<int32_t>(placed / kinds + (t <= placed % kinds));
    gos.FreeSoldiers -= static_cast<int32_t>(placed);
}

}  // namespace korvant
