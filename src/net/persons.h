#pragma once
// Which state a session player plays, and who of the persons is still in the game.
#include "core/game.h"
#include "core/living_person.h"
#include "net/persons.h"
#include "net/session.h"

namespace korvant {

// The state whose Human is `id`; 0 when he plays none (id 0 plays none).
int StateOf(const Game& game, PlayerId id);
// The session player who plays the state, 0 for the computer: Human holds his unsigned id.
inline PlayerId PlayerOf(const TGos& gos) { return PlayerId(gos.Human); }
// The number of living states a person plays.
int LivingPersons(const Game& game);

}  // namespace korvant
