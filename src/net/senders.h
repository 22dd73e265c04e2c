#pragma once
// Every block this computer sends in a network game: each builds its block from the game,
// packs the large ones, and hands it to the session.
#include <cstdint>
#include <string_view>

#include "net/net_context.h"

namespace korvant {

// A chat line (UTF-8) to everybody, this computer included, without its leading and trailing
// blanks. An empty line is not sent; returns whether it was.
bool SendChat(NetContext& net, std::string_view text, int32_t colour);
// The lobby's ready switch, to everybody and this computer.
void SendReady(NetContext& net, bool on);
// The turn length (TurnMinutes) to everybody.
void SendTurnTime(NetContext& net);
// The map to everybody: kind 16 while the game loop runs, else kind 3.
void SendMap(NetContext& net);
// The start to the player of every living state played by a person, but not to this computer.
void SendStart(NetContext& net);
// The server role in the lobby to the last remote player of the session; none when alone.
void SendBecomeServer(NetContext& net);
// The full state. Addressee 0: to the player of every other living state played by a person,
// naming this computer the server. Otherwise to that player alone, naming him the server.
void SendFullState(NetContext& net, PlayerId addressee = 0);
// The year's turn results, one for every other state played by a person, then the map update.
void SendTurnResults(NetContext& net);
// This person's turn to the server. With no server known: says so, marks the server lost and
// closes the wait window instead, and sends nothing.
void SendPlayerTurn(NetContext& net);
// No server to play the turn with: the person is told, ServerLost is set, the wait window closes.
void ServerNotFound(NetContext& net);
// "My turn is done" to everybody and this computer.
void SendTurnDone(NetContext& net);
void SendLeave(NetContext& net);
void SendGameOver(NetContext& net);

}  // namespace korvant
