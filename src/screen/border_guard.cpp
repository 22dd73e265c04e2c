#include "screen/border_guard.h"

#include <algorithm>

#include "core/state_guard.h"
#include "sim/borders.h"
#include "sim/capture.h"

namespace korvant {
namespace {

int64_t SoldiersPlaced(const Game& game, int s) {
    int64_t sum = 0;
    for (int k = 1; k <= game.GosCount; ++k) sum += TroopsOnBorder(game, s, k);
    return sum;
}

bool Attacking(const Game& game, int g) { return g >= 1 && g <= GeneralSlots && game.mGeneral[g].Order == OrderAttack; }

}  // namespace

std::vector<int> NeighboursOf(const Game& game, int s) {
    std::vector<int> out;
    for (int k = 1; k <= game.GosCount; ++k)
        if (game.mGos[s].Border[k].Touches == 1) out.push_back(k);
    return out;
}

int StateNamed(const Game& game, const std::string& name) {
    int found = 0;
    for (int k = 1; k <= game.GosCount; ++k)
        if (game.mGos[k].Name.utf8() == name) found = k;
    return found;
}

void ReturnIdleSoldiers(Game& game, int s) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    for (int k = 1; k <= game.GosCount; ++k) {
        TBorder& border = gos.Border[k];
        if (border.Commander != 0 && Attacking(game, border.Commander)) continue;
        for (int t = 1; t <= game.KindCount(); ++t) {
            gos.FreeSoldiers += border.Troops[t];
            border.Troops[t] = 0;
        }
    }
}

SoldierBar SoldierBarFor(const Game& game, int s, int g) {
    SoldierBar bar;
    if (!Attacking(game, g)) return bar;
    const TCommander& general = game.mGeneral[g];
    bar.shown = true;
    bar.position = general.Front >= 1 && general.Front <= game.GosCount ? TroopsOnBorder(game, s, general.Front) : 0;
    bar.maximum = bar.position + std::max(0, game.mGos[s].FreeSoldiers);
    bar.distance = CellsToTake(general.Speed, bar.position);
    return bar;
}

bool MoveSoldiers(Game& game, int s, int g, int soldiers) {
    StateChange change(game);  // an order of the person: his own change of the state
    if (g < 1 || g > GeneralSlots) return false;
    const int b = game.mGeneral[g].Front;
    if (b < 1 || b > game.GosCount) return false;
    TGos& gos = game.mGos[s];
    const int oldFree = gos.FreeSoldiers;
    const int oldSlot = gos.Border[b].Troops[1];
    const int maximum = TroopsOnBorder(game, s, b) + std::max(0, oldFree);
    const int p = std::clamp(soldiers, 0, maximum);
    gos.FreeSoldiers = maximum - p;
    gos.Border[b].Troops[1] = p;
    if (gos.Soldiers != gos.FreeSoldiers + SoldiersPlaced(game, s)) {
        gos.FreeSoldiers = oldFree;
        gos.Border[b].Troops[1] = oldSlot;
        return false;
    }
    return true;
}

}  // namespace korvant
