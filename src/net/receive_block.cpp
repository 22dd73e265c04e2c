#include "net/receive_block.h"

#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "core/check_state.h"
#include "core/colors.h"
#include "core/state_fields.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "net/backup_block.h"
#include "net/block_authority.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/heir.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/persons.h"
#include "net/player_turn_block.h"
#include "net/rejoin.h"
#include "net/rejoined_block.h"
#include "net/senders.h"
#include "net/shown_changes.h"
#include "net/small_block.h"
#include "net/takeover.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace {

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
    if (!update) {
        net.model.ready = {true, ReadyMapKnown, false};
    }
}

// A full state names the game's server after it: its sender, or this computer when the sender
// hands the role over. The game's first full state must find this computer's person in it, and
// a later one may not go back in time.
void receiveFullState(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    const FullState state = DecodeFullState(block);
    const PlayerId self = net.session.LocalId();
    if (state.serverId != from && state.serverId != self)
        throw BlockError("a full state naming a third player the server");
    const Game& g = *state.game;
    const int own = StateOf(g, self);
    if (own == 0 || g.mGos[own].Alive == 0) throw BlockError("a full state without this computer's living person");
    if (StateOf(g, from) == 0) throw BlockError("a full state from a player outside the game");
    if (net.model.phase == NetPhase::Playing && g.Year < net.game.Year) throw BlockError("a full state of a past year");
    const bool becomeServer = state.serverId == self;
    // A full state replaces every record the checks read, so it is checked as it stands.
    state.game->Rules.KindCount = net.game.Rules.KindCount;
    if ((becomeServer || net.game.GameMode != ModeNetClient) && !StateIsClean(*state.game))
        throw BlockError("the full state's books of soldiers and generals do not balance");
    const bool newYear = g.Year != net.game.Year || net.model.phase != NetPhase::Playing;
    ApplyFullState(state, net.game);
    net.game.TurnMinutes = state.turnMinutes;
    net.model.serverId = state.serverId;
    net.model.fullStateReceived = true;
    if (net.model.phase == NetPhase::Lobby) net.model.phase = NetPhase::Starting;
    if (newYear) {
        net.model.ClearTurns();
        net.model.keptTurn.clear();
    }
    // The turns ended before a hand-over travel in the states' marks.
    for (NetMember& m : net.model.roster) {
        const int s = StateOf(net.game, m.id);
        if (!newYear && s != 0 && net.game.mGos[s].Captured == TurnFinishedMark) m.turnFinished = m.turnReceived = true;
    }
    if (becomeServer) net.game.GameMode = ModeNetServer;
}

BlockOutcome receiveTurnResult(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    if (net.game.GameMode == ModeNetServer) throw BlockError("a turn result reached the server");
    const TurnResult result = DecodeTurnResult(block, net.game);
    // A server that took over sends again the results its vanished server had sent some.
    if (result.year == net.game.Year) return BlockOutcome::Ignored;
    if (result.year != net.game.Year + 1) throw BlockError("a turn result of another year");
    applyKeepingBooks(net.game,
                      std::tuple{state::History, state::Generals, state::States, state::Map, state::Year,
                                 state::Chronicle, state::Messages},
                      [&] { ApplyTurnResult(result, net.game); });
    net.model.serverId = from;  // the heir, when the server has handed its role on
    net.model.turnResultReceived = true;
    net.model.heldYear.clear();
    net.model.ClearTurns();
    net.model.keptTurn.clear();
    return BlockOutcome::Applied;
}

void receivePlayerTurn(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    if (net.game.GameMode != ModeNetServer)
        throw BlockError("a player's turn reached a computer that is not the server");
    const PlayerTurn turn = DecodePlayerTurn(block, net.game);
    if (PlayerOf(net.game.mGos[turn.stateNumber]) != from || PlayerOf(turn.state) != from)
        throw BlockError("a player's turn for a state the sender does not play");
    if (net.game.mGos[turn.stateNumber].Alive == 0) throw BlockError("a player's turn for a fallen state");
    applyKeepingBooks(net.game, std::tuple{state::Generals, state::States}, [&] { ApplyPlayerTurn(turn, net.game); });
    if (NetMember* m = net.model.Find(from)) m->turnReceived = true;
}

void receiveReady(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    const bool on = DecodeSmall(block) != 0;
    if (NetMember* m = net.model.Find(from)) m->ready = on;
}

void receiveTurnDone(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    DecodeSmall(block);
    NetMember* member = net.model.Find(from);
    // The server counts a client's turn done only with the turn itself: one sent to a server that
    // vanished comes again to the heir, and the year waits for it.
    if (net.game.GameMode == ModeNetServer && from != net.session.LocalId() && member && !member->turnReceived) return;
    // Only this computer's own turn's end gets here without a state, from a person whose state fell.
    if (const int s = StateOf(net.game, from); s != 0)
        net.game.mGos[s].Captured = TurnFinishedMark;  // travels in a hand-over's full state
    if (member) member->turnFinished = true;
}

