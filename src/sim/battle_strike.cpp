#include "sim/battle.h"

#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/numbers.h"
#include "sim/battle_report.h"
#include "sim/borders.h"

namespace korvant {

namespace {

int KindsInUse(const Game& game) { return std::min(game.KindCount(), MaxKinds); }

// Takes `kills` soldiers from the army, one at a time from kinds 1, 2, ... in turn, skipping
// empty kinds. Whole turns are taken at once, so the cost does not grow with the kills.
// `kills` must be below the army's total. Returns the losses by kind.
Arr1<int64_t, MaxKinds> TakeLosses(TBorder& army, int kinds, int64_t kills) {
    Arr1<int64_t, MaxKinds> lost{};
    while (kills > 0) {
        int standing = 0;
        int64_t smallest = 0;
        for (int k = 1; k <= kinds; ++k) {
            if (army.Troops[k] <= 0) continue;
            ++standing;
            if (smallest == 0 || army.Troops[k] < smallest) smallest = army.Troops[k];
        }
        if (standing == 0) break;
        // Full turns until the smallest kind is gone, or as many as the kills allow.
        const int64_t turns = kills >= standing * smallest ? smallest : kills / standing;
        int64_t partial = kills >= standing * smallest ? 0 : kills % standing;
        for (int k = 1; k <= kinds; ++k) {
            if (army.Troops[k] <= 0) continue;
            int64_t take = turns + (partial > 0 ? 1 : 0);
            if (partial > 0) --partial;
            army.Troops[k] -= static_cast<int32_t>(take);
            lost[k] += take;
            kills -= take;
        }
    }
    return lost;
}

uint8_t Spirit(Extended value) { return static_cast<uint8_t>(std::clamp<Extended>(value, 0, 100)); }

}  // namespace

bool Strike(Game& game, int a, int b, int t, int u) {
    TGos& mover = game.mGos[a];
    TGos& target = game.mGos[b];
    TBorder& army = target.Border[a];
    const int kinds = KindsInUse(game);

    const Extended fortification = army.Fortified == 1 ? 1.5L : 1.0L;
    Extended damage = 0;
    int64_t gain = 0, loss = 0;
    for (int k = 1; k <= kinds; ++k) {
        const TBattleCell& cell = game.Rules.BattleTable[t][u][k];
        const Extended troops = mover.Border[b].Troops[k];
        damage += troops * Extended(cell.Damage) * mover.Science[SciMilitary].Effect / 100 / fortification;
        gain += Round(troops * Extended(cell.SpiritGain));
        loss += Round(troops * Extended(cell.SpiritLoss));
    }
    // At least one soldier always falls. Kept in floating point until compared, so that a
    // target without military training cannot overflow the count.
    Extended kills = std::nearbyint(damage / Extended(target.Science[SciMilitary].Effect));
    if (!(kills >= 1)) kills = 1;

    const int64_t standing = TroopsOnBorder(game, b, a);
    if (kills >= standing) {
        Report(game, color::Red, Msg::ArmyDestroyed, {GosName(game, b)});
        const int c = army.Commander;
        if (c != 0 && c != PeoplesCommander) {
            // The people's commander stays until the battle ends.
            if (c <= GeneralSlots) {
                game.mGeneral[c].Front = 0;
                game.mGeneral[c].Order = OrderRest;
            }
            army.Commander = 0;
        }
        for (int k = 1; k <= kinds; ++k) {
            target.Soldiers -= army.Troops[k];
            army.Troops[k] = 0;
        }
        return true;
    }

    const Arr1<int64_t, MaxKinds> lost = TakeLosses(army, kinds, static_cast<int64_t>(kills));
    for (int k = 1; k <= kinds; ++k) target.Soldiers -= static_cast<int32_t>(lost[k]);

    const Extended mine = TroopsOnBorder(game, a, b);
    const Extended theirs = TroopsOnBorder(game, b, a);
    if (mine > 0) mover.ArmySpirit = Spirit(std::nearbyint((mover.ArmySpirit * mine + gain) / mine));
    target.ArmySpirit = Spirit(std::nearbyint((target.ArmySpirit * theirs - loss) / theirs));

    std::string text = game.Msg(Msg::LossesCaption);
    for (int k = 1; k <= kinds; ++k) text += game.Rules.KindNames[k].utf8() + ": " + Dec(lost[k]) + ", ";
    AddBattleMessage(game, color::Red, text);
    return false;
}

void StatusReport(Game& game, int a, int b) {
    auto side = [&](int s, int other) {
        const TGos& gos = game.mGos[s];
        std::string line = GosName(game, s) + ": ";
        for (int k = 1; k <= KindsInUse(game); ++k)
            line += game.Rules.KindNames[k].utf8() + ": " + Dec(gos.Border[other].Troops[k]) + ", ";
        return line + game.Msg(Msg::ArmySpiritCaption) + Dec(gos.ArmySpirit) + "%";
    };
    AddBattleMessage(game, color::Black, "\r\n" + side(a, b) + "\r\n" + side(b, a) + "\r\n");
}

}  // namespace korvant
