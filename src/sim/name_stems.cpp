#include "sim/name_stems.h"

namespace korvant {

void LoadNameStems(Game& game) {
    for (int k = 1; k <= NameStemCount; ++k) game.NameStems[k] = game.Msg(MsgAt(Msg::GeneralStem1, k - 1));
}

}  // namespace korvant
