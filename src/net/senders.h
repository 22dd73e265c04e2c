#pragma once
// Every block this computer sends in a network game: each builds its block from the game,
// packs the large ones, and hands it to the session. Each says whether its blocks went out; a
// block the session would not take is also shown to the person in the chat panes.
#include <cstdint>
#include <string_view>
#include <vector>

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
// The full state to one player, this computer staying the server: a person who comes back.
bool SendFullStateTo(NetContext& net, PlayerId player);
// The year's turn results, one for every other state played by a person but those of `except`
// (who get the full state), then the map update.
bool SendTurnResults(NetContext& net, const std::vector<PlayerId>& except = {});
// This person's turn to the server, kept until the year's results come. While the server's heir
// is awaited the turn is only kept; with no server known: says so and ends the game here
// (ServerNotFound), and sends nothing.
bool SendPlayerTurn(NetContext& net);
// The kept turn of this year, and that it is done, to a server that took over.
bool ResendKeptTurn(NetContext& net);
// The whole game to the heir, kept until the next year's; true when there is no heir.
bool SendBackup(NetContext& net);
// The year's backup again, to a new heir when the last one left.
bool ResendBackup(NetContext& net);
// "I have become the server; the year in progress is played again" to everybody.
bool SendTookOver(NetContext& net);
// To a newcomer while a game runs: whether a state of it waits for his name.
bool SendGameRuns(NetContext& net, PlayerId newcomer, bool stateWaits);
// A newcomer asks the game's server for his state back.
bool SendRejoin(NetContext& net);
// The server gives `state` back to `player`, to everybody.
bool SendRejoined(NetContext& net, int state, PlayerId player);
// No server to play the turn with: the person is told and the game ends here as ServerLost.
void ServerNotFound(NetContext& net);
// "My turn is done" to everybody and this computer.
bool SendTurnDone(NetContext& net);
bool SendLeave(NetContext& net);
bool SendGameOver(NetContext& net);

}  // namespace korvant
