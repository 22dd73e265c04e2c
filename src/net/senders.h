#pragma once
// Every block this computer sends in a network game: each builds its block from the game,
// packs the large ones, and hands it to the session. Each says whether its blocks went out; a
// block the session would not take is also shown to the person in the chat panes.
#include <cstdint>
#include <string_view>

#include "net/net_context.h"

namespace korvant {

// A chat line (UTF-8) to everybody, this computer included, without its leading and trailing
// blanks. An empty line is not sent; returns whether it was.
bool SendChat(NetContext& net, std::string_view text, int32_t colour);
// The lobby's ready switch, to everybody and this computer.
bool SendReady(NetContext& net, bool on);
// The turn length (TurnMinutes) to everybody.
bool SendTurnTime(NetContext& net);
// The map to everybody: kind 16 while a game runs here, else kind 3.
bool SendMap(NetContext& net);
// The start to the player of every living state played by a person, but not to this computer.
bool SendStart(NetContext& net);
// The server role in the lobby to the last remote player of the session; false when alone.
bool SendBecomeServer(NetContext& net);
// The full state. Addressee 0: to the player of every other living state played by a person,
// naming this computer the server. Otherwise to that player alone, naming him the server.
bool SendFullState(NetContext& net, PlayerId addressee = 0);
// The year's turn results, one for every other state played by a person, then the map update.
bool SendTurnResults(NetContext& net);
// This person's turn to the server. With no server known: says so and ends the game here
// (ServerNotFound), and sends nothing.
bool SendPlayerTurn(NetContext& net);
// No server to play the turn with: the person is told and the game ends here as ServerLost.
void ServerNotFound(NetContext& net);
// "My turn is done" to everybody and this computer.
bool SendTurnDone(NetContext& net);
bool SendLeave(NetContext& net);
bool SendGameOver(NetContext& net);

}  // namespace korvant
