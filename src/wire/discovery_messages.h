#pragma once
// The datagrams of finding sessions on the local network: a search, broadcast, and the answer of
// each session's admitting computer, sent back to the searcher alone. Pure functions over bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "wire/handshake.h"

namespace korvant::wire {

struct Advert {
    std::uint16_t Port = 0;    // where the session's admitting computer accepts players
    std::uint8_t Players = 0;  // how many are in the session
    std::string Name;          // the admitting player's name
};

std::vector<std::uint8_t> EncodeSearch(const Identity& who);
// True for a search of this game and version.
bool IsSearch(std::span<const std::uint8_t> datagram, const Identity& ours);

std::vector<std::uint8_t> EncodeAdvert(const Identity& who, const Advert& a);
// An answer of this game and version, or nothing.
std::optional<Advert> ParseAdvert(std::span<const std::uint8_t> datagram, const Identity& ours);

}  // namespace korvant::wire