// The heir keeps only the server's latest backup; it is checked whole as it comes.
void receiveBackup(NetContext& net, std::span<const uint8_t> block) {
    if (net.game.GameMode == ModeNetServer) throw BlockError("a backup reached the server");
    const Backup backup = DecodeBackup(block);
    if (StateOf(*backup.game, net.session.LocalId()) == 0) throw BlockError("a backup without this computer's person");
    net.model.backup.assign(block.begin(), block.end());
}

// A newcomer's lobby: a game runs in the session, and perhaps his state waits for him.
void receiveGameRuns(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    const bool waits = DecodeSmall(block) != 0;
    if (net.model.rejoin == RejoinOffer::Asked && waits) return;
    net.model.rejoin = waits ? RejoinOffer::Offered : RejoinOffer::NoState;
    // Its sender serves the game: the full state that seats this person comes from him.
    if (waits) net.model.serverId = from;
    net.controls.AppendChatLine(net.game.Msg(waits ? Msg::RejoinOffered : Msg::RejoinNoState), color::Green);
}

void receiveLeave(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    DecodeSmall(block);
    const std::string name = net.model.NameOf(from);
    for (int s = 1; s <= net.game.GosCount; ++s) {
        if (PlayerOf(net.game.mGos[s]) != from) continue;
        appendNotice(net, name, Msg::PlayerLeftGame);
        net.game.mGos[s].Human = 0;
    }
    if (NetMember* m = net.model.Find(from)) m->turnFinished = false;
    // The game's server leaves the game once it has handed its role on: the next year's data
    // names the new one.
    if (from == net.model.serverId && net.game.GameMode == ModeNetClient) net.model.serverId = 0;
}

BlockOutcome dispatch(NetContext& net, PlayerId from, BlockKind kind, std::span<const uint8_t> block) {
    Game& game = net.game;
    switch (kind) {
        case BlockKind::Chat: {
            const ChatLine line = DecodeChat(block);
            net.controls.AppendChatLine(net.model.NameOf(from) + "> " + line.text, line.colour);
            return BlockOutcome::Applied;
        }
        case BlockKind::Ready: receiveReady(net, from, block); return BlockOutcome::Applied;
        case BlockKind::TurnTime: {
            const uint8_t minutes = DecodeSmall(block);
            if (minutes > MaxTurnMinutes) throw BlockError("a turn length beyond the limit");
            net.controls.ShowTurnMinutes(minutes);
            game.TurnMinutes = minutes;
            return BlockOutcome::Applied;
        }
        case BlockKind::Map:
            // The lobby's server keeps the map it made.
            if (game.GameMode == ModeNetServer) throw BlockError("a map sent to the lobby's server");
            receiveMap(net, block, false);
            return BlockOutcome::Applied;
        case BlockKind::Start:
            DecodeSmall(block);
            net.model.SetEveryoneReady(true);
            net.model.phase = NetPhase::Starting;
            return BlockOutcome::Applied;
        case BlockKind::BecomeServer:
            DecodeSmall(block);
            net.model.ready = {false, ReadyGrey, false};
            net.model.lobbyServerId = net.session.LocalId();
            game.GameMode = ModeNetServer;
            return BlockOutcome::Applied;
        case BlockKind::FullState: receiveFullState(net, from, block); return BlockOutcome::Applied;
        case BlockKind::TurnResult: return receiveTurnResult(net, from, block);
        case BlockKind::PlayerTurn: receivePlayerTurn(net, from, block); return BlockOutcome::Applied;
        case BlockKind::TurnDone: receiveTurnDone(net, from, block); return BlockOutcome::Applied;
        case BlockKind::Leave: receiveLeave(net, from, block); return BlockOutcome::Applied;
        case BlockKind::GameOver:
            DecodeSmall(block);
            net.model.End(NetEnd::EndedByServer);
            appendNotice(net, net.model.NameOf(from), Msg::PlayerEndedGame);
            return BlockOutcome::Applied;
        case BlockKind::MapUpdate:
            // The lobby's server keeps the map it made; a person only watching sees the game's map.
            if (game.GameMode == ModeNetServer) return BlockOutcome::Ignored;
            receiveMap(net, block, true);
            return BlockOutcome::Applied;
        case BlockKind::Backup: receiveBackup(net, block); return BlockOutcome::Applied;
        case BlockKind::TookOver: TakenOver(net, from, DecodeSmall(block)); return BlockOutcome::Applied;
        case BlockKind::GameRuns: receiveGameRuns(net, from, block); return BlockOutcome::Applied;
        case BlockKind::Rejoin:
            DecodeSmall(block);
            if (game.GameMode != ModeNetServer) throw BlockError("a rejoin asked of a computer that is not the server");
            return AskedToRejoin(net, from) ? BlockOutcome::Applied : BlockOutcome::Refused;
        case BlockKind::Rejoined: {
            const Rejoined r = DecodeRejoined(block);
            HearRejoined(net, r.state, r.player);
            return BlockOutcome::Applied;
        }
        case BlockKind::Packed: break;
    }
    return BlockOutcome::Ignored;
}

