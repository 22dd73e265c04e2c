#pragma once
// Who may send which block, and when: one table for every block kind, checked before the block
// is decoded. A block from the wrong sender or in the wrong phase is refused; a few blocks that
// well-behaved peers send where they no longer matter (a ready tick after the start, the map
// update during a game) are passed over quietly.
#include "net/block_kind.h"
#include "net/net_context.h"

namespace korvant {

enum class Sender {
    AnyPlayer,    // any player of the session
    LobbyServer,  // the player who serves the lobby
    GameServer,   // the game's server (the lobby's server until the first full state)
    StatePlayer,  // a player whose state is in the game
    Heir,         // the person who takes over from a server that vanished, once it has
};

// Hold: a year's results from a living person while another is this computer's server. The
// server that falls hands its role on and leaves the game; its heir's first year travels on
// another connection than that leave and can come first. It is kept, and judged again once the
// server's leave has come.
enum class Admission { Take, PassOver, Refuse, Hold };

struct BlockRule {
    BlockKind kind;
    unsigned takenIn;   // NetPhase bits in which the block is taken
    unsigned passedIn;  // NetPhase bits in which it is passed over without a word
    Sender from;
    // A block from another sender is refused, unless `otherwiseFrom` may send it: it then gets
    // `otherwise`, for the reason `otherwiseWhy`.
    Sender otherwiseFrom = Sender::AnyPlayer;
    Admission otherwise = Admission::Refuse;
    const char* otherwiseWhy = "the sender may not send this block";
};

struct Verdict {
    Admission admission = Admission::Refuse;
    const char* why = "";  // for the log when refused
};

// The rule of a kind; nullptr for a kind the game does not know.
const BlockRule* RuleOf(BlockKind kind);

// Judges a block of `kind` from `from` by the table and the model's phase and servers.
Verdict Admit(const NetContext& net, PlayerId from, BlockKind kind);

}  // namespace korvant
