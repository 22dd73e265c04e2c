#include "core/headless_ui.h"

#include <string>

#include "core/game.h"
#include "core/take_territory.h"

namespace korvant {

ModalResult HeadlessUi::ChooseTerritory(Game& game, int person) {
    windows.emplace_back("territory");
    const int count = game.GosCount;
    const int start = game.Random(count);
    for (int i = 0; i < count; ++i) {
        const int s = (start + i) % count + 1;
        if (TakeTerritory(game, s, person, "Игрок " + std::to_string(person))) return ModalResult::EndTurn;
    }
    return ModalResult::Quit;
}

}  // namespace korvant
