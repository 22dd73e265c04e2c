#pragma once
// The books a game must keep straight at every point between phases: the consistency check,
// no negative count or store, the staff and soldiers adding up, the generals counted, and the
// territories matching the map.
#include <gtest/gtest.h>

#include "core/game.h"

namespace korvant::test {

// Success, or the first broken rule with its state. `label` names the point of the game checked.
::testing::AssertionResult BooksBalanced(Game& game, const char* label = "test");

}  // namespace korvant::test
