#pragma once
// What every program does with a broken invariant before it ends without saving.
#include "core/check_state.h"
#include "core/game_ui.h"

namespace korvant {

// Shows every message of the broken invariant in the message box, in order.
void ShowStateError(GameUi& ui, const StateError& error);

}  // namespace korvant
