#pragma once
// The rejoined block (kind 21, 12 bytes): the game's server gives state `state` back to the
// session player `player`, who dropped out of the session from it and has come back.
#include <cstdint>
#include <span>
#include <vector>

#include "net/session.h"

namespace korvant {

namespace rejoined_block {
inline constexpr std::size_t State = 4;
inline constexpr std::size_t Player = 8;
inline constexpr std::size_t Size = 12;
}  // namespace rejoined_block

struct Rejoined {
    int state = 0;
    PlayerId player = 0;
};

std::vector<uint8_t> EncodeRejoined(int state, PlayerId player);
// Throws BlockError unless the size is exact.
Rejoined DecodeRejoined(std::span<const uint8_t> block);

}  // namespace korvant
