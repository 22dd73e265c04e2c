#pragma once
// Going on when the game's server vanishes without handing its role on. Its heir becomes the
// server from the latest backup and says so; every other computer hears it and sends the heir
// again the turn it sent the vanished server, so that the year in progress is played again as the
// server would have played it.
#include "net/net_context.h"

namespace korvant {

// This computer, the heir, becomes the server from its backup: the game as the server left it
// (the year in progress, or the next one when the server had computed it already), this person's
// turn of the year kept, the persons who are gone played by the computer. The others' turns are
// asked for again, and the next heir gets the backup at once. False, with nothing changed, when
// there is no usable backup.
bool TakeOver(NetContext& net);

// The heir `from` has become the server in `year`: the turn this computer kept goes to him.
void TakenOver(NetContext& net, PlayerId from, int year);

}  // namespace korvant
