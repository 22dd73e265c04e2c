#pragma once
// A person who dropped out of a running game comes back under the same name. The game's server
// tells a newcomer whether a state waits for his name; he asks for it; when the next year begins
// the server seats him on it again, tells everybody, and sends him the full state. Only the state
// he dropped out of, recorded under his name in the persons' table, can be taken this way, and
// only while nobody plays it.
#include <string>
#include <vector>

#include "net/net_context.h"

namespace korvant {

// The state that waits for a person called `name`: living, played by nobody, and left by a
// person of that name. 0 when there is none.
int StateWaitingFor(const NetContext& net, const std::string& name);

// The server hears a newcomer's request: he is seated when the next year begins, or told that
// nothing waits for him. False when refused.
bool AskedToRejoin(NetContext& net, PlayerId from);

// The server, as a year begins: seats every newcomer whose request was granted, tells the others
// and returns them (each gets the full state, not the year's results).
std::vector<PlayerId> SeatRejoiners(NetContext& net);

// Everybody else hears the server seat `player` on `state`; throws BlockError unless the state
// waits for that player's name.
void HearRejoined(NetContext& net, int state, PlayerId player);

}  // namespace korvant
