#include "records/chart_series.h"

#include <algorithm>

namespace korvant {

namespace {

constexpr int32_t StateColours[MaxStates] = {
    0x0000FF, 0x800000, 0x008000, 0x000000, 0x808000, 0xFFFF00, 0x800080, 0x00FFFF, 0x008080, 0x808080,
    0xFF8000, 0xFF80FF, 0x80FF80, 0xFF8080, 0x4080FF, 0xC08080, 0xE1E1E1, 0x8080FF, 0xC8FFFF, 0x800040,
};

}  // namespace

// A damaged table never reaches here (the loader checks both counts); the clamps keep a hand-set
// game inside the table all the same.
int RecordedYears(const Game& game) { return std::clamp(int(game.Year) - 1, 0, MaxYears); }

int ChartStates(const Game& game) { return std::min(int(game.GosCount), MaxStates); }

int64_t ChartValue(const THistory& history, int s, ChartCriterion criterion, int y) {
    const THistoryRec& r = history[s][y];
    switch (criterion) {
        case CritDensity:
        case CritGrowth:
        case CritAgrarian:
        case CritFinancial:
        case CritMilitary:
        case CritScientific: return r.Level[criterion - CritDensity];
        case CritGrown: return uint32_t(r.Grown);
        case CritTerritory: return uint16_t(r.Territory);
        case CritPeasants: return uint32_t(r.Peasants);
        case CritSoldiers: return uint16_t(r.Soldiers);
        case CritScientists: return uint16_t(r.Scientists);
        case CritPopulation: return int64_t(uint32_t(r.Peasants)) + uint16_t(r.Scientists) + uint16_t(r.Soldiers);
        case ChartCriterionCount: break;
    }
    return 0;
}

bool ChartLineDrawn(const Game& game, int s, ChartFilters filters) {
    if (filters.personsOnly && game.mGos[s].PlayerName.empty()) return false;
    const int last = RecordedYears(game);
    if (filters.hideDestroyed && last > 0 && ChartValue(game.History, s, CritTerritory, last) == 0) return false;
    return true;
}

std::string ChartLineTitle(const Game& game, int s, ChartFilters filters) {
    return (filters.personsOnly ? game.mGos[s].PlayerName : game.mGos[s].Name).utf8();
}

int32_t ChartStateColour(int s) { return StateColours[std::clamp(s, 1, MaxStates) - 1]; }

std::string ChartCriterionName(const TextSource& texts, ChartCriterion criterion) {
    return texts.Lookup(MsgAt(Msg::ChartDensity, criterion));
}

}  // namespace korvant
