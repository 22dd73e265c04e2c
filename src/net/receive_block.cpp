#include "net/receive_block.h"

#include <cstdio>
#include <string>

#include "core/check_state.h"
#include "core/colors.h"
#include "core/state_guard.h"
#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/senders.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace {


// The sender's name as the session knows it; empty when it does not.
std::string nameOf(const Session& session, PlayerId id) {
    for (const SessionPlayer& p : session.Players())
        if (p.Id == id) return p.Name;
    return {};
}

bool playsAState(const Game& game, PlayerId id) {
    for (int s = 1; s <= game.GosCount; ++s)
        if (PlayerId(game.mGos[s].Human) == id) return true;
    return false;
}

bool anyPersonPlays(const Game& game) {
    for (int s = 1; s <= game.GosCount; ++s)
        if (game.mGos[s].Human != 0) return true;
    return false;
}

// The known server, or a player whose id some state's Human holds.
bool playerOfTheGame(const NetContext& net, PlayerId from) {
    return from == net.flags.ServerId || playsAState(net.game, from);
}

void requirePlayerOfTheGame(const NetContext& net, PlayerId from) {
    if (!playerOfTheGame(net, from)) throw BlockError("the sender plays no part in this game");
}

void requireOutsideTheGame(const NetContext& net) {
    if (net.flags.InNetGame) throw BlockError("a lobby block while the game runs");
}

// Applies a block that changes `fields` and keeps the books of a game whose checks run here
// (every mode but a joined client's): if the books were clean and the block would break them,
// everything is put back.
template <class Fields, class Apply>
void applyKeepingBooks(Game& game, Fields fields, Apply&& apply) {
    const bool checked = game.GameMode != ModeNetClient && StateIsClean(game);
    const StateSnapshot before(game, fields);
    apply();
    if (checked && !StateIsClean(game)) {
        before.RestoreInto(game);
        throw BlockError("the block breaks the books of soldiers and generals");
    }
}

void appendNotice(NetContext& net, const std::string& name, Msg notice) {
    net.controls.AppendChatLine(name + "> " + net.game.Msg(notice), color::Red);
}

void receiveMap(NetContext& net, std::span<const uint8_t> block, bool update) {
    const MapBlock map = DecodeMap(block);
    net.game.GosCount = map.gosCount;
    net.game.MapSize = map.mapSize;
    net.game.Map = map.map;
    if (update || net.game.GameMode == ModeNetClient) net.controls.ShowLobbyMap();
    if (!update) net.controls.SetReadySwitch({true, ReadyMapKnown, false});
}

// The first full state of a game reaches computers whose game knows none of its players yet:
// it is taken when it names its sender the server and both sender and receiver persons of it.
bool opensTheGame(const NetContext& net, PlayerId from, const FullState& state) {
    const Game& g = *state.game;
    const PlayerId self = net.session.LocalId();
    bool receiverAlive = false;
    for (int s = 1; s <= g.GosCount; ++s) receiverAlive |= PlayerId(g.mGos[s].Human) == self && g.mGos[s].Alive != 0;
    return state.serverId == from && playsAState(g, from) && receiverAlive;
}

void receiveFullState(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    const FullState state = DecodeFullState(block);
    if (!playerOfTheGame(net, from) && !opensTheGame(net, from, state))
        throw BlockError("the sender plays no part in this game");
    const bool becomeServer = state.serverId == net.session.LocalId();
    // A full state replaces every record the checks read, so it is checked as it stands.
    state.game->Rules.KindCount = net.game.Rules.KindCount;
    if ((becomeServer || net.game.GameMode != ModeNetClient) && !StateIsClean(*state.game))
        throw BlockError("the full state's books of soldiers and generals do not balance");
    ApplyFullState(state, net.game);
    net.game.TurnMinutes = state.turnMinutes;
    net.flags.ServerId = state.serverId;
    net.flags.FullStateReceived = true;
    if (becomeServer) net.game.GameMode = ModeNetServer;
}

void receiveTurnResult(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    requirePlayerOfTheGame(net, from);
    const TurnResult result = DecodeTurnResult(block, net.game);
    applyKeepingBooks(net.game, std::tuple{state::History, state::Generals, state::States, state::Map, state::Year,
                                                 state::Chronicle, state::Messages},
                      [&] { ApplyTurnResult(result, net.game); });
    net.flags.ServerId = from;
    net.flags.TurnResultReceived = true;
}

void receivePlayerTurn(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    if (net.game.GameMode != ModeNetServer) throw BlockError("a player's turn reached a computer that is not the server");
    const PlayerTurn turn = DecodePlayerTurn(block, net.game);
    if (PlayerId(net.game.mGos[turn.stateNumber].Human) != from || PlayerId(turn.state.Human) != from)
        throw BlockError("a player's turn for a state the sender does not play");
    applyKeepingBooks(net.game, std::tuple{state::Generals, state::States}, [&] { ApplyPlayerTurn(turn, net.game); });
}

