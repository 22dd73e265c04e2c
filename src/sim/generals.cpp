#include "sim/generals.h"

#include <algorithm>

#include "core/colors.h"
#include "core/numbers.h"
#include "core/text_format.h"
#include "sim/battle.h"
#include "sim/battle_report.h"
#include "sim/messages.h"

namespace korvant {

namespace {

// The generals' year moves the waiting panel's second bar (the battles' bar).
constexpr int BattlesBar = 2;

void Fortify(Game& game, int s) {
    for (int k = 1; k <= game.GosCount; ++k) game.mGos[s].Border[k].Fortified = 1;
}

// Study, rest, prepare the defence or attack.
void CarryOutOrder(Game& game, int g, CellTaker take) {
    TCommander& general = game.mGeneral[g];
    switch (general.Order) {
        case OrderStudy:
            general.Knowledge = static_cast<uint8_t>(std::min(100, general.Knowledge + general.Attestation));
            break;
        case OrderRest: general.Spirit = general.Spirit > 95 ? 100 : static_cast<uint8_t>(general.Spirit + 5); break;
        case OrderAttack: Attack(game, g, take); break;
        case OrderDefend:
            // Wherever he stands, his state's every border is prepared, home defence included.
            if (general.Owner <= game.GosCount) Fortify(game, general.Owner);
            LowerBy(general.Spirit, 3);
            break;
        default: break;
    }
}

}  // namespace

std::vector<int> GeneralsMoveOrder(const Game& game) {
    std::vector<int> order;
    for (int g = 1; g <= GeneralSlots; ++g) {
        if (game.mGeneral[g].Speed != 0) order.push_back(g);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int l, int r) { return game.mGeneral[l].Speed > game.mGeneral[r].Speed; });
    return order;
}

void GeneralsYear(Game& game, CellTaker take) {
    for (int s = 1; s <= game.GosCount; ++s) {
        for (int k = 1; k <= game.GosCount; ++k) game.mGos[s].Border[k].Fortified = 0;
    }

    const std::vector<int> order = GeneralsMoveOrder(game);
    for (int step = 1; step <= GeneralSlots; ++step) {
        game.Ui->Progress(BattlesBar, (step * 100 + GeneralSlots - 1) / GeneralSlots);
        // The steps beyond the generals who move are empty: speed 0 never moves.
        if (step > static_cast<int>(order.size())) continue;
        const int g = order[std::size_t(step - 1)];
        TCommander& general = game.mGeneral[g];
        const int owner = general.Owner;
        if (owner == 0) continue;
        if (owner > MaxStates) continue;  // a damaged slot serves nobody

        if (general.Age > general.MaxAge) {
            AddMessage(game, MesForState, static_cast<uint8_t>(owner), color::Red,
                       FormatText(game.Msg(Msg::GeneralRetired), {general.Name.utf8()}));
            TGos& gos = game.mGos[owner];
            if (gos.GeneralCount > 0) gos.GeneralCount -= 1;
            NewGeneral(game, g);
            continue;
        }
        RaiseBy(general.Age, 1);
        CarryOutOrder(game, g, take);
    }
}

void NewGeneral(Game& game, int g) {
    TCommander& general = game.mGeneral[g];
    const int owner = general.Owner, front = general.Front;
    if (owner >= 1 && owner <= MaxStates && front >= 1 && front <= MaxStates) {
        // Only his own post is vacated; a post someone else holds stays his.
        uint8_t& commander = game.mGos[owner].Border[front].Commander;
        if (commander == g) commander = 0;
    }

    general.Number = static_cast<uint8_t>(g);
    general.Front = 0;
    general.Owner = 0;
    general.Order = OrderRest;
    general.Speed = 1;
    general.Spirit = 100;
    general.Knowledge = 0;

    // Sure to serve to 60; the longer spans are made rarer.
    int x = game.Random(40);
    if (game.Rng.Real() < 0.5L)
        x = x / 3;
    else if (game.Rng.Real() < 0.5L)
        x = x / 2;
    general.MaxAge = static_cast<uint8_t>(60 + x);

    const int stem = (g - 1) / 20 + 1;
    general.Name.set(game.NameStems[stem] + Dec(g - 20 * (g / 20)));
}

}  // namespace korvant
