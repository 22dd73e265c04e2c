#pragma once
// The rule-data file: one TRuleRecord, read at start-up and whenever the
// language (and so the file's name) changes.
#include <filesystem>
#include <string>

#include "core/rule_record.h"

namespace korvant {

struct Game;

// Outcome of reading or writing rule data: empty `problem` means success.
struct RuleDataResult {
    std::string problem;

    bool ok() const { return problem.empty(); }
    explicit operator bool() const { return ok(); }
};

// Limit on each strike coefficient; it keeps every product of troops and coefficient
// far inside the integers the battles round to.
constexpr double MaxBattleCoefficient = 1000;

// Why tables with these counts and values cannot be played with (battles would read
// outside the tables, find no tactic to choose or corrupt the armies' spirit); empty
// when they are usable.
std::string RuleProblem(const TRuleRecord& rules);
inline bool RulesUsable(const TRuleRecord& rules) { return RuleProblem(rules).empty(); }

// Reads the first record of the file into `rules`. A missing or short file, or a record
// that is not usable, is refused and leaves `rules` as it was.
RuleDataResult LoadRuleData(const std::filesystem::path& path, TRuleRecord& rules);

// Writes `rules` as a file of exactly one record, replacing `path` only once it is complete.
RuleDataResult WriteRuleData(const std::filesystem::path& path, const TRuleRecord& rules);

// Loads the game's rule tables; on failure shows DataFileDamaged and returns false, and the
// game must not be started with the tables it has.
bool LoadGameRules(Game& game, const std::filesystem::path& path);

}  // namespace korvant
