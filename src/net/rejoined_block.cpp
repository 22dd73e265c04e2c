#include "net/rejoined_block.h"

#include "net/block_bytes.h"

namespace korvant {

namespace at = rejoined_block;

std::vector<uint8_t> EncodeRejoined(int state, PlayerId player) {
    std::vector<uint8_t> block = NewBlock(BlockKind::Rejoined, at::Size);
    PutAt(block, at::State, uint8_t(state));
    PutAt(block, at::Player, player);
    return block;
}

Rejoined DecodeRejoined(std::span<const uint8_t> block) {
    RequireSize(block, at::Size, "rejoined");
    return {GetAt<uint8_t>(block, at::State), GetAt<PlayerId>(block, at::Player)};
}

}  // namespace korvant
