#include "sim/pick_general.h"

#include "core/numbers.h"

namespace korvant {

int Versatility(const Game& game, const TCommander& general) {
    int v = 0;
    for (int t = 1; t <= game.TacticCount(); ++t) {
        const TTactic& tactic = game.Rules.TacticTable[t];
        if (general.Knowledge < tactic.MinKnowledge) continue;
        if (general.Spirit >= tactic.MinSpirit) ++v;
        if (general.Spirit >= tactic.MinArmySpirit) ++v;
    }
    return v;
}

namespace {

Extended Score(const Game& game, const TCommander& g, GeneralScoring scoring) {
    const Extended v = Versatility(game, g);
    switch (scoring) {
        case GeneralScoring::AttackerA:
            return v + Extended(g.Speed) / 20 + Extended(g.Age) / 30 + Extended(g.Spirit) / 10;
        case GeneralScoring::AttackerB:
            return v + Extended(g.Speed) / 5 + Extended(g.Age) / 40 + Extended(g.Spirit) / 10;
        case GeneralScoring::Holder: return Extended(g.Age) / 5 - Extended(g.Speed) / 5 - v;
    }
    return 0;
}

}  // namespace

int PickGeneral(const Game& game, int s, GeneralScoring scoring) {
    Extended best = scoring == GeneralScoring::Holder ? -100 : 0;
    int chosen = 0;
    for (int g = 1; g < GeneralSlots; ++g) {
        const TCommander& general = game.mGeneral[g];
        if (general.Owner != s || general.Front != 0) continue;
        const Extended score = Score(game, general, scoring);
        if (score > best) {
            best = score;
            chosen = g;
        }
    }
    return chosen;
}

}  // namespace korvant
