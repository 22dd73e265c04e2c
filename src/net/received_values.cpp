#include "net/received_values.h"

#include <string>

#include "net/block_kind.h"

namespace korvant {

namespace {

void require(bool ok, const char* what, int value) {
    if (!ok) throw BlockError(std::string(what) + " " + std::to_string(value));
}

}  // namespace

void CheckStateCount(int gosCount) {
    require(gosCount >= MinNetStates && gosCount <= MaxStates, "number of states", gosCount);
}

void CheckMapSize(int mapSize) { require(mapSize >= MinNetMapSize && mapSize <= MaxNetMapSize, "map size", mapSize); }

void CheckYear(int year, int lowest) { require(year >= lowest && year <= MaxYears, "year", year); }

void CheckMapCells(const TMapGrid& map, int mapSize, int gosCount) {
    for (int i = 0; i <= mapSize + 1; ++i)
        for (int j = 0; j <= mapSize + 1; ++j) require(map[i][j] <= gosCount, "map cell owner", map[i][j]);
}

void CheckStateRecord(const TGos& gos) {
    for (const TBorder& border : gos.Border)
        require(border.Commander <= GeneralSlots, "border commander", border.Commander);
}

void CheckGenerals(std::span<const TCommander> generals, int gosCount, int owner) {
    for (const TCommander& general : generals) {
        require(general.Front <= gosCount, "general's front", general.Front);
        if (owner != 0)
            require(general.Owner == 0 || general.Owner == owner, "general's owner", general.Owner);
        else
            require(general.Owner <= gosCount, "general's owner", general.Owner);
    }
}

void CheckMessages(std::span<const TMesRec> messages, int gosCount, int only) {
    for (const TMesRec& m : messages) {
        if (only != 0)
            require(m.Gos == only, "message for state", m.Gos);
        else
            require(m.Gos >= 1 && m.Gos <= gosCount, "message for state", m.Gos);
    }
}

}  // namespace korvant
