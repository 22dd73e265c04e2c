// Writes the rule-data file from its readable source:
//   make_tavdat <source folder> <output file> [<texts folder>]
// With a texts folder, the names and the narration come from there (another language).
#include <cstdio>

#include "core/rule_data.h"
#include "core/rule_source.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: make_tavdat <source folder> <output file> [<texts folder>]\n");
        return 2;
    }
    korvant::TRuleRecord rules;
    korvant::RuleDataResult result = korvant::ReadRuleSource(argv[1], rules, argc == 4 ? argv[3] : "");
    if (result) result = korvant::WriteRuleData(argv[2], rules);
    if (!result) {
        std::fprintf(stderr, "make_tavdat: %s\n", result.problem.c_str());
        return 1;
    }
    return 0;
}
