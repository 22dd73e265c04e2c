#include "core/take_territory.h"

#include <charconv>

namespace korvant {

bool TakeTerritory(Game& game, int s, std::string_view name) {
    TGos& gos = game.mGos[s];
    if (gos.Alive != 0) return false;
    int number = 0;
    const std::string& label = game.CurPlayerName;
    std::from_chars(label.data(), label.data() + label.size(), number);
    gos.PlayerName.set(name);
    gos.Alive = 1;
    gos.Human = number;
    return true;
}

}  // namespace korvant
