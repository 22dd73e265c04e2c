#include "net/block_authority.h"

#include <array>

#include "net/persons.h"

namespace korvant {

namespace {

constexpr unsigned Bit(NetPhase p) { return 1u << unsigned(p); }
constexpr unsigned Lobby = Bit(NetPhase::Lobby);
constexpr unsigned Starting = Bit(NetPhase::Starting);
constexpr unsigned Playing = Bit(NetPhase::Playing);
constexpr unsigned Game = Starting | Playing;
constexpr unsigned Open = Lobby | Game;

constexpr std::array Rules{
    BlockRule{BlockKind::Chat, Open, 0, Sender::AnyPlayer},
    // Ready ticks go on arriving from players who re-say them while the game starts.
    BlockRule{BlockKind::Ready, Lobby, Game, Sender::AnyPlayer},
    BlockRule{BlockKind::TurnTime, Lobby, Game, Sender::LobbyServer},
    BlockRule{BlockKind::Map, Lobby, Game, Sender::LobbyServer},
    BlockRule{BlockKind::Start, Lobby, Game, Sender::LobbyServer},
    BlockRule{BlockKind::BecomeServer, Lobby, 0, Sender::LobbyServer},
    // The first full state starts a client that has not seen every tick yet.
    BlockRule{BlockKind::FullState, Open, 0, Sender::GameServer},
    BlockRule{BlockKind::TurnResult, Playing, 0, Sender::GameServer, Sender::StatePlayer, Admission::Hold,
              "a year from a person while the server has not left"},
    BlockRule{BlockKind::PlayerTurn, Playing, 0, Sender::StatePlayer},
    // A client still waiting for its first full state knows nobody's state yet. A turn's end may
    // cross, on another link, the year in which its sender's state fell.
    BlockRule{BlockKind::TurnDone, Playing, Lobby | Starting, Sender::StatePlayer, Sender::AnyPlayer,
              Admission::PassOver, "a turn's end from no living state"},
    BlockRule{BlockKind::Leave, Game, Lobby, Sender::AnyPlayer},
    BlockRule{BlockKind::GameOver, Game, Lobby, Sender::GameServer},
    // Sent every year to all: a person watching the lobby sees the running game's map.
    BlockRule{BlockKind::MapUpdate, Lobby, Game, Sender::AnyPlayer},
    // The first backup goes out before the first full state.
    BlockRule{BlockKind::Backup, Game, 0, Sender::GameServer},
    // Only once the server has left the session, and only from the one every computer expects.
    BlockRule{BlockKind::TookOver, Playing, 0, Sender::Heir},
    // A newcomer hears that a game runs; the players of the game pass over what a lobby is told.
    BlockRule{BlockKind::GameRuns, Lobby, Game, Sender::AnyPlayer},
    // Asked of the game's server by a newcomer, who plays no state yet.
    BlockRule{BlockKind::Rejoin, Playing, Lobby | Starting, Sender::AnyPlayer},
    BlockRule{BlockKind::Rejoined, Playing, Lobby | Starting, Sender::GameServer},
};

bool Sends(const NetContext& net, PlayerId from, Sender who) {
    const NetModel& m = net.model;
    switch (who) {
        case Sender::AnyPlayer: return true;
        case Sender::LobbyServer: return from == m.lobbyServerId;
        case Sender::GameServer:
            if (m.serverId != 0) return from == m.serverId;
            // Until the first full state names the game's server, the lobby's server starts the game;
            // once the server has left the game, its heir is a person of the game.
            return m.phase == NetPhase::Playing ? Sends(net, from, Sender::StatePlayer) : from == m.lobbyServerId;
        case Sender::Heir: return m.heir != 0 && from == m.heir;
        case Sender::StatePlayer: {
            const int s = StateOf(net.game, from);
            return s != 0 && net.game.mGos[s].Alive != 0;
        }
    }
    return false;
}

}  // namespace

const BlockRule* RuleOf(BlockKind kind) {
    for (const BlockRule& r : Rules)
        if (r.kind == kind) return &r;
    return nullptr;
}

Verdict Admit(const NetContext& net, PlayerId from, BlockKind kind) {
    const BlockRule* rule = RuleOf(kind);
    if (!rule) return {Admission::PassOver, "a kind the game does not know"};
    if (from == 0) return {Admission::Refuse, "a block from no player"};
    const bool self = from == net.session.LocalId();
    if (!self && !net.model.Listed(from)) return {Admission::Refuse, "the sender is not in the session"};
    const unsigned phase = Bit(net.model.phase);
    if (rule->passedIn & phase) return {Admission::PassOver, "not wanted now"};
    if (!(rule->takenIn & phase)) return {Admission::Refuse, "a block out of its phase"};
    // A computer hears its own blocks (ready, turn done, chat) as everybody else does.
    if (self || Sends(net, from, rule->from)) return {Admission::Take, ""};
    if (Sends(net, from, rule->otherwiseFrom)) return {rule->otherwise, rule->otherwiseWhy};
    return {Admission::Refuse, "the sender may not send this block"};
}

}  // namespace korvant
