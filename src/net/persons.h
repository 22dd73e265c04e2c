#pragma once
// Which state a session player plays, and who of the persons is still in the game.
#include "core/game.h"
#include "net/session.h"

namespace korvant {

// The state whose Human is `id`; 0 when he plays none (id 0 plays none).
int StateOf(const Game& game, PlayerId id);
// A living state that a person plays.
inline bool LivingPerson(const TGos& gos) { return gos.Human != 0 && gos.Alive != 0; }
// The number of living states a person plays.
int LivingPersons(const Game& game);

}  // namespace korvant
