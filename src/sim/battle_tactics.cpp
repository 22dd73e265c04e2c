#include "sim/battle.h"

#include <algorithm>

#include "sim/borders.h"

namespace korvant {

int ChooseTactic(Game& game, int a, int b, int g, int u) {
    const TCommander& general = game.mGeneral[g];
    const TGos& side = game.mGos[a];
    const int tactics = std::min(game.TacticCount(), MaxTactics);
    const int kinds = std::min(game.KindCount(), MaxKinds);
    const bool outnumbered = TroopsOnBorder(game, a, b) < TroopsOnBorder(game, b, a) / 1.5L;

    int chosen = 0;
    double best = 0;
    for (int t = 1; t <= tactics; ++t) {
        const TTactic& tactic = game.Rules.TacticTable[t];
        if (general.Knowledge < tactic.MinKnowledge || general.Spirit < tactic.MinSpirit ||
            side.ArmySpirit < tactic.MinArmySpirit)
            continue;
        double score = 0;
        for (int k = 1; k <= kinds; ++k) score += side.Border[b].Troops[k] * game.Rules.BattleTable[t][u][k].Damage + 1;
        if (outnumbered && (t == 6 || t == 7)) score *= 1000;
        // The later tactic wins a tie. The first qualifying one is taken whatever its score,
        // so a table with negative factors still yields a tactic it allows.
        if (chosen == 0 || score >= best) {
            chosen = t;
            best = score;
        }
    }
    if (chosen != 0) return chosen;
    // The data file gives tactic 1 no minimums, so this means a damaged file.
    game.Ui->MessageBox(game.Msg(Msg::NoTacticSuits));
    return 1;
}

}  // namespace korvant
