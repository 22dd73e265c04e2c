#include "net/persons.h"

namespace korvant {

int StateOf(const Game& game, PlayerId id) {
    if (id == 0) return 0;
    for (int s = 1; s <= game.GosCount; ++s)
        if (PlayerOf(game.mGos[s]) == id) return s;
    return 0;
}

int LivingPersons(const Game& game) {
    int n = 0;
    for (int s = 1; s <= game.GosCount; ++s) n += LivingPerson(game.mGos[s]) ? 1 : 0;
    return n;
}

}  // namespace korvant
