#include "core/game.h"

#include <cstring>

namespace korvant {

Game::Game() : Texts(&defaultTexts_), Ui(&headlessUi_) {
    std::memset(&mGos, 0, sizeof mGos);
    std::memset(&mGeneral, 0, sizeof mGeneral);
    std::memset(&Map, 0, sizeof Map);
    std::memset(&History, 0, sizeof History);
    std::memset(&Rules, 0, sizeof Rules);
    for (std::string& stem : NameStems) stem = "?";
}

int Population(const Game& game, int s) {
    const TGos& g = game.mGos[s];
    // A 32-bit sum, as the state's own counts are.
    return static_cast<int32_t>(uint32_t(g.Peasants) + uint32_t(g.Scientists) + uint32_t(g.Soldiers));
}

}  // namespace korvant
