#include "records/history_csv.h"

#include "records/chart_series.h"

namespace korvant {

void WriteHistoryCsv(std::ostream& out, const Game& game) {
    static constexpr const char* Columns[ChartCriterionCount] = {
        "density", "growth",    "agrarian", "financial", "military",   "scientific",
        "grown",   "territory", "peasants", "soldiers",  "scientists", "population",
    };
    out << "state,year";
    for (const char* c : Columns) out << ',' << c;
    out << '\n';
    for (int s = 1; s <= ChartStates(game); ++s)
        for (int y = 1; y <= RecordedYears(game); ++y) {
            out << s << ',' << y;
            for (int c = 0; c < ChartCriterionCount; ++c)
                out << ',' << ChartValue(game.History, s, ChartCriterion(c), y);
            out << '\n';
        }
}

}  // namespace korvant