// The saved fields a block of `kind` may change. The guard checks and seals only those, so that the
// many small blocks of a year (twenty turns ended, a player's turn from each person) do not each
// cost two hashes of the whole state.
FieldMask fieldsChangedBy(BlockKind kind) {
    switch (kind) {
        case BlockKind::Chat:
        case BlockKind::Ready:
        case BlockKind::Start:
        case BlockKind::GameOver: return 0;
        case BlockKind::TurnDone:
        case BlockKind::Leave: return state::MaskOf(std::tuple{state::States});
        case BlockKind::PlayerTurn: return state::MaskOf(std::tuple{state::States, state::Generals});
        default: return AllFields;
    }
}

// A takeover that overtakes the server's leaving, from the one who will be its heir: kept until
// this computer sees the server go.
bool earlyTakeover(NetContext& net, PlayerId from, int32_t kind, std::span<const uint8_t> block) {
    const NetModel& m = net.model;
    if (kind != int32_t(BlockKind::TookOver) || m.phase != NetPhase::Playing || m.heir != 0) return false;
    if (m.serverId == 0 || !m.Listed(m.serverId) || from != HeirOf(m, net.game, m.serverId)) return false;
    net.model.earlyTakeoverYear = DecodeSmall(block);
    net.model.earlyTakeover = from;
    return true;
}

// The verdict of the table on a kind, with the envelope's inner kind known.
BlockOutcome judged(NetContext& net, PlayerId from, int32_t kind, std::span<const uint8_t> block) {
    if (earlyTakeover(net, from, kind, block)) return BlockOutcome::Ignored;
    const Verdict v = Admit(net, from, BlockKind(kind));
    if (v.admission == Admission::PassOver) return BlockOutcome::Ignored;
    if (v.admission == Admission::Refuse) throw BlockError(v.why);
    if (v.admission == Admission::Hold) {
        std::fprintf(stderr, "network block of kind %d from player %u held back: %s\n", int(kind), unsigned(from),
                     v.why);
        net.model.heldFrom = from;
        net.model.heldYear.assign(block.begin(), block.end());
        return BlockOutcome::Ignored;
    }
    // A block is a legitimate change of the guarded game, like a person's order.
    const StateChange change(net.game, fieldsChangedBy(BlockKind(kind)));
    return dispatch(net, from, BlockKind(kind), block);
}

BlockOutcome receiveOne(NetContext& net, PlayerId from, std::span<const uint8_t> block);

}  // namespace

BlockOutcome ReceiveBlock(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    const ShownChanges shown(net);
    const BlockOutcome outcome = receiveOne(net, from, block);
    // The heir's year held back for its server's leave is judged again once the leave has come.
    if (net.model.serverId == 0 && !net.model.heldYear.empty()) {
        const std::vector<uint8_t> held = std::exchange(net.model.heldYear, {});
        receiveOne(net, net.model.heldFrom, held);
    }
    return outcome;
}

namespace {

BlockOutcome receiveOne(NetContext& net, PlayerId from, std::span<const uint8_t> block) {
    if (block.size() < MinBlockBytes) return BlockOutcome::Ignored;
    int32_t kind = KindOf(block);
    const auto refuse = [&](const char* why) {
        const std::string name = net.model.NameOf(from);
        std::fprintf(stderr, "network block of kind %d from player %u (%s), %zu bytes, refused: %s\n", int(kind),
                     unsigned(from), name.empty() ? "not in the session" : name.c_str(), block.size(), why);
        // Shown once for each sender and kind, so that a flood does not bury the chat.
        if (net.model.FirstRefusal(from, kind))
            net.controls.AppendChatLine(FormatText(net.game.Msg(Msg::BlockRefused),
                                                   {std::to_string(kind), name.empty() ? std::to_string(from) : name}),
                                        color::Red);
        return BlockOutcome::Refused;
    };
    // What the heir sends after a takeover that overtook the server's leaving waits with it.
    if (net.model.earlyTakeover != 0 && from == net.model.earlyTakeover && net.model.phase == NetPhase::Playing) {
        if (net.model.earlyBlocks.size() < NetModel::MaxEarlyBlocks)
            net.model.earlyBlocks.emplace_back(block.begin(), block.end());
        return BlockOutcome::Ignored;
    }
    try {
        if (kind != int32_t(BlockKind::Packed)) return judged(net, from, kind, block);
        const std::vector<uint8_t> inner = UnpackEnvelope(block);
        kind = KindOf(inner);
        if (!TravelsPacked(BlockKind(kind))) throw BlockError("a packed envelope around a block that is never packed");
        return judged(net, from, kind, inner);
    } catch (const BlockError& e) {
        return refuse(e.what());
    } catch (const StateError&) {
        // The game was changed from outside before the block came; the next check point ends it.
        return refuse("the game's state was changed from outside");
    } catch (const std::exception& e) {
        return refuse(e.what());
    }
}

}  // namespace

}  // namespace korvant