BlockOutcome dispatch(NetContext& net, PlayerId from, BlockKind kind, std::span<const uint8_t> block) {
    Game& game = net.game;
    switch (kind) {
    case BlockKind::Chat: {
        const ChatLine line = DecodeChat(block);
        net.controls.AppendChatLine(nameOf(net.session, from) + "> " + line.text, line.colour);
        return BlockOutcome::Applied;
    }
    case BlockKind::Ready: {
        const bool on = DecodeSmall(block) != 0;
        const std::string name = nameOf(net.session, from);
        if (!name.empty()) net.controls.TickPlayer(name, on);
        if (game.GameMode == ModeNetServer && net.controls.AllPlayersTicked()) SendStart(net);
        return BlockOutcome::Applied;
    }
    case BlockKind::TurnTime: {
        const uint8_t minutes = DecodeSmall(block);
        net.controls.ShowTurnMinutes(minutes);
        game.TurnMinutes = minutes;
        return BlockOutcome::Applied;
    }
    case BlockKind::Map:
        requireOutsideTheGame(net);
        receiveMap(net, block, false);
        return BlockOutcome::Applied;
    case BlockKind::Start:
        DecodeSmall(block);
        net.controls.TickAllPlayers();
        return BlockOutcome::Applied;
    case BlockKind::BecomeServer:
        requireOutsideTheGame(net);
        DecodeSmall(block);
        net.controls.SetReadySwitch({false, ReadyGrey, false});
        game.GameMode = ModeNetServer;
        net.controls.RebuildLobby();
        return BlockOutcome::Applied;
    case BlockKind::FullState:
        receiveFullState(net, from, block);
        return BlockOutcome::Applied;
    case BlockKind::TurnResult:
        receiveTurnResult(net, from, block);
        return BlockOutcome::Applied;
    case BlockKind::PlayerTurn:
        receivePlayerTurn(net, from, block);
        return BlockOutcome::Applied;
    case BlockKind::TurnDone:
        DecodeSmall(block);
        for (int s = 1; s <= game.GosCount; ++s) {
            if (PlayerId(game.mGos[s].Human) != from) continue;
            game.mGos[s].Captured = TurnFinishedMark;
            break;
        }
        return BlockOutcome::Applied;
    case BlockKind::Leave: {
        DecodeSmall(block);
        const std::string name = nameOf(net.session, from);
        for (int s = 1; s <= game.GosCount; ++s) {
            if (PlayerId(game.mGos[s].Human) != from) continue;
            appendNotice(net, name, Msg::PlayerLeftGame);
            game.mGos[s].Human = 0;
        }
        return BlockOutcome::Applied;
    }
    case BlockKind::GameOver:
        requirePlayerOfTheGame(net, from);
        DecodeSmall(block);
        game.NetEndFlag = 1;
        appendNotice(net, nameOf(net.session, from), Msg::PlayerEndedGame);
        return BlockOutcome::Applied;
    case BlockKind::MapUpdate:
        if (net.flags.InNetGame) return BlockOutcome::Ignored;
        // A person only watching the lobby knows no player of the running game; he takes its map
        // from anyone, as he takes the lobby's map.
        if (anyPersonPlays(game)) requirePlayerOfTheGame(net, from);
        receiveMap(net, block, true);
        return BlockOutcome::Applied;
    case BlockKind::Packed:
        break;
    }
    return BlockOutcome::Ignored;
}

}  // namespace

BlockOutcome ReceiveBlock(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    if (block.size() < MinBlockBytes) return BlockOutcome::Ignored;
    int32_t kind = KindOf(block);
    const auto refuse = [&](const char* why) {
        const std::string name = nameOf(net.session, from);
        std::fprintf(stderr, "network block of kind %d from player %u (%s), %zu bytes, ignored: %s\n", int(kind),
                     unsigned(from), name.empty() ? "not in the session" : name.c_str(), block.size(), why);
        return BlockOutcome::Refused;
    };
    try {
        // No player has id 0; taken as a sender it would match every state the computer plays.
        if (from == 0) throw BlockError("a block from no player");
        // A block is a legitimate change of the guarded game, like a person's order.
        const StateChange change(net.game);
        if (kind != int32_t(BlockKind::Packed)) return dispatch(net, from, BlockKind(kind), block);
        const std::vector<uint8_t> inner = UnpackEnvelope(block);
        kind = KindOf(inner);
        if (!TravelsPacked(BlockKind(kind))) throw BlockError("a packed envelope around a block that is never packed");
        return dispatch(net, from, BlockKind(kind), inner);
    } catch (const BlockError& e) {
        return refuse(e.what());
    } catch (const StateError&) {
        // The game was changed from outside before the block came; the next check point ends it.
        return refuse("the game's state was changed from outside");
    }
}

}  // namespace korvant
