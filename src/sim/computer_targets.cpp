#include "sim/computer_targets.h"

#include <limits>

#include "sim/borders.h"
#include "sim/computer_mood.h"

namespace korvant {

namespace {

// What taking neighbour u would cost: more land, more borders to hold and better relations
// make it dearer; a grudge makes it cheaper.
Extended Cost(const Game& game, int i, int u) {
    const TGos& gos = game.mGos[i];
    return (Extended(BorderWeight(game, u)) / 30 + 1) * game.mGos[u].Territory / (gos.Grudge(u) + 2) *
           (Extended(gos.Attitude(u)) / 200 + 1);
}

// Rule 1: in the early years, now and then a random neighbour attacked no more often than i.
int RandomEarlyTarget(Game& game, int i) {
    if (game.Year >= 35 || Draw(game) >= 0.3L) return 0;
    int target = 0;
    int32_t attacked = game.mGos[i].TimesAttacked;
    for (int u = 1; u <= game.GosCount; ++u) {
        if (!IsNeighbour(game, i, u)) continue;
        if (game.mGos[u].TimesAttacked <= attacked && Draw(game) < 0.7L) {
            target = u;
            attacked = game.mGos[u].TimesAttacked;
        }
    }
    return target;
}

// Rule 2: a neighbour i has fallen out with, the worst relation and grudge first.
int HatedTarget(const Game& game, int i) {
    if (LivingShare(game) <= 0.2L) return 0;
    const TGos& gos = game.mGos[i];
    int target = 0;
    int best = 100;
    for (int u = 1; u <= game.GosCount; ++u) {
        if (!IsNeighbour(game, i, u) || gos.Attitude(u) >= 10 * gos.Character) continue;
        const int value = gos.Attitude(u) - gos.Grudge(u) * gos.Grudge(u);
        if (value <= best) {
            best = value;
            target = u;
        }
    }
    return target;
}

// Rules 3 and 5: the cheapest neighbour, among those under half i's size or among all.
int CheapestTarget(const Game& game, int i, bool onlySmall) {
    int target = 0;
    Extended best = 200000;
    for (int u = 1; u <= game.GosCount; ++u) {
        if (!IsNeighbour(game, i, u)) continue;
        if (onlySmall && !(game.mGos[u].Territory < Extended(game.mGos[i].Territory) / 2)) continue;
        const Extended value = Cost(game, i, u);
        if (value <= best) {
            best = value;
            target = u;
        }
    }
    return target;
}

// Rule 4: the neighbour with the most land per person, among the thinly peopled.
int EmptiestTarget(const Game& game, int i) {
    const TGos& gos = game.mGos[i];
    int target = 0;
    Extended best = 0;
    for (int u = 1; u <= game.GosCount; ++u) {
        if (!IsNeighbour(game, i, u)) continue;
        const Extended territory = game.mGos[u].Territory;
        const Extended people = Population(game, u);
        if (territory <= 0 || !(people / territory < 1.4L)) continue;
        // Land without people is the emptiest there is.
        const Extended landPerPerson = people > 0 ? territory / people : std::numeric_limits<Extended>::infinity();
        const Extended value = landPerPerson / (Extended(gos.Attitude(u)) / 200 + 1) * (gos.Grudge(u) + 2);
        if (value > best) {
            best = value;
            target = u;
        }
    }
    return target;
}

}  // namespace

int FearedNeighbour(const Game& game, int i) {
    int feared = 0;
    Extended best = -1;
    for (int q = 1; q <= game.GosCount; ++q) {
        if (!IsNeighbour(game, i, q)) continue;
        const Extended score = Strength(game, q, i) / (Extended(game.mGos[i].Attitude(q)) / 100 + 1) /
                               (Extended(BorderWeight(game, q)) / 20 + 1) * (game.mGos[q].Conquests + 1);
        if (score > best) {
            best = score;
            feared = q;
        }
    }
    return feared;
}

int ChooseTarget(Game& game, int i) {
    if (int t = RandomEarlyTarget(game, i)) return t;
    if (int t = HatedTarget(game, i)) return t;
    if (int t = CheapestTarget(game, i, true)) return t;
    if (int t = EmptiestTarget(game, i)) return t;
    return CheapestTarget(game, i, false);
}

}  // namespace korvant
