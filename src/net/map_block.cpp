#include "net/map_block.h"

#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/received_values.h"

namespace korvant {

namespace at = map_block;

std::vector<uint8_t> EncodeMap(const Game& game, BlockKind kind) {
    std::vector<uint8_t> block = NewBlock(kind, at::Size);
    PutAt(block, at::GosCount, state::GosCount.of(game));
    PutAt(block, at::MapSize, state::MapSize.of(game));
    PutAt(block, at::Map, state::Map.of(game));
    return block;
}

MapBlock DecodeMap(std::span<const uint8_t> block) {
    RequireSize(block, at::Size, "map block");
    MapBlock map{GetAt<uint8_t>(block, at::GosCount), GetAt<uint8_t>(block, at::MapSize),
                 GetAt<TMapGrid>(block, at::Map)};
    CheckStateCount(map.gosCount);
    CheckMapSize(map.mapSize);
    CheckMapCells(map.map, map.mapSize, map.gosCount);
    return map;
}

}  // namespace korvant
