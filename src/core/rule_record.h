#pragma once
// The fixed rules read from the data file "tav.dat": one 38104-byte record.
#include <cstddef>
#include <cstdint>

#include "core/records.h"

namespace korvant {

constexpr int MaxTactics = 10;
constexpr std::size_t RuleRecordSize = 38104;

// Strike coefficients for the mover's tactic, the opponent's tactic and a troop kind.
struct TBattleCell {
    double Damage;      // damage factor
    double SpiritGain;  // own spirit gain
    double SpiritLoss;  // opponent's spirit loss
};

struct TTactic {
    ShortString<40> Name;
    uint8_t MinKnowledge;   // of the commander
    uint8_t MinSpirit;      // of the commander
    uint8_t MinArmySpirit;  // of his side's army
};

struct TRuleRecord {
    // [tactic of one side][tactic of the other][troop kind]
    Arr1<Arr1<Arr1<TBattleCell, MaxKinds>, MaxTactics>, MaxTactics> BattleTable;
    uint8_t TacticCount;
    uint8_t KindCount;
    Arr1<ShortString<10>, MaxKinds> KindNames;
    Arr1<TTactic, MaxTactics> TacticTable;
    Arr1<Arr1<ShortString<255>, MaxTactics>, MaxTactics> BattleTexts;
    uint8_t unused[7];
};

static_assert(sizeof(TBattleCell) == 24);
static_assert(sizeof(TTactic) == 44);
static_assert(sizeof(TRuleRecord) == RuleRecordSize);
KORVANT_FIELD(TRuleRecord, BattleTable, 0);
KORVANT_FIELD(TRuleRecord, TacticCount, 12000);
KORVANT_FIELD(TRuleRecord, KindCount, 12001);
KORVANT_FIELD(TRuleRecord, KindNames, 12002);
KORVANT_FIELD(TRuleRecord, TacticTable, 12057);
KORVANT_FIELD(TRuleRecord, BattleTexts, 12497);
KORVANT_FIELD(TRuleRecord, unused, 38097);
static_assert(std::is_trivially_copyable_v<TRuleRecord>);

}  // namespace korvant
