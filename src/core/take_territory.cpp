#include "core/take_territory.h"

namespace korvant {

bool TakeTerritory(Game& game, int s, int person, std::string_view name) {
    TGos& gos = game.mGos[s];
    if (gos.Alive != 0) return false;
    gos.PlayerName.set(name);
    gos.Alive = 1;
    gos.Human = person;
    return true;
}

}  // namespace korvant
