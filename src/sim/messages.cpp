#include "sim/messages.h"

namespace korvant {

void AddMessage(Game& game, uint8_t kind, uint8_t state, int32_t colour, std::string_view text) {
    game.MesList.Add(kind, state, colour, text);
}

void AddBattleMessage(Game& game, int32_t colour, std::string_view text) {
    for (uint8_t party : {game.BattleAttacker, game.BattleDefender}) {
        if (party >= 1 && party <= MaxStates && game.mGos[party].Human != 0)
            AddMessage(game, MesBattle, party, colour, text);
    }
}

}  // namespace korvant
