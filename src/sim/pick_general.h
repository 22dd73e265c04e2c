#pragma once
// Choosing which of a state's unposted generals to send where.
#include "core/game.h"

namespace korvant {

enum class GeneralScoring {
    AttackerA,  // versatile, seasoned and in good spirit; speed counts little
    AttackerB,  // versatile and fast
    Holder,     // old and slow, and not much use elsewhere
};

// Tactics the general can lead: those whose commander minimums he meets, plus those whose
// knowledge minimum he meets with his own spirit up to the army's minimum.
int Versatility(const Game& game, const TCommander& general);

// The best-scoring general of state s with no post (the first of equal scores); 0 when none
// scores above the starting mark.
int PickGeneral(const Game& game, int s, GeneralScoring scoring);

}  // namespace korvant
