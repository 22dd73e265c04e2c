#pragma once
// What a game without windows said: its own headless windows collect the message boxes, the
// questions, the modal windows shown and the chat lines.
#include "core/game.h"
#include "core/headless_ui.h"

namespace korvant::test {

// The game's headless windows; a game whose windows are not headless is a fault of the test.
HeadlessUi& Headless(Game& game);

}  // namespace korvant::test
