#include "sim/computer_army.h"

#include "core/check_state.h"
#include "sim/borders.h"
#include "sim/economy.h"
#include "sim/generals.h"
#include "sim/pick_general.h"
#include "sim/troops.h"

namespace korvant {

namespace {

int32_t Share(int32_t soldiers, Extended part) { return static_cast<int32_t>(Trunc(part * soldiers)); }

void Post(Game& game, int i, int g, int k, GeneralOrder order) {
    if (g == 0) return;
    TCommander& general = game.mGeneral[g];
    general.Front = static_cast<uint8_t>(k);
    general.Order = order;
    game.mGos[i].Border[k].Commander = static_cast<uint8_t>(g);
}

}  // namespace

void DeployTroops(Game& game, int i, const Mood& mood, int feared, int target) {
    TGos& gos = game.mGos[i];
    CheckState(game, "До снятия солдат с фронтов");
    for (int k = 1; k <= game.GosCount; ++k) {
        for (int t = 1; t <= game.KindCount(); ++t) {
            gos.FreeSoldiers += gos.Border[k].Troops[t];
            gos.Border[k].Troops[t] = 0;
        }
    }
    CheckState(game, "После снятия солдат с фронтов");

    auto place = [&](int k, int32_t n) { PlaceTroops(game, i, k, n); };
    auto all = [&] { return gos.FreeSoldiers; };
    auto home = [&] { place(i, all()); };
    if (feared == 0 || target == 0) {
        home();
        return;
    }

    const Extended income = Income(game, i);
    const Extended soldierWages = SoldierWages(game, i);
    const Extended bill = ScientistWages(game, i) + soldierWages + 1;
    const int character = gos.Character;

    if (mood.Danger && !mood.Superior) {
        // Hold the feared border; a rich state first sends most of the army at its target.
        if (income / bill < 1.3L || character == 3)
            place(feared, all());
        else
            place(target, Share(all(), 0.9L));
        place(feared, all());
    } else if (mood.Danger) {
        // Strong enough to strike; a costly army now and then covers the feared border too.
        if (soldierWages > income / 2 && (character == 1 || character == 2) && Draw(game) < 0.6L) {
            place(feared, Share(all(), 0.5L));
            place(target, all());
        } else {
            place(target, all());
        }
    } else if (mood.Dwarfed) {
        if (soldierWages <= income / (character + 2))
            home();
        else
            place(feared, all());
    } else if (mood.Superior) {
        if (income / 1.5L > soldierWages && Extended(gos.Territory) / 2 > gos.Soldiers && Draw(game) < 0.8L) {
            home();
        } else {
            if (character == 1)
                place(target, Share(all(), 0.7L));
            else
                place(feared, Share(all(), 0.9L));
            home();
        }
    } else {
        const Extended territory = gos.Territory;
        const bool crowded = Extended(Population(game, i)) / territory > 1.5L || character == 3;
        const bool costly = income / (2 * character) < soldierWages || territory / 10 < gos.Soldiers;
        if (crowded && costly)
            place(target, all());
        else
            home();
    }
}

void PostGenerals(Game& game, int i, const Mood& mood, int feared, int target) {
    TGos& gos = game.mGos[i];
    CheckState(game, "Перед снятием генералов с фронтов");
    for (int k = 1; k <= game.GosCount; ++k) gos.Border[k].Commander = 0;
    for (int g = 1; g < GeneralSlots; ++g) {
        TCommander& general = game.mGeneral[g];
        if (general.Owner != i) continue;
        general.Front = 0;
        general.Order = OrderRest;
    }
    CheckState(game, "Уже сняли генералов с фронтов");

    const Extended income = Income(game, i);
    auto troopWages = [&](int k) { return Extended(Wage(TroopsOnBorder(game, i, k), SoldierWageExponent)); };
    auto sendAllTo = [&](int k) { PlaceTroops(game, i, k, gos.FreeSoldiers); };

    if (feared != 0 && target != 0) {
        if (TroopsOnBorder(game, i, feared) > 0) {
            if (income / 6 > troopWages(feared)) {
                // A cheap army: in danger it attacks under a steady old hand, otherwise it
                // serves better against the target or at home.
                if (mood.Danger) {
                    Post(game, i, PickGeneral(game, i, GeneralScoring::Holder), feared, OrderAttack);
                } else {
                    PlaceTroops(game, i, feared, -TroopsOnBorder(game, i, feared));
                    sendAllTo(TroopsOnBorder(game, i, target) > 0 ? target : i);
                }
            } else {
                Post(game, i, PickGeneral(game, i, GeneralScoring::AttackerA), feared, OrderAttack);
            }
        }
        if (target != feared || gos.Border[feared].Commander == 0) {
            const int onTarget = TroopsOnBorder(game, i, target);
            if (onTarget <= Extended(game.mGos[target].Territory) / 20 + 1) {
                // Too few to take anything: they wait at home.
                PlaceTroops(game, i, target, -onTarget);
                sendAllTo(i);
            } else {
                Post(game, i, PickGeneral(game, i, GeneralScoring::AttackerB), target, OrderAttack);
            }
        }
    }

    const int atHome = TroopsOnBorder(game, i, i);
    if (income / (gos.Character + 3) < troopWages(i) ||
        atHome > Extended(Population(game, i)) * gos.Science[SciGrowth].Effect / 100 ||
        (gos.GeneralCount >= 6 && atHome > 0))
        Post(game, i, PickGeneral(game, i, GeneralScoring::AttackerB), i, OrderDefend);
}

void ReportIdleForces(Game& game, int i) {
    const TGos& gos = game.mGos[i];
    for (int k = 1; k <= game.GosCount; ++k) {
        if (gos.Border[k].Commander != 0 && TroopsOnBorder(game, i, k) == 0)
            game.Ui->MessageBox("Нету у меня войск В конце проверим генералов без войск");
    }
    if (gos.FreeSoldiers > 0) game.Ui->MessageBox("Незанятые солдаты у гос-ва:" + gos.Name.utf8());
}

void SettleIdleGenerals(Game& game, int i) {
    TGos& gos = game.mGos[i];
    for (int g = 1; g < GeneralSlots; ++g) {
        TCommander& general = game.mGeneral[g];
        if (general.Owner != i || general.Front != 0) continue;
        const bool kept = general.Age < 55 || general.Spirit + general.Knowledge + general.Speed > 200 ||
                          gos.GeneralCount < gos.NeighbourCount + 2 || game.Year > 90;
        if (!kept) {
            if (gos.GeneralCount > 0) --gos.GeneralCount;
            NewGeneral(game, g);
        } else if (general.Knowledge > 29) {
            const bool tired = general.Spirit < 80 + game.Random(17) || general.Knowledge == 100;
            general.Order = tired ? OrderRest : OrderStudy;
        } else {
            general.Order = OrderStudy;
        }
    }
}

}  // namespace korvant
