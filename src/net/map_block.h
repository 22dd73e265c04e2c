#pragma once
// The map block (kinds 3 and 16, sent packed): the number of states, the map's side and the
// whole 102 x 102 grid, then two bytes that carry nothing.
#include <cstdint>
#include <span>
#include <vector>

#include "core/game.h"
#include "net/block_kind.h"

namespace korvant {

namespace map_block {
inline constexpr std::size_t GosCount = 4;
inline constexpr std::size_t MapSize = 5;
inline constexpr std::size_t Map = 6;
inline constexpr std::size_t Size = 10412;
static_assert(Map + sizeof(TMapGrid) + 2 == Size);
}  // namespace map_block

struct MapBlock {
    uint8_t gosCount;
    uint8_t mapSize;
    TMapGrid map;
};

// Kind Map in the lobby, MapUpdate while the network game runs.
std::vector<uint8_t> EncodeMap(const Game& game, BlockKind kind);
// Throws BlockError unless the size is exact, the counts are in range and every cell names a state.
MapBlock DecodeMap(std::span<const uint8_t> block);

}  // namespace korvant
