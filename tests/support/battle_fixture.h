#pragma once
// Battle rules with round numbers for the battle, capture and generals tests: three troop
// kinds, tactic 1 open to everyone, and a damage factor chosen by the test.
#include <string>

#include "core/game.h"

namespace korvant::test {

// Every tactic's damage factor is `damage` for every kind and pairing; spirit gains and
// losses are 0 unless a test sets them. Tactics above 1 need a knowledge of 100.
inline void SetBattleRules(Game& game, double damage, int tactics = 2) {
    TRuleRecord& r = game.Rules;
    r.KindCount = 3;
    r.TacticCount = static_cast<uint8_t>(tactics);
    r.KindNames[1].set("Пехота");
    r.KindNames[2].set("Конница");
    r.KindNames[3].set("Пушки");
    for (int t = 1; t <= MaxTactics; ++t) {
        r.TacticTable[t].Name.set("Тактика " + std::to_string(t));
        const uint8_t needs = t == 1 ? 0 : 100;
        r.TacticTable[t].MinKnowledge = needs;
        r.TacticTable[t].MinSpirit = 0;
        r.TacticTable[t].MinArmySpirit = 0;
        for (int u = 1; u <= MaxTactics; ++u) {
            r.BattleTexts[t][u].set("Удар " + std::to_string(t) + "/" + std::to_string(u) + "\r\nи ответ");
            for (int k = 1; k <= MaxKinds; ++k) r.BattleTable[t][u][k] = TBattleCell{damage, 0, 0};
        }
    }
}

}  // namespace korvant::test
