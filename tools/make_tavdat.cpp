// Writes the rule-data file from its readable source:
//   make_tavdat <source folder> <output file>
#include <cstdio>

#include "core/rule_data.h"
#include "core/rule_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_tavdat <source folder> <output file>\n");
        return 2;
    }
    korvant::TRuleRecord rules;
    korvant::RuleDataResult result = korvant::ReadRuleSource(argv[1], rules);
    if (result) result = korvant::WriteRuleData(argv[2], rules);
    if (!result) {
        std::fprintf(stderr, "make_tavdat: %s\n", result.problem.c_str());
        return 1;
    }
    return 0;
}
