#include "core/headless_ui.h"

#include "core/game.h"
#include "core/take_territory.h"

namespace korvant {

int HeadlessUi::ChooseTerritory(Game& game) {
    windows.emplace_back("territory");
    const int count = game.GosCount;
    const int start = game.Random(count);
    for (int i = 0; i < count; ++i) {
        const int s = (start + i) % count + 1;
        if (TakeTerritory(game, s, "Игрок " + game.CurPlayerName)) return ModalEndTurn;
    }
    return ModalQuit;
}

}  // namespace korvant
