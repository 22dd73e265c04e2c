#pragma once
// The players an admission lists, as the TCP welcome and the broker's answer both carry them.
#include <algorithm>
#include <optional>
#include <vector>

#include "net/session.h"
#include "wire/byte_io.h"

namespace korvant::wire {

// A count, then each player as `get` reads him: fewer than a full session (the joiner is one
// more), each once, none without an id. Nothing when the list breaks that.
template <class Player>
std::optional<std::vector<Player>> ReadPlayers(ByteReader& r, Player (*get)(ByteReader&)) {
    const std::size_t n = r.U8();
    if (n >= std::size_t(MaxSessionPlayers)) return std::nullopt;
    std::vector<Player> players;
    for (std::size_t i = 0; i < n && !r.Failed(); ++i) {
        Player p = get(r);
        if (p.Id == 0 || std::ranges::any_of(players, [&](const Player& o) { return o.Id == p.Id; }))
            return std::nullopt;
        players.push_back(std::move(p));
    }
    return players;
}

}  // namespace korvant::wire
