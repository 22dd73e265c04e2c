#include "core/rule_data.h"

#include "core/replace_file.h"

#include <cmath>
#include <fstream>
#include <system_error>

#include "core/game.h"

namespace korvant {
namespace {

bool CoefficientUsable(double c) { return std::isfinite(c) && c >= 0 && c <= MaxBattleCoefficient; }

}  // namespace

std::string RuleProblem(const TRuleRecord& rules) {
    if (rules.TacticCount < 1 || rules.TacticCount > MaxTactics)
        return "the number of tactics is " + std::to_string(rules.TacticCount) + ", not 1 to " +
               std::to_string(MaxTactics);
    // The computer players spread soldiers over kinds 1 to 3, so fewer kinds would lose them.
    if (rules.KindCount < 3 || rules.KindCount > MaxKinds)
        return "the number of troop kinds is " + std::to_string(rules.KindCount) + ", not 3 to " +
               std::to_string(MaxKinds);
    const TTactic& first = rules.TacticTable[1];
    if (first.MinKnowledge != 0 || first.MinSpirit != 0 || first.MinArmySpirit != 0)
        return "tactic 1 has minimums, so a commander may find no tactic to order";
    for (int t = 1; t <= rules.TacticCount; ++t)
        for (int u = 1; u <= rules.TacticCount; ++u)
            for (int k = 1; k <= rules.KindCount; ++k) {
                const TBattleCell& c = rules.BattleTable[t][u][k];
                if (!CoefficientUsable(c.Damage) || !CoefficientUsable(c.SpiritGain) ||
                    !CoefficientUsable(c.SpiritLoss))
                    return "battle coefficient [" + std::to_string(t) + "][" + std::to_string(u) + "][" +
                           std::to_string(k) + "] is negative, too large or not a number";
            }
    return {};
}

RuleDataResult LoadRuleData(const std::filesystem::path& path, TRuleRecord& rules) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {"cannot open " + path.string()};
    TRuleRecord read;
    in.read(reinterpret_cast<char*>(&read), sizeof read);
    if (in.gcount() != std::streamsize(sizeof read))
        return {path.string() + " is shorter than one record of " + std::to_string(RuleRecordSize) + " bytes"};
    if (std::string problem = RuleProblem(read); !problem.empty()) return {path.string() + ": " + problem};
    rules = read;
    return {};
}

RuleDataResult WriteRuleData(const std::filesystem::path& path, const TRuleRecord& rules) {
    try {
        ReplaceFile(path, {std::span(reinterpret_cast<const uint8_t*>(&rules), sizeof rules)});
    } catch (const FileWriteError& e) {
        return {e.what()};
    }
    return {};
}

bool LoadGameRules(Game& game, const std::filesystem::path& path) {
    if (LoadRuleData(path, game.Rules)) return true;
    game.Ui->MessageBox(game.Msg(Msg::DataFileDamaged));
    return false;
}

}  // namespace korvant
