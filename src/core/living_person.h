#pragma once
// Whether a person still plays a state: every floor that lists the persons asks it the same way.
#include "core/records.h"

namespace korvant {

// A living state that a person plays.
inline bool LivingPerson(const TGos& gos) { return gos.Human != 0 && gos.Alive != 0; }

}  // namespace korvant
