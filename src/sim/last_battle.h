#pragma once
// The last-battle window for the person of state s, on its defeat or victory page, after the
// your-turn window has handed him the screen (not for one person who turned that window off).
#include "core/game.h"

namespace korvant {

void ShowDefeat(Game& game, int s);
void ShowVictory(Game& game, int s);

}  // namespace korvant
