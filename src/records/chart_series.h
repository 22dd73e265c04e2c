#pragma once
// What the statistics charts draw: for one of twelve criteria, one line per state over the
// years recorded so far, read from the yearly statistics table. No window is needed, so the
// charts window, the simulator's CSV export and the tests share these answers.
#include <cstdint>
#include <string>

#include "core/game.h"

namespace korvant {

// The criteria in the order of the charts window's radio buttons.
enum ChartCriterion : int {
    CritDensity,     // level of science 1
    CritGrowth,      // level of science 2
    CritAgrarian,    // level of science 3
    CritFinancial,   // level of science 4
    CritMilitary,    // level of science 5
    CritScientific,  // level of science 6
    CritGrown,
    CritTerritory,
    CritPeasants,
    CritSoldiers,
    CritScientists,
    CritPopulation,  // peasants + scientists + soldiers
    ChartCriterionCount
};

// The criterion the window opens with.
constexpr ChartCriterion FirstChartCriterion = CritTerritory;

// The switches that leave lines out of the chart.
struct ChartFilters {
    bool personsOnly = false;    // only persons' states, titled by the persons' names
    bool hideDestroyed = false;  // no state that had no land in the last recorded year
};

// The years recorded so far, 1..RecordedYears: the year being played is not recorded yet.
int RecordedYears(const Game& game);
// The states that may appear in the chart, 1..ChartStates (GosCount within the table).
int ChartStates(const Game& game);

// The value of `criterion` for state s in year y of the table. Every field counts as an unsigned
// number of its own width; the population is summed without wrapping.
int64_t ChartValue(const THistory& history, int s, ChartCriterion criterion, int y);

// Whether state s's line is drawn under `filters` (it stays in the legend either way).
bool ChartLineDrawn(const Game& game, int s, ChartFilters filters);

// A state's line title: its person's name under the persons-only filter, else the state's name.
std::string ChartLineTitle(const Game& game, int s, ChartFilters filters);

// The colour of state s's line, 0x00BBGGRR.
int32_t ChartStateColour(int s);

// The criterion's name from the texts (ids 5050..5061).
std::string ChartCriterionName(const TextSource& texts, ChartCriterion criterion);

}  // namespace korvant
