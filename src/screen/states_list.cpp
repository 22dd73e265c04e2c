#include "screen/states_list.h"

#include "core/cp1251.h"

namespace korvant {
namespace {

constexpr std::size_t OwnNameChars = 15;
constexpr std::size_t PopulationWidth = 5;
const char* const Unknown = "____?";

}  // namespace

std::string PopulationText(int64_t population) {
    std::string text = std::to_string(population);
    if (text.size() < PopulationWidth) text.insert(0, PopulationWidth - text.size(), '_');
    return text;
}

std::vector<StateRow> StatesList(const Game& game, int s) {
    std::vector<StateRow> rows;
    const std::string own = Utf8ToCp1251(game.mGos[s].Name.utf8() + " +").substr(0, OwnNameChars);
    rows.push_back({s, Cp1251ToUtf8(own), PopulationText(Population(game, s)), true});
    for (int pass = 0; pass < 2; ++pass) {
        const bool touching = pass == 0;
        for (int k = 1; k <= game.GosCount; ++k) {
            const TGos& gos = game.mGos[k];
            if (k == s || gos.Alive == 0 || (game.mGos[s].Border[k].Touches != 0) != touching) continue;
            rows.push_back({k, gos.Name.utf8(), touching ? PopulationText(Population(game, k)) : Unknown, false});
        }
    }
    return rows;
}

}  // namespace korvant
