#pragma once
// The readable source of the rule-data file: a folder of UTF-8 text files that
// the build turns into tav.dat.
//
//   kinds.txt      one troop-kind name per line
//   tactics.txt    number | name | three minimums | damage gain loss | a weight per kind
//   matchups.txt   two grids, "damage" and "spirit", of multipliers [tactic][opponent's tactic]
//   narration.txt  t u | first line | second line, for every pair of tactics
//
// Lines whose first visible character is '#' are comments; blank lines are skipped.
// Each strike coefficient [t][u][k] is made of them as
//   Damage     = damage[t] * weight[t][k] * damage grid[t][u]
//   SpiritGain = gain[t]
//   SpiritLoss = loss[t] * spirit grid[t][u]
#include <filesystem>

#include "core/rule_data.h"
#include "core/rule_record.h"

namespace korvant {

// Builds the record from the source folder `dir`; on failure the problem names the file
// and line, and `rules` is left as it was. With `textDir`, the names and the narration come
// from that folder instead (another language's file with the same numbers):
//   kinds.txt      a name for every troop kind, in slot order
//   tactics.txt    number | name, for every tactic
//   narration.txt  as above, for every pair of tactics
RuleDataResult ReadRuleSource(const std::filesystem::path& dir, TRuleRecord& rules,
                              const std::filesystem::path& textDir = {});

}  // namespace korvant
